#include "shell/RecordAtti.h"

#include <algorithm>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Testo.h"
#include "shell/AlberoAtti.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

namespace obx {

namespace {

constexpr int kLarghezzaParametri = 12;
constexpr int kLarghezzaId = kSegmentoChiave - 1;
constexpr int kLarghezzaNumero = 16;
constexpr int kLarghezzaEvento = 24;

QString SenzaSpazi(QString s) { return s.remove(u' '); }

// Type letter of the act at level k (1..6) on the path held by cParametri.
QString TipoLivello(const QString& cParametri, int k) { return cParametri.mid(k + 1, 1); }

// Identifier at level k (1..6) held in the tree key, without blanks.
QString IdChiave(const QString& cTreeKey, int k)
{
    return TrimSpazi(cTreeKey.mid((k - 1) * kSegmentoChiave + 1, kLarghezzaId));
}

// Whether the grammar admits more than one type at level k under that parent.
bool PiuTipi(int k, const QString& cTipoPadre) { return TipiAmmessi(k, cTipoPadre, QString()).size() > 1; }

}  // namespace

RecordAtto LeggeRecordAtto(const Recordset& rs)
{
    RecordAtto r;
    auto campo = [&](const char* nome, const QString& predefinito = QString()) {
        return LeggeCampo(rs.Field(QString::fromLatin1(nome)), 0, predefinito);
    };
    r[0] = campo("iCodLeggeLG", QStringLiteral("0"));
    r[1] = campo("cParametriLG");
    for (int k = 1; k <= 5; ++k) r[k + 1] = LeggeCampo(rs.Field(CampoIDLivello(k)), 0, QString());
    r[7] = campo("cNumeroAttoLG");
    r[8] = campo("iRadiceLeggeLG", QStringLiteral("0"));
    r[9] = campo("cDescEventoLG");
    r[10] = campo("cTreeKeyLG");
    return r;
}

bool CercaAtto(int iCodice, RecordAtto& cRecord)
{
    cRecord = RecordAtto{};
    Recordset rs =
        dbArchivio.OpenQuery(QStringLiteral("SELECT * FROM %1 WHERE iCodLeggeLG = ?").arg(cTabelle[5]), {iCodice});
    const bool trovato = !rs.Eof();
    if (trovato) cRecord = LeggeRecordAtto(rs);
    rs.Close();
    return trovato;
}

int NuovoCodiceAtto()
{
    Recordset rs =
        dbArchivio.OpenQuery(QStringLiteral("SELECT iCodLeggeLG FROM %1 ORDER BY iCodLeggeLG DESC").arg(cTabelle[5]));
    const int codice = rs.Eof() ? 1 : rs.Field(QStringLiteral("iCodLeggeLG")).toInt() + 1;
    rs.Close();
    return codice;
}

QString DescrizioneAtto(const QString& cParametri, int iLivello, const QString& cNumero, const QString& cTreeKey)
{
    QString testo = TipoAtto(TipoLivello(cParametri, 1), 0) + u' ' + SenzaSpazi(cNumero);
    for (int k = 2; k <= iLivello && k <= kLivelliAlbero; ++k) {
        testo += cSepara;
        const QString tipo = TipoLivello(cParametri, k);
        if (PiuTipi(k, TipoLivello(cParametri, k - 1))) testo += TipoAtto(tipo, 0) + u' ';
        testo += SenzaSpazi(IdChiave(cTreeKey, k));
    }
    return testo;
}

QString TestoEventoAtto(const QString& cParametri, int iLivello, const QString& cNumero, const QString& cTreeKey)
{
    QString testo = DescrizioneAtto(cParametri, iLivello, cNumero, cTreeKey);
    if (iLivello > 1 && testo.size() > kLarghezzaEvento) testo = SenzaSpazi(testo);
    return PadTaglia(testo, kLarghezzaEvento);
}

// The levels 2..iLivello of the console's texts: cSepara, the type's label
// where there was a choice, the identifier trimmed (inner blanks kept).
QString LivelliConsole(const QString& cParametri, int iLivello, const QString& cTreeKey)
{
    QString testo;
    for (int k = 2; k <= iLivello && k <= kLivelliAlbero; ++k) {
        testo += cSepara;
        const QString tipo = TipoLivello(cParametri, k);
        if (PiuTipi(k, TipoLivello(cParametri, k - 1))) testo += TipoAtto(tipo, 0) + u' ';
        testo += IdChiave(cTreeKey, k);
    }
    return testo;
}

QString TestoEventoAttoConsole(const QString& cParametri, int iLivello, const QString& cNumero, const QString& cTreeKey)
{
    QString testo = TrimSpazi(cNumero) + u' ' + TipoAtto(TipoLivello(cParametri, 1), 0) +
                    LivelliConsole(cParametri, iLivello, cTreeKey);
    if (iLivello > 1 && testo.size() > kLarghezzaEvento) testo = SenzaSpazi(testo);
    return PadTaglia(testo, kLarghezzaEvento);
}

QString VoceListaAtti(const QString& cParametri, const QString& cNumero, const QString& cTreeKey, int iCodice)
{
    int livello = 1;
    while (livello < kLivelliAlbero) {
        const QString t = TipoLivello(cParametri, livello + 1);
        if (t.isEmpty() || t == u"?" || t == u" ") break;
        ++livello;
    }
    return TipoAtto(TipoLivello(cParametri, 1), 0) + u' ' + TrimSpazi(cNumero) +
           LivelliConsole(cParametri, livello, cTreeKey) + QStringLiteral(" [") +
           Formato(iCodice, QStringLiteral("######")) + u']';
}

RigaAtto ComponeAtto(const RecordAtto& cPercorso, int iLivello, const QString& cTipo, QChar cStato, int iCodice,
                     const QString& cId, const QString& cNumero, const QString& cDescrizione)
{
    RigaAtto r;
    r.iLivello = iLivello;
    r.iCodLeggeLG = iCodice;
    const QString tipo = cTipo.left(1);

    // Identifiers: the path's above the act, its own, blanks below.
    QString proprio = TrimSpazi(cId);
    if (proprio.isEmpty())
        proprio = CalcolaIDLegge(iLivello > 1 ? cPercorso[10] : QString(), tipo, iLivello);
    else
        proprio = PadTaglia(proprio, kLarghezzaId);
    for (int k = 1; k <= kLivelliAlbero; ++k) {
        if (k < iLivello)
            r.cID[k] = TrimSpazi(cPercorso[k + 1]);
        else if (k == iLivello)
            r.cID[k] = proprio;
        else
            r.cID[k] = QString(kLarghezzaId, u' ');
    }

    r.cTreeKeyLG = ChiaveFiglio(cPercorso[10], iLivello, tipo, proprio);

    // Own type, state, the path's letters down to the act, "?" after.
    QString parametri = tipo + cStato;
    if (iLivello > 1) parametri += PadTaglia(cPercorso[1], iLivello + 1).mid(2, iLivello - 1);
    parametri += tipo;
    r.cParametriLG = (parametri + QString(kLarghezzaParametri, u'?')).left(kLarghezzaParametri);

    if (iLivello == 1) {
        r.cNumeroAttoLG = PadTaglia(TrimSpazi(cNumero), kLarghezzaNumero);
        r.cDescLeggeLG = TrimSpazi(cDescrizione) + QStringLiteral(" .");
        r.iRadiceLeggeLG = iCodice;
    } else {
        r.cNumeroAttoLG = PadTaglia(TrimSpazi(cPercorso[7]), kLarghezzaNumero);
        r.cDescLeggeLG = QStringLiteral(".");
        r.iRadiceLeggeLG = int(Val(cPercorso[8]));
    }
    r.cDescEventoLG = TestoEventoAtto(r.cParametriLG, iLivello, r.cNumeroAttoLG, r.cTreeKeyLG);
    r.cNomeVideoLG = AbbreviaTesto(r.cDescEventoLG);
    r.cNomeLedLG = r.cNomeVideoLG;
    return r;
}

RigaAtto ComponeAttoConsole(const RecordAtto& cPercorso, int iLivello, const QString& cTipo, QChar cStato, int iCodice,
                            const QString& cId, const QString& cNumero)
{
    RigaAtto r = ComponeAtto(cPercorso, iLivello, cTipo, cStato, iCodice, cId, cNumero, QString());
    r.cDescLeggeLG = iLivello == 1 ? QStringLiteral("n.d.") : QStringLiteral(".");
    r.cDescEventoLG = TestoEventoAttoConsole(r.cParametriLG, iLivello, r.cNumeroAttoLG, r.cTreeKeyLG);
    r.cNomeVideoLG = AbbreviaTesto(r.cDescEventoLG);
    r.cNomeLedLG = r.cNomeVideoLG;
    return r;
}

void ScriveAtto(Recordset& rs, const RigaAtto& r)
{
    rs.SetField(QStringLiteral("iCodLeggeLG"), r.iCodLeggeLG);
    for (int k = 1; k <= kLivelliAlbero; ++k) rs.SetField(CampoIDLivello(k), r.cID[k]);
    rs.SetField(QStringLiteral("cTreeKeyLG"), r.cTreeKeyLG);
    rs.SetField(QStringLiteral("cParametriLG"), r.cParametriLG);
    rs.SetField(QStringLiteral("cNumeroAttoLG"), r.cNumeroAttoLG);
    rs.SetField(QStringLiteral("cDescLeggeLG"), r.cDescLeggeLG);
    rs.SetField(QStringLiteral("iRadiceLeggeLG"), r.iRadiceLeggeLG);
    rs.SetField(QStringLiteral("cDescEventoLG"), r.cDescEventoLG);
    rs.SetField(QStringLiteral("cNomeVideoLG"), r.cNomeVideoLG);
    rs.SetField(QStringLiteral("cNomeLedLG"), r.cNomeLedLG);
}

bool ChiaveDuplicata(const QString& cTreeKey, int iCodice)
{
    // Keys are compared exactly (case and every character), as the tree
    // view compares its node keys; trailing blanks do not count.
    Recordset rs = dbArchivio.OpenQuery(
        QStringLiteral("SELECT iCodLeggeLG FROM %1 WHERE rtrim(cTreeKeyLG, ' ') = ? COLLATE BINARY "
                       "AND iCodLeggeLG <> ?")
            .arg(cTabelle[5]),
        {RTrimSpazi(cTreeKey), iCodice});
    const bool doppia = !rs.Eof();
    rs.Close();
    return doppia;
}

bool SalvaAtto(Recordset& rsLeggi, const RigaAtto& riga, bool xNuovo)
{
    try {
        if (ChiaveDuplicata(riga.cTreeKeyLG, riga.iCodLeggeLG)) {
            UI().MsgBox(QStringLiteral("Chiave Duplicata"), vbCritical, kTitoloOBX);
            return false;
        }
        if (xNuovo) {
            rsLeggi.AddNew();
        } else {
            rsLeggi.Seek(QStringLiteral("="), riga.iCodLeggeLG);
            if (rsLeggi.NoMatch()) return false;
            rsLeggi.Edit();
        }
        ScriveAtto(rsLeggi, riga);
        rsLeggi.Update();
        rsLeggi.Seek(QStringLiteral("="), riga.iCodLeggeLG);
        return true;
    } catch (const Errore& e) {
        try {
            if (rsLeggi.IsOpen() && rsLeggi.EditMode() != dbEditNone) rsLeggi.CancelUpdate();
        } catch (const Errore&) {
        }
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
        return false;
    }
}

namespace {

// The act's own segments: the prefix of the keys of its subtree; empty for
// a level outside 1..6 or a blank key.
QString PrefissoSottoalbero(const QString& cTreeKey, int iLivello)
{
    if (iLivello < 1 || iLivello > kLivelliAlbero) return QString();
    const QString prefisso = PadTaglia(cTreeKey, kLunghezzaChiave).left(iLivello * kSegmentoChiave);
    return TrimSpazi(prefisso).isEmpty() ? QString() : prefisso;
}

}  // namespace

int EliminaSottoalbero(const QString& cTreeKey, int iLivello)
{
    const QString prefisso = PrefissoSottoalbero(cTreeKey, iLivello);
    if (prefisso.isEmpty()) return 0;
    // The act and its descendants: every key that begins with the act's own
    // segments, matched character by character.
    return dbArchivio.Execute(
        QStringLiteral("DELETE FROM %1 WHERE substr(cTreeKeyLG, 1, ?) = ? COLLATE BINARY").arg(cTabelle[5]),
        {int(prefisso.size()), prefisso});
}

int ContaSottoalbero(const QString& cTreeKey, int iLivello)
{
    const QString prefisso = PrefissoSottoalbero(cTreeKey, iLivello);
    if (prefisso.isEmpty()) return 0;
    Recordset rs = dbArchivio.OpenQuery(
        QStringLiteral("SELECT count(*) AS n FROM %1 WHERE substr(cTreeKeyLG, 1, ?) = ? COLLATE BINARY")
            .arg(cTabelle[5]),
        {int(prefisso.size()), prefisso});
    const int n = rs.Eof() ? 0 : rs.Field(QStringLiteral("n")).toInt();
    rs.Close();
    return n;
}

QString ControllaIdAtto(const QString& cId)
{
    const QString id = TrimSpazi(cId);
    const int massimo = kSegmentoChiave - 1;
    bool controllo = false;
    for (const QChar c : id)
        if (c.category() == QChar::Other_Control || c.unicode() < 32) controllo = true;
    if (id.size() > massimo || controllo || (!cSepara.isEmpty() && id.contains(cSepara)))
        return QStringLiteral("ID non valido: al massimo %1 caratteri, senza il separatore \"%2\" "
                              "e senza caratteri di controllo")
            .arg(massimo)
            .arg(cSepara);
    return QString();
}

QString ChiaveNodoAtto(const QString& cTreeKey, int iLivello)
{
    QString chiave;
    for (int k = 1; k <= iLivello && k <= kLivelliAlbero; ++k)
        chiave += cTreeKey.mid((k - 1) * kSegmentoChiave, 1) + IdChiave(cTreeKey, k) + cSepara;
    return chiave;
}

QString TestoNodoAtto(const QString& cTipoPadre, const QString& cTipo, int iLivello, const QString& cNumeroId,
                      const QString& cStato, int iOpzioni)
{
    QString testo;
    if (iLivello > 1 && PiuTipi(iLivello, cTipoPadre)) testo = TipiAmmessi(iLivello, cTipoPadre, cTipo);
    testo += TipoAtto(cTipo, 0) + u' ' + TrimSpazi(cNumeroId);
    const int pos = cStato.size() == 1 ? int(cLettereStati.indexOf(cStato.at(0))) : -1;
    if ((iOpzioni & 1) && pos >= 0 && pos < int(cStatiArgomento.size()))
        testo += QStringLiteral(" (") + cStatiArgomento[pos] + u')';
    return testo;
}

NodoAtto NodoDiAtto(const RigaAtto& riga, int iOpzioni)
{
    const int l = riga.iLivello;
    const QString tipo = riga.cParametriLG.left(1);
    const QString tipoPadre = l > 1 ? riga.cParametriLG.mid(l, 1) : QString();
    const QString numeroId = l == 1 ? riga.cNumeroAttoLG : riga.cID[size_t(std::clamp(l, 1, kLivelliAlbero))];
    const QString stato = riga.cParametriLG.mid(1, 1);
    NodoAtto n;
    n.chiave = ChiaveNodoAtto(riga.cTreeKeyLG, l);
    n.chiavePadre = l > 1 ? ChiaveNodoAtto(riga.cTreeKeyLG, l - 1) : QString();
    n.testo = TestoNodoAtto(tipoPadre, tipo, l, numeroId, stato, iOpzioni);
    n.tag = TagNodoAtto(tipo, l, stato, riga.iCodLeggeLG);
    return n;
}

QString TagNodoAtto(const QString& cTipo, int iLivello, const QString& cStato, int iCodice)
{
    return cTipo.left(1) + QChar(char16_t(u'0' + iLivello)) +
           (cStato.isEmpty() ? QStringLiteral(" ") : cStato.left(1)) + Formato(iCodice, QStringLiteral("######"));
}

}  // namespace obx
