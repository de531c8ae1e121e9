#include "reports/Scambio.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <cmath>
#include <memory>
#include <vector>

#include "platform/Avanzamento.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Testo.h"
#include "shell/Anagrafe.h"
#include "shell/FileProtetti.h"
#include "shell/Globali.h"
#include "shell/VotoInCorso.h"

namespace obx {

namespace {

const QString kAcapo = QStringLiteral("\n");
constexpr int kMassimoSegnalati = 20;  // faults listed in one message

// A list of faults, each on its line, the first kMassimoSegnalati of them.
QString Elenco(const QStringList& difetti)
{
    QStringList righe = difetti.mid(0, kMassimoSegnalati);
    if (difetti.size() > kMassimoSegnalati)
        righe << QStringLiteral("... e altri %1").arg(difetti.size() - kMassimoSegnalati);
    return righe.join(kAcapo);
}

void Errore_(const Errore& e) { UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX); }

// What keeps a text out of an "@"-separated record: empty when nothing.
QString Inammissibile(const QString& testo)
{
    if (testo.contains(u'@')) return QStringLiteral("contiene \"@\", che separa i campi");
    if (testo.contains(u'\r') || testo.contains(u'\n')) return QStringLiteral("contiene un a capo");
    if (FromCp1252(ToCp1252(testo)) != testo) return QStringLiteral("contiene caratteri non ammessi nel file");
    return QString();
}

// ---------------------------------------------------------------------------
// Import

constexpr int kCampiOdG = 10;

// Widths of the DELIBERE fields the import writes.
constexpr int kLarghezzaTitolino = 16;
constexpr int kLarghezzaProtocollo = 20;
constexpr int kLarghezzaRiga = 24;
constexpr int kMassimaMaggioranza = 127;  // seven bits of iQuorumDE each

const QString kPrefissoTitolino = QStringLiteral("OdG n. ");

const char* const kNomiCampi[kCampiOdG] = {"numero argomento", "protocollo",
                                           "tipo argomento",   "titolo",
                                           "maggioranza",      "maggioranza per l'immediata eseguibilità",
                                           "titolo riga 1",    "titolo riga 2",
                                           "titolo riga 3",    "non usato"};

struct ArgomentoOdG {
    int iDelibera = 0;
    QString cTitolino, cProtocollo, cTipoArg, cTitolo;
    int iQuorum = 0;
    QString cRighe[3];
    int iPosizione = 0;
};

// Rounded to a whole number, halves to the even one.
double ArrotondaPari(double x)
{
    const double f = std::floor(x);
    const double d = x - f;
    if (d > 0.5) return f + 1;
    if (d < 0.5) return f;
    return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

// The number a numeric field holds: empty counts as 0; anything but one
// number (blanks around it allowed) is not a number, so that a field
// shifted by an "@" in a title is caught rather than read as 0.
bool NumeroCampo(const QString& testo, double& valore)
{
    static const QRegularExpression numero(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    QString t = testo;
    while (!t.isEmpty() && (t.front() == u' ' || t.front() == u'\t')) t.remove(0, 1);
    while (!t.isEmpty() && (t.back() == u' ' || t.back() == u'\t')) t.chop(1);
    if (t.isEmpty()) {
        valore = 0;
        return true;
    }
    if (!numero.match(t).hasMatch()) return false;
    valore = Val(t);
    return std::isfinite(valore);
}

// The fields of a line: split at every "@"; one "@" after the last field
// is allowed.
QStringList CampiRiga(const QString& riga)
{
    QStringList campi = riga.split(u'@');
    if (campi.size() > 1 && campi.last().isEmpty()) campi.removeLast();
    return campi;
}

// The text of an agenda file: in the encoding its byte-order mark names,
// else UTF-8 when the bytes are well-formed UTF-8 (what today's editors
// save), else Windows-1252.  False when a byte-order mark names an
// encoding the bytes then break.
bool TestoAgenda(const QByteArray& dati, QString& testo)
{
    if (const auto marcata = QStringConverter::encodingForData(dati)) {
        QStringDecoder d(*marcata, QStringConverter::Flag::Stateless);
        testo = d.decode(dati);
        if (d.hasError()) return false;
        if (!testo.isEmpty() && testo.front() == QChar(0xFEFF)) testo.remove(0, 1);
        return true;
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    testo = utf8.decode(dati);
    if (!utf8.hasError()) return true;
    testo = FromCp1252(dati);
    return true;
}

// A character no agenda text holds: a control character (a binary file, or
// one in an encoding not recognised), or one that stands for bytes that
// could not be read.
bool CarattereGuasto(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\t') || (u >= 0x7F && u < 0xA0) || u == 0xFFFD || u == 0xFEFF;
}

class LettoreOdG {
public:
    QStringList difetti;
    std::vector<ArgomentoOdG> argomenti;

    void Riga(int n, const QString& riga)
    {
        m_riga = n;
        // A line of blanks holds no item: nothing is stored for it.
        if (TrimSpazi(QString(riga).replace(u'\t', u' ')).isEmpty()) return;
        // Ten fields at most; the rest of the line is ignored.
        const QStringList campi = CampiRiga(riga).mid(0, kCampiOdG);
        for (const QChar c : riga) {
            if (!CarattereGuasto(c)) continue;
            difetti << QStringLiteral("Riga %1: contiene caratteri non leggibili (codice %2): il file non è un "
                                      "testo in una codifica conosciuta")
                           .arg(n)
                           .arg(c.unicode(), 4, 16, QChar(u'0'));
            return;
        }
        if (n > 32767) {
            difetti << QStringLiteral("Riga %1: oltre la posizione massima nell'ordine del giorno (32767)").arg(n);
            return;
        }
        auto campo = [&campi](int i) { return i <= campi.size() ? campi.at(i - 1) : QString(); };
        const int prima = int(difetti.size());

        ArgomentoOdG a;
        a.iPosizione = n;
        int numero = 0;
        if (Intero(1, Val(campo(1)), -32768, 32767, numero)) {
            // Item 0 is no item: a field without its number is a fault.
            if (numero == 0)
                Difetto(1, QStringLiteral("\"%1\" non dà un numero di argomento (0 non è ammesso)").arg(campo(1)));
            a.iDelibera = numero;
        }
        a.cTitolino = Testo(1, kPrefissoTitolino + campo(1), kLarghezzaTitolino, kPrefissoTitolino.size());
        a.cProtocollo = Testo(2, campo(2), kLarghezzaProtocollo, 0);
        double tipo = 0;
        if (Numero(3, campo(3), tipo)) a.cTipoArg = tipo <= 1 ? QStringLiteral("D") : QStringLiteral("C");
        a.cTitolo = campo(4);
        int maggioranza = 0, immediata = 0;
        double v = 0;
        if (Numero(5, campo(5), v)) Intero(5, v, 0, kMassimaMaggioranza, maggioranza);
        if (Numero(6, campo(6), v)) Intero(6, v, 0, kMassimaMaggioranza, immediata);
        a.iQuorum = (maggioranza & 127) + (immediata & 127) * 128;
        for (int k = 0; k < 3; ++k) a.cRighe[k] = Testo(7 + k, campo(7 + k) + u'.', kLarghezzaRiga, 1);

        if (difetti.size() != prima) return;
        for (const ArgomentoOdG& b : argomenti) {
            if (b.iDelibera != a.iDelibera) continue;
            Difetto(1, QStringLiteral("numero %1 già usato alla riga %2").arg(a.iDelibera).arg(b.iPosizione));
            return;
        }
        argomenti.push_back(a);
    }

private:
    int m_riga = 0;

    void Difetto(int campo, const QString& testo)
    {
        difetti << QStringLiteral("Riga %1, campo %2 (%3): %4")
                       .arg(m_riga)
                       .arg(campo)
                       .arg(QString::fromUtf8(kNomiCampi[campo - 1]), testo);
    }

    // The text as it goes into its field; one that does not fit is a fault.
    // aggiunti: characters the program adds to the field's own text.
    QString Testo(int campo, const QString& testo, int larghezza, int aggiunti)
    {
        const int n = int(RTrimSpazi(testo).size());
        if (n > larghezza)
            Difetto(campo,
                    QStringLiteral("testo di %1 caratteri, al massimo %2").arg(n - aggiunti).arg(larghezza - aggiunti));
        return testo;
    }

    bool Numero(int campo, const QString& testo, double& valore)
    {
        if (NumeroCampo(testo, valore)) return true;
        Difetto(campo, QStringLiteral("\"%1\" non è un numero").arg(testo));
        return false;
    }

    bool Intero(int campo, double valore, int minimo, int massimo, int& risultato)
    {
        const double r = ArrotondaPari(valore);
        if (r < minimo || r > massimo) {
            Difetto(campo, QStringLiteral("%1 fuori dai limiti (da %2 a %3)")
                               .arg(QString::number(valore, 'g', 15))
                               .arg(minimo)
                               .arg(massimo));
            return false;
        }
        risultato = int(r);
        return true;
    }
};

const QString kAgendaInvariata = QStringLiteral("Importazione annullata: gli Argomenti OdG non sono stati modificati.");

// Empties "DELIBERE" and stores the items, all in one transaction: a
// failure leaves the table as it was.
bool Sostituisce(const std::vector<ArgomentoOdG>& argomenti)
{
    try {
        Transazione transazione;
        dbArchivio.Execute(QStringLiteral("DELETE * FROM ") + cTabelle[2] + u';');
        Recordset rs = dbArchivio.OpenTable(cTabelle[2], QStringLiteral("TAG_A"));
        if (!rs.Updatable())
            throw Errore(errdb::kSoloLettura,
                         QStringLiteral("La tabella ") + cTabelle[2] + QStringLiteral(" non accetta nuove righe."));
        for (const ArgomentoOdG& a : argomenti) {
            rs.AddNew();
            rs.SetField(QStringLiteral("iDeliberaDE"), a.iDelibera);
            rs.SetField(QStringLiteral("cTitolinoDE"), a.cTitolino);
            rs.SetField(QStringLiteral("cProtocolloDE"), a.cProtocollo);
            rs.SetField(QStringLiteral("cTipoArgDE"), a.cTipoArg);
            rs.SetField(QStringLiteral("cTitoloDE"), a.cTitolo);
            rs.SetField(QStringLiteral("iQuorumDE"), a.iQuorum);
            rs.SetField(QStringLiteral("cTitolino1DE"), a.cRighe[0]);
            rs.SetField(QStringLiteral("cTitolino2DE"), a.cRighe[1]);
            rs.SetField(QStringLiteral("cTitolino3DE"), a.cRighe[2]);
            rs.SetField(QStringLiteral("iPosOdGDE"), a.iPosizione);
            rs.Update();
        }
        rs.Close();
        transazione.Commit();
        return true;
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione() + kAcapo + kAgendaInvariata, vbCritical, kTitoloOBX);
        return false;
    }
}

// ---------------------------------------------------------------------------
// Export

// The agenda item of a vote: the first row of "DELIBERE", in the order of
// its key, at the vote's position.  Positions 0 and Null belong to no item.
struct ArgomentoVoto {
    QByteArray numero;      // iDeliberaDE as text
    QByteArray protocollo;  // cProtocolloDE trimmed, in the file's bytes
    QString problema;       // why the protocol cannot go into the file
    QString protocolloTesto;
    int codice = 0;
};

QHash<int, ArgomentoVoto> LeggeArgomenti()
{
    QHash<int, ArgomentoVoto> argomenti;
    Recordset rs = dbArchivio.OpenTable(cTabelle[2], QStringLiteral("TAG_A"));
    for (; !rs.Eof(); rs.MoveNext()) {
        const QVariant pos = rs.Field(QStringLiteral("iPosOdGDE"));
        if (!pos.isValid() || pos.isNull() || pos.toInt() == 0) continue;
        if (argomenti.contains(pos.toInt())) continue;
        ArgomentoVoto a;
        a.codice = rs.Field(QStringLiteral("iDeliberaDE")).toInt();
        a.numero = QByteArray::number(a.codice);
        a.protocolloTesto = TrimSpazi(rs.Field(QStringLiteral("cProtocolloDE")).toString());
        a.protocollo = ToCp1252(a.protocolloTesto);
        a.problema = Inammissibile(a.protocolloTesto);
        argomenti.insert(pos.toInt(), a);
    }
    return argomenti;
}

// A seat as the "Dettaglio" layout needs it.
struct SeggioVoto {
    int codice = 0;    // bCodiceAN
    QByteArray iride;  // cIrideIdAN trimmed, in the file's bytes
};

// Letter of a key in the exchange format.
const char* LetteraVoto(QChar tasto)
{
    switch (tasto.unicode()) {
    case u'0': return "A";
    case u'3': return "F";
    case u'5': return "N";
    case u'6': return "C";
    default: return "";
    }
}

}  // namespace

bool ScambioRifiutato(bool bImportazione)
{
    if (RifiutaDuranteVoto()) return true;
    if (bImportazione && bConsoleAperta) {
        UI().MsgBox(QStringLiteral("Riunione Consiliare aperta: chiuderla prima di importare gli Argomenti OdG"),
                    vbExclamation, kTitoloOBX);
        return true;
    }
    return false;
}

void ImportaOdG(const QString& cFile, const QString& cFormato)
{
    if (ScambioRifiutato(true)) return;
    if (cFormato != kFormatoIride) {
        UI().MsgBox(QStringLiteral("Formato ") + cFormato + QStringLiteral(" Non Previsto"), vbCritical, kTitoloOBX);
        return;
    }

    // The whole file first: the agenda is touched only by a sound file.
    QFile f(cFile);
    if (!QFileInfo::exists(cFile)) {
        UI().MsgBox(QStringLiteral("File non trovato: ") + cFile + kAcapo + kAgendaInvariata, vbCritical, kTitoloOBX);
        return;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        UI().MsgBox(QStringLiteral("Lettura di ") + cFile + QStringLiteral(" fallita: ") + f.errorString() + kAcapo +
                        kAgendaInvariata,
                    vbCritical, kTitoloOBX);
        return;
    }
    const QByteArray dati = f.readAll();
    const bool letto = f.error() == QFileDevice::NoError;
    const QString errore = f.errorString();
    f.close();
    if (!letto) {
        UI().MsgBox(QStringLiteral("Lettura di ") + cFile + QStringLiteral(" fallita: ") + errore + kAcapo +
                        kAgendaInvariata,
                    vbCritical, kTitoloOBX);
        return;
    }
    QString testo;
    if (!TestoAgenda(dati, testo)) {
        UI().MsgBox(QStringLiteral("Il file ") + cFile +
                        QStringLiteral(" comincia col segno di una codifica Unicode ma non ne segue le regole.") +
                        kAcapo + kAgendaInvariata,
                    vbCritical, kTitoloOBX);
        return;
    }
    const QStringList righe = RigheTesto(testo);
    if (righe.isEmpty()) {
        UI().MsgBox(QStringLiteral("Il file ") + cFile + QStringLiteral(" non contiene argomenti.") + kAcapo +
                        kAgendaInvariata,
                    vbCritical, kTitoloOBX);
        return;
    }
    LettoreOdG lettore;
    for (int i = 0; i < righe.size(); ++i) lettore.Riga(i + 1, righe.at(i));
    if (!lettore.difetti.isEmpty()) {
        UI().MsgBox(kAgendaInvariata + kAcapo + kAcapo + Elenco(lettore.difetti), vbCritical, kTitoloOBX);
        return;
    }

    qint64 presenti = 0;
    try {
        presenti = dbArchivio.RowCount(cTabelle[2]);
    } catch (const Errore& e) {
        Errore_(e);
        return;
    }
    if (presenti > 0 && UI().MsgBox(QStringLiteral("Confermi Svuotamento Archivio"),
                                    vbOKCancel + vbQuestion + vbDefaultButton2, kTitoloOBX) != vbOK)
        return;
    if (!Sostituisce(lettore.argomenti)) return;
    UI().MsgBox(QStringLiteral("Importazione Terminata"), vbOKOnly, kTitoloOBX);
}

void EsportaVoti(const QString& cFile, const QString& cFormato, bool bSintesi)
{
    if (ScambioRifiutato(false)) return;
    // Never over a file the program holds (the archive, its ".ini", ...).
    if (const QString avviso = AvvisoFileProtetto(cFile); !avviso.isEmpty()) {
        UI().MsgBox(avviso, vbCritical, kTitoloOBX);
        return;
    }
    const bool iride = cFormato == kFormatoIride;
    const QString annullata = QStringLiteral("Esportazione annullata: nessun file scritto.");

    // Written aside and put in place only once complete: a refused, failed
    // or stopped export leaves an earlier file as it was.
    QSaveFile file(cFile);
    if (!file.open(QIODevice::WriteOnly)) {
        UI().MsgBox(QStringLiteral("Scrittura di ") + cFile + QStringLiteral(" fallita: ") + file.errorString(),
                    vbCritical, kTitoloOBX);
        return;
    }

    // The seats in a copy of the export's own (it tells why when it fails);
    // a detail without them would leave every vote out.  The summary names
    // no seat: a registry that cannot be read neither stops it nor raises a
    // box before its outcome.
    Registro registro;
    if (!bSintesi && !LeggeAnagrafe(registro)) {
        file.cancelWriting();
        UI().MsgBox(annullata, vbCritical, kTitoloOBX);
        return;
    }
    std::vector<SeggioVoto> seggi;
    QStringList problemi;
    for (size_t i = 1; i < registro.posti.size(); ++i) {
        const Posto& p = registro.posti[i];
        const QString id = TrimSpazi(p.cIrideIdAN);
        seggi.push_back({p.bCodiceAN, ToCp1252(id)});
        if (bSintesi || !iride) continue;
        const QString problema = Inammissibile(id);
        if (!problema.isEmpty())
            problemi << QStringLiteral("%1 (codice %2): l'identificativo esterno \"%3\" %4")
                            .arg(TrimSpazi(p.cNomeAN))
                            .arg(p.bCodiceAN)
                            .arg(id, problema);
    }
    bool seggiControllati = false;

    // A failure of the archive stops the export: a file without the votes
    // that could not be read would pass for the whole record.
    QString guasto;
    auto guastoDa = [&guasto](const Errore& e) {
        if (guasto.isEmpty())
            guasto = QStringLiteral("Errore ") + QString::number(e.Numero()) + QStringLiteral(": ") + e.Descrizione();
    };

    QHash<int, ArgomentoVoto> argomenti;
    try {
        argomenti = LeggeArgomenti();
    } catch (const Errore& e) {
        guastoDa(e);
    }

    Recordset rs;
    int totale = 0;
    if (guasto.isEmpty()) {
        try {
            rs = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
            totale = rs.RecordCount();
        } catch (const Errore& e) {
            guastoDa(e);
        }
    }

    Avanzamento avanzamento(bSintesi ? QStringLiteral("Esportazione Voti - Sintesi")
                                     : QStringLiteral("Esportazione Voti - Dettaglio"),
                            totale);
    QByteArray uscita;
    const QByteArray nonPrevisto = QByteArrayLiteral("Non Previsto\r\n");
    bool scritto = true;
    auto svuota = [&] {
        if (file.write(uscita) != uscita.size()) scritto = false;
        uscita.clear();
    };

    int n = 0;
    bool fine = !guasto.isEmpty() || !rs.IsOpen();
    bool fermata = false;
    if (!fine) {
        try {
            fine = rs.Eof();
        } catch (const Errore& e) {
            guastoDa(e);
            fine = true;
        }
    }
    while (!fine) {
        // Everything of the vote starts empty: a row that cannot be read
        // never carries the previous vote's figures.
        int codice = 0, presenti = 0, favorevoli = 0, contrari = 0, astenuti = 0;
        bool immediata = false;
        const ArgomentoVoto* argomento = nullptr;
        QString votanti, voti;
        try {
            codice = rs.Field(QStringLiteral("lCodiceVT")).toInt();
            const QVariant delibera = rs.Field(QStringLiteral("iDeliberaVT"));
            if (delibera.isValid() && !delibera.isNull()) {
                const int d = delibera.toInt();
                immediata = d < 0;
                const auto it = argomenti.constFind(std::abs(d));
                if (d != 0 && it != argomenti.constEnd()) argomento = &it.value();
            }
            presenti = rs.Field(QStringLiteral("iPresentiVT")).toInt();
            favorevoli = rs.Field(QStringLiteral("iFavorevoliVT")).toInt();
            contrari = rs.Field(QStringLiteral("iContrariVT")).toInt();
            astenuti = rs.Field(QStringLiteral("iAstenutiVT")).toInt();
            if (!bSintesi) {
                votanti = rs.Field(QStringLiteral("cVotantiVT")).toString();
                voti = rs.Field(QStringLiteral("cVotiVT")).toString();
            }
        } catch (const Errore& e) {
            guastoDa(e);
            break;
        }

        if (iride && argomento && !argomento->problema.isEmpty())
            problemi << QStringLiteral("Votazione %1: il protocollo \"%2\" dell'argomento %3 %4")
                            .arg(codice)
                            .arg(argomento->protocolloTesto)
                            .arg(argomento->codice)
                            .arg(argomento->problema);
        seggiControllati = true;

        if (problemi.isEmpty()) {
            const QByteArray numero = argomento ? argomento->numero : QByteArray();
            const QByteArray protocollo = argomento ? argomento->protocollo : QByteArray();
            if (bSintesi) {
                if (!iride)
                    uscita += nonPrevisto;
                else {
                    uscita += protocollo;
                    uscita += '@';
                    uscita += QByteArray::number(presenti);
                    uscita += '@';
                    uscita += QByteArray::number(favorevoli);
                    uscita += '@';
                    uscita += QByteArray::number(contrari);
                    uscita += '@';
                    uscita += QByteArray::number(astenuti);
                    uscita += "@\r\n";
                }
            } else {
                // Who keyed: the first place of each person's code.
                int primo[StringaPosti::kLunghezza + 1];
                std::fill(std::begin(primo), std::end(primo), -1);
                for (int i = 0; i < votanti.size(); ++i) {
                    const int c = votanti.at(i).unicode();
                    if (StringaPosti::Valido(c) && primo[c] < 0) primo[c] = i;
                }
                QByteArray testa = numero;
                testa += '@';
                testa += protocollo;
                testa += '@';
                for (const SeggioVoto& s : seggi) {
                    if (!iride) {
                        uscita += nonPrevisto;
                        continue;
                    }
                    const int pos = StringaPosti::Valido(s.codice) ? primo[s.codice] : -1;
                    const char* lettera = pos >= 0 && pos < voti.size() ? LetteraVoto(voti.at(pos)) : "";
                    uscita += testa;
                    uscita += s.iride;
                    uscita += pos >= 0 ? "@S@" : "@N@";
                    if (!immediata) uscita += lettera;
                    uscita += '@';
                    if (immediata) uscita += lettera;
                    uscita += "@\r\n";
                }
            }
            if (uscita.size() > (1 << 20)) svuota();
        }

        avanzamento.Passo(++n);
        if (avanzamento.Fermato()) {
            fermata = true;
            break;
        }
        try {
            rs.MoveNext();
            fine = rs.Eof();
        } catch (const Errore& e) {
            guastoDa(e);
            fine = true;
        }
    }
    // The seats' identifiers matter only once a vote is written.
    if (!seggiControllati && !bSintesi) problemi.clear();
    try {
        if (rs.IsOpen()) rs.Close();
    } catch (const Errore&) {
        // Whatever was read is already in hand.
    }

    if (fermata) {
        file.cancelWriting();
        UI().MsgBox(QStringLiteral("Esportazione Voti Interrotta: nessun file scritto."), vbExclamation, kTitoloOBX);
        return;
    }
    if (!guasto.isEmpty()) {
        file.cancelWriting();
        UI().MsgBox(annullata + kAcapo + kAcapo + guasto, vbCritical, kTitoloOBX);
        return;
    }
    if (!problemi.isEmpty()) {
        file.cancelWriting();
        UI().MsgBox(annullata + kAcapo + kAcapo + Elenco(problemi), vbCritical, kTitoloOBX);
        return;
    }
    svuota();
    if (!scritto || !file.commit()) {
        UI().MsgBox(QStringLiteral("Scrittura di ") + cFile + QStringLiteral(" fallita: ") + file.errorString(),
                    vbCritical, kTitoloOBX);
        return;
    }
    UI().MsgBox(QStringLiteral("Esportazione Voti Terminata"), vbOKOnly, kTitoloOBX);
}

}  // namespace obx
