#include "platform/DatabaseInterno.h"

namespace obx {

// ===========================================================================
// Record sets: editing

void Recordset::AddNew()
{
    d->Verifica();
    if (!d->aggiornabile)
        Errore_(errdb::kSoloLettura, QStringLiteral("Impossibile aggiornare. Il record set è di sola lettura."));
    d->modo = dbEditAdd;
    d->copia.assign(d->nomi.size(), QVariant());
    d->cambiato.assign(d->nomi.size(), false);
}

void Recordset::Edit()
{
    d->Verifica();
    if (!d->aggiornabile)
        Errore_(errdb::kSoloLettura, QStringLiteral("Impossibile aggiornare. Il record set è di sola lettura."));
    d->RichiedeRiga();
    d->copia = d->tipo == TipoRecordset::Tabella ? d->riga : d->righe[d->corrente];
    for (size_t i = 0; i < d->copia.size(); ++i)
        d->copia[i] = Letto(d->defs[i], d->conosciuto[i], d->copia[i], !d->copia[i].isValid());
    d->cambiato.assign(d->nomi.size(), false);
    d->modo = dbEditInProgress;
}

int Recordset::EditMode() const { return d->modo; }

void Recordset::CancelUpdate()
{
    d->Verifica();
    if (d->modo == dbEditNone)
        Errore_(errdb::kSenzaModifica, QStringLiteral("Update o CancelUpdate senza AddNew o Edit."));
    d->modo = dbEditNone;
}

QVariant Recordset::Field(const QString& nome) const
{
    d->Verifica();
    const int c = d->Colonna(nome);
    if (d->modo != dbEditNone) return d->copia[c];
    d->RichiedeRiga();
    const QVariant& v = d->tipo == TipoRecordset::Tabella ? d->riga[c] : d->righe[d->corrente][c];
    return Letto(d->defs[c], d->conosciuto[c], v, !v.isValid());
}

void Recordset::SetField(const QString& nome, const QVariant& valore)
{
    d->Verifica();
    const int c = d->Colonna(nome);
    if (d->modo == dbEditNone)
        Errore_(errdb::kSenzaModifica,
                QStringLiteral("Update o CancelUpdate senza AddNew o Edit (campo '%1').").arg(nome));
    const DefCampo& def = d->defs[c];
    if (def.attributi & kAttrAutoIncremento)
        Errore_(errdb::kSoloLettura, QStringLiteral("Il campo '%1' non può essere aggiornato.").arg(def.nome));
    const QVariant v = PerCampo(def, valore);
    // Kept in the shape readers get back.
    d->copia[c] = Letto(def, true, v, !v.isValid());
    d->cambiato[c] = true;
}

QStringList Recordset::FieldNames() const { return d->nomi; }
bool Recordset::HasField(const QString& nome) const { return d->perNome.contains(nome.toUpper()); }
int Recordset::FieldCount() const { return int(d->nomi.size()); }

QVariant Recordset::FieldAt(int colonna) const
{
    d->Verifica();
    if (colonna < 0 || colonna >= int(d->nomi.size()))
        Errore_(errdb::kCampoNonTrovato, QStringLiteral("Elemento non trovato nell'insieme: campo %1.").arg(colonna));
    if (d->modo != dbEditNone) return d->copia[size_t(colonna)];
    d->RichiedeRiga();
    const QVariant& v =
        d->tipo == TipoRecordset::Tabella ? d->riga[size_t(colonna)] : d->righe[size_t(d->corrente)][size_t(colonna)];
    return Letto(d->defs[size_t(colonna)], d->conosciuto[size_t(colonna)], v, !v.isValid());
}

DefCampo Recordset::FieldDef(const QString& nome) const
{
    d->Verifica();
    return d->defs[size_t(d->Colonna(nome))];
}

QVariant Recordset::CheckField(const QString& nome, const QVariant& valore) const
{
    d->Verifica();
    const int c = d->Colonna(nome);
    const DefCampo& def = d->defs[size_t(c)];
    if (!d->aggiornabile || (def.attributi & kAttrAutoIncremento))
        Errore_(errdb::kSoloLettura, QStringLiteral("Il campo '%1' non può essere aggiornato.").arg(def.nome));
    if (def.tipo == TipoCampo::Text && valore.isValid() && valore.typeId() != QMetaType::Nullptr) {
        const int massimo = def.dimensione > 0 ? def.dimensione : 255;
        const QString s = valore.typeId() == QMetaType::QDateTime ? TestoData(valore.toDateTime()) : valore.toString();
        if (s.size() > massimo)
            Errore_(errdb::kCampoTroppoPiccolo,
                    QStringLiteral("Il campo '%1' accetta al massimo %2 caratteri (ne sono stati dati %3).")
                        .arg(def.nome)
                        .arg(massimo)
                        .arg(s.size()));
    }
    const QVariant v = PerCampo(def, valore);
    return Letto(def, true, v, !v.isValid());
}

namespace {

std::vector<QVariant> RileggiRiga(Recordset::Impl& r, qint64 rowid, bool* trovata)
{
    QSqlQuery q(r.db->Db());
    q.setForwardOnly(true);
    QStringList cols;
    for (const QString& n : r.nomi) cols << Q(n);
    Prepara(q, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(cols.join(QStringLiteral(", ")), Q(r.tabella)));
    q.bindValue(0, rowid);
    EseguiQ(q);
    std::vector<QVariant> out(r.nomi.size());
    *trovata = q.next();
    if (*trovata)
        for (int i = 0; i < int(r.nomi.size()); ++i) out[i] = Letto(r.defs[i], true, q.value(i), q.isNull(i));
    return out;
}

}  // namespace

void Recordset::Update()
{
    d->Verifica();
    RilasciaFlussi(*d->db);
    Impl& r = *d;
    if (r.modo == dbEditNone)
        Errore_(errdb::kSenzaModifica, QStringLiteral("Update o CancelUpdate senza AddNew o Edit."));
    // Fields of a primary index may not stay Null.
    for (int c : r.colonnePrimarie)
        if (!r.copia[c].isValid() && !(r.defs[c].attributi & kAttrAutoIncremento))
            Errore_(errdb::kNullInIndice,
                    QStringLiteral("L'indice o la chiave primaria non può contenere un valore Null (campo '%1').")
                        .arg(r.defs[c].nome));
    QStringList cols;
    QVariantList valori;
    for (int i = 0; i < int(r.nomi.size()); ++i) {
        if (!r.cambiato[i]) continue;
        cols << Q(r.nomi[i]);
        valori << ValorePerLegame(PerCampo(r.defs[i], r.copia[i]));
    }
    qint64 rowid = 0;
    if (r.modo == dbEditAdd) {
        QString sql;
        if (cols.isEmpty())
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Q(r.tabella));
        else {
            QStringList segni;
            for (int i = 0; i < cols.size(); ++i) segni << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(Q(r.tabella), cols.join(QStringLiteral(", ")), segni.join(QStringLiteral(", ")));
        }
        QSqlQuery& q = r.Preparata(sql);
        for (int i = 0; i < valori.size(); ++i) q.bindValue(i, valori.at(i));
        EseguiQ(q);
        rowid = q.lastInsertId().toLongLong();
        q.finish();
    } else {
        rowid = r.tipo == TipoRecordset::Tabella ? r.rowid : r.rowids[r.corrente];
        if (!cols.isEmpty()) {
            QStringList set;
            for (const QString& c : cols) set << c + QStringLiteral(" = ?");
            valori << rowid;
            QSqlQuery& q = r.Preparata(
                QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(Q(r.tabella), set.join(QStringLiteral(", "))));
            for (int i = 0; i < valori.size(); ++i) q.bindValue(i, valori.at(i));
            EseguiQ(q);
            q.finish();
        }
    }
    const bool aggiunta = r.modo == dbEditAdd;
    r.modo = dbEditNone;
    if (r.tipo == TipoRecordset::Tabella && aggiunta) {
        // The current row stays the one before AddNew: nothing to read.
        r.ultimoModificato = rowid;
        return;
    }
    bool trovata = false;
    std::vector<QVariant> nuova = RileggiRiga(r, rowid, &trovata);
    if (r.tipo == TipoRecordset::Tabella) {
        r.ultimoModificato = rowid;
        if (!aggiunta && trovata) {
            r.riga = nuova;
            const int k = r.campoIndice.isEmpty() ? -1 : r.perNome.value(r.campoIndice.toUpper(), -1);
            if (k >= 0) r.chiave = ValorePerLegame(PerCampo(r.defs[k], nuova[k]));
        }
    } else if (aggiunta) {
        r.righe.push_back(nuova);
        r.rowids.push_back(rowid);
        r.cancellate.push_back(false);
        r.ultimoModificato = int(r.righe.size()) - 1;
    } else {
        r.righe[r.corrente] = nuova;
        r.ultimoModificato = r.corrente;
    }
}

void Recordset::Delete()
{
    d->Verifica();
    RilasciaFlussi(*d->db);
    if (!d->aggiornabile)
        Errore_(errdb::kSoloLettura, QStringLiteral("Impossibile eliminare. Il record set è di sola lettura."));
    d->RichiedeRiga();
    d->modo = dbEditNone;
    const qint64 rowid = d->tipo == TipoRecordset::Tabella ? d->rowid : d->rowids[d->corrente];
    QSqlQuery q = Esegui(*d->db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Q(d->tabella)), {rowid});
    q.finish();
    if (d->tipo == TipoRecordset::Tabella)
        d->eliminato = true;
    else
        d->cancellate[d->corrente] = true;
}

qint64 Recordset::Bookmark() const
{
    d->Verifica();
    d->RichiedeRiga();
    return d->tipo == TipoRecordset::Tabella ? d->rowid : d->corrente;
}

void Recordset::SetBookmark(qint64 segnalibro)
{
    d->Verifica();
    d->modo = dbEditNone;
    if (d->tipo == TipoRecordset::Tabella) {
        if (!Prendi(*d, *d->qRiga, {segnalibro}))
            Errore_(errdb::kNessunRecord, QStringLiteral("Segnalibro non valido."));
        return;
    }
    if (segnalibro < 0 || segnalibro >= qint64(d->righe.size()) || d->cancellate[segnalibro])
        Errore_(errdb::kNessunRecord, QStringLiteral("Segnalibro non valido."));
    d->corrente = int(segnalibro);
}

qint64 Recordset::LastModified() const
{
    d->Verifica();
    if (d->ultimoModificato < 0) Errore_(errdb::kNessunRecord, QStringLiteral("Nessun record modificato."));
    return d->ultimoModificato;
}

void Recordset::Requery()
{
    d->Verifica();
    d->modo = dbEditNone;
    if (d->tipo == TipoRecordset::Tabella) {
        PrimoTabella(*d);
        return;
    }
    CaricaQuery(*d);
}

}  // namespace obx
