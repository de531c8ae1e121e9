#include "shell/Anagrafe.h"

#include <QSet>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

// The number a field holds, when it holds one.
bool Numerico(const QVariant& v, double* x)
{
    if (!v.isValid()) return false;
    bool ok = false;
    const double d = v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok) : v.toDouble(&ok);
    if (ok) *x = d;
    return ok;
}

int Intero(const QVariant& v, int altrimenti = 0)
{
    double x = 0;
    return Numerico(v, &x) ? int(x) : altrimenti;
}

float Reale(const QVariant& v)
{
    double x = 0;
    return Numerico(v, &x) ? float(x) : 0.0f;
}

QString Testo(const QVariant& v) { return v.isValid() ? v.toString() : QString(); }

// Role of a row: an empty or blank role counts as none.
QString Ruolo(const QVariant& v)
{
    const QString r = TrimSpazi(Testo(v));
    return r.isEmpty() ? QString() : r.left(1);
}

void ErroreArchivio(const Errore& e)
{
    UI().MsgBox(e.Descrizione(), vbCritical, QStringLiteral("Errore ") + QString::number(e.Numero()));
}

// Person codes already reported as unfit for the per-seat strings, so that
// each is told once and not at every reload.
QSet<QString>& CodiciSegnalati()
{
    static QSet<QString> s;
    return s;
}

bool Leggi(Registro& r)
{
    Recordset rs = dbArchivio.OpenTable(cTabelle[1], QStringLiteral("TAG_A"));
    if (rs.Eof()) {
        UI().MsgBox(QStringLiteral("Archivio Anagrafico Vuoto"), vbCritical, kTitoloOBX);
        return false;
    }
    std::vector<Posto>& posti = r.posti;
    std::vector<Ospite>& ospiti = r.ospiti;
    std::vector<Partito>& partiti = r.partiti;
    posti.assign(1, Posto{});
    ospiti.assign(1, Ospite{});
    partiti.assign(1, Partito{});
    r.fuoriLimite.clear();
    for (; !rs.Eof(); rs.MoveNext()) {
        const QString ruolo = Ruolo(rs.Field(QStringLiteral("cTipoAN")));
        const QVariant partito = rs.Field(QStringLiteral("cPartitoAN"));
        const int codice = Intero(rs.Field(QStringLiteral("bCodiceAN")));
        const QString nome = PadTaglia(Testo(rs.Field(QStringLiteral("cNomeAN"))), 30);
        const QString breve = PadTaglia(Testo(rs.Field(QStringLiteral("cNomeBreveAN"))), 16);
        if (!StringaPosti::Valido(codice)) r.fuoriLimite << QString::number(codice) + u' ' + TrimSpazi(nome);
        int iPartito = 0;
        if (partito.isValid()) {
            const QString k = ChiavePartito(partito.toString());
            for (size_t i = 1; i < partiti.size(); ++i)
                if (partiti[i].cPartito == k) {
                    iPartito = int(i);
                    break;
                }
            if (!iPartito) {
                partiti.push_back({k, 0});
                iPartito = int(partiti.size()) - 1;
            }
        }
        const bool seggio = !ruolo.isEmpty() && cRuoliSeggio.contains(ruolo);
        if (!seggio) {
            Ospite o;
            o.cNomeAN = nome;
            o.cNomeBreveAN = breve;
            o.cTipoAN = ruolo;
            o.bCodiceAN = codice;
            ospiti.push_back(o);
            continue;
        }
        Posto p;
        p.cNomeBreveAN = breve;
        p.cNomeAN = nome;
        p.cTipoAN = p.cTipoOrigine = ruolo;
        if (partito.isValid()) {
            p.cPartitoAN = PadTaglia(partito.toString(), 20);
            p.iPartito = iPartito;
        } else {
            p.cPartitoAN = QString(20, u' ');
            p.iPartito = 0;
        }
        p.bCodiceAN = codice;
        if (cRuoliSenzaVoto.contains(ruolo)) {
            p.iStato = 0;
            p.iVotatoreAN = p.iVotatoreUso = 0;
        } else {
            p.iStato = kAventeDiritto;
            p.iVotatoreAN = p.iVotatoreUso = Intero(rs.Field(QStringLiteral("iVotatoreAN")));
        }
        p.iSmartCardAN = Intero(rs.Field(QStringLiteral("iSmartCardAN")), p.iVotatoreAN);
        p.iPulsanteAN = Intero(rs.Field(QStringLiteral("iPulsanteAN")));
        p.iPannelloAN = Intero(rs.Field(QStringLiteral("iPannelloAN")));
        p.nTopAN = Reale(rs.Field(QStringLiteral("nTopAN")));
        p.nLeftAN = Reale(rs.Field(QStringLiteral("nLeftAN")));
        p.nTopTvAN = Reale(rs.Field(QStringLiteral("nTopTvAN")));
        p.nSinTvAN = Reale(rs.Field(QStringLiteral("nSinTvAN")));
        const QVariant iride = rs.Field(QStringLiteral("cIrideIdAN"));
        p.cIrideIdAN = iride.isValid() ? PadTaglia(iride.toString(), 6) : QString();
        p.iInterventi = 0;
        p.cVoto = QStringLiteral(" ");
        p.iConteggio = 0;
        posti.push_back(p);
    }
    rs.Close();
    return true;
}

bool Carica()
{
    Registro r;
    if (!Leggi(r)) return false;
    // The arrays change only once the whole table has been read.
    aPosti = std::move(r.posti);
    aOspiti = std::move(r.ospiti);
    aPartiti = std::move(r.partiti);
    QStringList nuovi;
    for (const QString& voce : r.fuoriLimite) {
        const QString chiave = cPathArchivio + u'|' + voce;
        if (CodiciSegnalati().contains(chiave)) continue;
        CodiciSegnalati().insert(chiave);
        nuovi << voce;
    }
    if (!nuovi.isEmpty())
        UI().MsgBox(QStringLiteral("Codice persona fuori dai limiti 1-%1: i suoi voti non possono essere registrati.\n")
                            .arg(StringaPosti::kLunghezza) +
                        nuovi.join(u'\n'),
                    vbExclamation, kTitoloOBX);
    return true;
}

bool Salva()
{
    Recordset rs = dbArchivio.OpenTable(cTabelle[1], QStringLiteral("TAG_A"));
    bool ok = true;
    for (size_t i = 1; i < aPosti.size(); ++i) {
        const Posto& p = aPosti[i];
        try {
            rs.Seek(QStringLiteral("="), p.bCodiceAN);
            if (rs.NoMatch()) continue;  // the person was removed from the registry
            rs.Edit();
            rs.SetField(QStringLiteral("iPulsanteAN"), p.iPulsanteAN);
            rs.SetField(QStringLiteral("nTopAN"), p.nTopAN);
            rs.SetField(QStringLiteral("nLeftAN"), p.nLeftAN);
            rs.SetField(QStringLiteral("nTopTvAN"), p.nTopTvAN);
            rs.SetField(QStringLiteral("nSinTvAN"), p.nSinTvAN);
            rs.Update();
        } catch (const Errore& e) {
            if (rs.IsOpen() && rs.EditMode() != dbEditNone) rs.CancelUpdate();
            if (ok) ErroreArchivio(e);
            ok = false;
        }
    }
    return ok;
}

}  // namespace

QString ChiavePartito(const QString& v) { return PadTaglia(LTrimSpazi(v.toUpper()), 20); }

bool LeggeAnagrafe(Registro& r)
{
    try {
        return Leggi(r);
    } catch (const Errore& e) {
        ErroreArchivio(e);
        return false;
    }
}

bool GestisceAnagrafe(bool bCarica)
{
    try {
        return bCarica ? Carica() : Salva();
    } catch (const Errore& e) {
        ErroreArchivio(e);
        return false;
    }
}

bool ScriveDisposizione(const std::vector<const Posto*>& posti, CampiDisposizione campi)
{
    if (posti.empty()) return true;
    try {
        Recordset rs = dbArchivio.OpenTable(cTabelle[1], QStringLiteral("TAG_A"));
        Transazione transazione;
        for (const Posto* p : posti) {
            rs.Seek(QStringLiteral("="), p->bCodiceAN);
            if (rs.NoMatch()) continue;  // the person was removed from the registry
            rs.Edit();
            if (campi == CampiDisposizione::Console) {
                rs.SetField(QStringLiteral("iPulsanteAN"), p->iPulsanteAN);
                rs.SetField(QStringLiteral("nTopAN"), p->nTopAN);
                rs.SetField(QStringLiteral("nLeftAN"), p->nLeftAN);
            } else {
                rs.SetField(QStringLiteral("nTopTvAN"), p->nTopTvAN);
                rs.SetField(QStringLiteral("nSinTvAN"), p->nSinTvAN);
            }
            rs.Update();
        }
        rs.Close();
        transazione.Commit();
        return true;
    } catch (const Errore& e) {
        ErroreArchivio(e);
        return false;
    }
}

}  // namespace obx
