#include "links/Tabellone.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "board/frmVideo.h"
#include "links/ComSeriali.h"
#include "links/frmLED.h"
#include "platform/Dialoghi.h"
#include "platform/Parallela.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

namespace obx {

namespace {

const QChar SOH(0x01), STX(0x02), ETX(0x03), EOT(0x04), ENQ(0x05), SO(0x0E);
const QString CRLF = QStringLiteral("\r\n");

// Trace bit of the board log.
constexpr int kBitLog = 4;

// Field codes of the board: F0 frames a text, FC is the running
// chronometer, FT the time of day.
QString F0() { return QString(SO) + u'0'; }
QString FC() { return QString(SO) + QStringLiteral("CONT"); }
QString FT() { return QString(SO) + QStringLiteral("o:") + SO + u'm'; }
QString Incornicia(const QString& t) { return F0() + t + F0(); }
// The board's own date field: day name, day, month.
QString CampoData()
{
    return QStringLiteral("  ") + SO + QStringLiteral("gg ") + SO + QStringLiteral("G ") + SO + QStringLiteral("LL ") +
           FT();
}

// The row as a person reads it: the field codes taken out.
QString SenzaCodici(QString s)
{
    s.remove(FT());
    s.remove(FC());
    s.remove(F0());
    s.remove(SO);
    return s;
}

// Characters from the 1-based position, as many as there are.
QString Mid(const QString& s, int da, int n = -1)
{
    if (da < 1 || da > s.size()) return {};
    return s.mid(da - 1, n);
}

QString Blank(int n) { return QString(n, u' '); }
QString Due(int n) { return Formato(n, QStringLiteral("00")); }
// Two characters, blank-padded on the left.
QString Destra2(int n) { return QString::number(n).rightJustified(2, u' '); }

// Date as "ddd dd-mm-yy", upper-cased, with the Italian day names.
QString DataCorta()
{
    static const char* giorni[7] = {"lun", "mar", "mer", "gio", "ven", "sab", "dom"};
    const QDate d = Clock().Adesso().date();
    return (QString::fromLatin1(giorni[d.dayOfWeek() - 1]) + d.toString(QStringLiteral(" dd-MM-yy"))).toUpper();
}

// LED rows of each display type (index 1..6).
int RigheDelTipo(int tipo)
{
    static const int righe[7] = {0, 1, 8, 1, 1, 0, 2};
    return tipo >= 1 && tipo <= 6 ? righe[tipo] : 0;
}

bool ConTabellone(int tipo) { return RigheDelTipo(tipo) > 0; }

// The count of those present: two digits and a blank; three blanks in the
// regional assembly.
QString Conteggio() { return iTipoAssemblea == 4 ? Blank(3) : Formato(iPresenti, QStringLiteral("00 ")); }

// The threshold of the vote: the immediate executability has its own.
int ValoreQuorum() { return SogliaImmEsec() ? iQuorum[4] : iQuorum[3]; }

// Title of the current item for the projected board; empty with no item.
QString TitoloArgomento()
{
    if (iDelibera == 0) return {};
    const QString t = RTrimSpazi(cArgomento[5]);
    if (!TrimSpazi(t).isEmpty()) return t;
    return QStringLiteral("Ordine del Giorno n.") + Str(iDelibera);
}

// Item number for the one-line boards: "OdG" and the last cifre
// characters of the number written with its leading blank, or the act
// type when there is no number.
QString NumeroArgomento(int cifre)
{
    if (iDelibera == 0) return DescriveTipoAtto(5, true);
    return QStringLiteral("OdG") + Str(iDelibera).right(cifre);
}

// Role name of the speaker's seat.
QString RuoloOratore()
{
    if (!SeggioValido(iOratore)) return {};
    const QString lettera = aPosti[size_t(iOratore)].cTipoAN.left(1);
    if (lettera.isEmpty()) return {};
    const qsizetype i = cLettereRuoli.indexOf(lettera);
    if (i < 0 || i >= qsizetype(cNomiRuoli.size())) return {};
    return cNomiRuoli[size_t(i)];
}

bool StessoDispositivo(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty()) return false;
    if (a == b) return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca == cb;
}

// Marks a transmission on its way for as long as it lives.
class InCorso {
public:
    explicit InCorso(bool& b) : m_b(b) { m_b = true; }
    ~InCorso() { m_b = false; }
    InCorso(const InCorso&) = delete;
    InCorso& operator=(const InCorso&) = delete;

private:
    bool& m_b;
};

}  // namespace

Tabellone::Tabellone() = default;
Tabellone::~Tabellone() = default;

QString Tabellone::RigaLed(int n) const { return n >= 1 && n <= 8 ? m_righe[size_t(n)] : QString(); }

bool Tabellone::ApreCom()
{
    if (iPorta <= 0) return false;
    Seriale& s = oComTAB;
    bool fallito = false;
    ErroreSeriale primo;
    // Every step is tried; the first failure is the one reported.
    auto passo = [&](bool ok) {
        if (!ok && !fallito) {
            fallito = true;
            primo = s.Errore();
        }
    };
    if (s.PortOpen()) passo(s.SetPortOpen(false));
    passo(s.SetCommPort(iPorta));
    passo(s.SetSettings(cParametri));
    passo(s.SetOutBufferSize(iBufferScrittura));
    passo(s.SetInBufferSize(iBufferLettura));
    const bool linee = iSegnaliCOM != 0;
    passo(s.SetDTREnable(linee));
    passo(s.SetRTSEnable(linee));
    passo(s.SetHandshaking(linee ? comRTS : comNone));
    passo(s.SetParityReplace(QString()));
    passo(s.SetRThreshold(0));
    passo(s.SetSThreshold(0));
    passo(s.SetInputLen(0));
    passo(s.SetPortOpen(true));
    if (fallito) {
        UI().MsgBox(QStringLiteral("Errore su COM") + QString::number(iPorta) + u' ' + cParametri, vbOKOnly,
                    primo.descrizione);
        return false;
    }
    return true;
}

void Tabellone::ChiudeCom()
{
    if (!oComTAB.PortOpen()) return;
    if (!oComTAB.SetPortOpen(false)) {
        const ErroreSeriale& e = oComTAB.Errore();
        UI().MsgBox(QStringLiteral("Errore") + Str(e.numero) + CRLF + e.descrizione, vbOKOnly,
                    QStringLiteral("Tabellone"));
    }
}

bool Tabellone::PortaCondivisa() const
{
    if (iPorta <= 0) return false;
    if (iPortaRAD == iPorta) return true;
    // Two port numbers may name one device in "Porte.txt": what counts is
    // the line, the one the card port holds open or the one it would open.
    QString carta;
    if (oComCARD.PortOpen())
        carta = oComCARD.Dispositivo();
    else if (iPortaRAD > 0)
        carta = DispositivoCom(iPortaRAD);
    return StessoDispositivo(carta, DispositivoCom(iPorta));
}

bool Tabellone::Riprova(const QString& descrizione)
{
    return UI().MsgBox(QStringLiteral("Errore di Trasmissione su COM") + QString::number(iPorta),
                       vbCritical + vbRetryCancel, descrizione) == vbRetry;
}

void Tabellone::Trasmissione(const QString& cFrame, const QString& cInfo)
{
    bool inviato = false;
    const bool parallela = (iModoOBX & kCablaggioParallela) != 0;
    // A frame asked for while another waits on the operator (a message box
    // lets the console's timer run) is not sent: it would take the port
    // from under the one waiting.  The board gets the whole page again with
    // the next command.
    if ((iModoOBX & kCablaggioTabellone) && !m_inTrasmissione) {
        InCorso inCorso(m_inTrasmissione);
        const QByteArray dati = ToCp1252(cFrame);
        if (parallela) {
            for (;;) {
                ErroreSeriale e;
                if (ScriveParallela(dati, e)) {
                    inviato = true;
                    break;
                }
                if (!Riprova(e.descrizione)) {
                    ChiudeCom();
                    break;
                }
            }
        } else {
            // The card reader's port is borrowed only when it is this very
            // line; a card reader of its own keeps its port open, and the
            // readings waiting in it.
            const bool condivisa = PortaCondivisa();
            if (condivisa) {
                iStatoCARD = 1;
                if (oComCARD.PortOpen()) oComCARD.SetPortOpen(false);
            }
            if (ApreCom()) {
                for (;;) {
                    if (oComTAB.Output(dati)) {
                        inviato = true;
                        break;
                    }
                    if (!Riprova(oComTAB.Errore().descrizione)) {
                        ChiudeCom();
                        break;
                    }
                }
            }
            ChiudeCom();
            if (condivisa) iStatoCARD = 0;
        }
    }
    if (iTraccia & kBitLog) ScriveLog(cFrame, cInfo, inviato, parallela);
}

void Tabellone::ScriveLog(const QString& cFrame, const QString& cInfo, bool xInviato, bool xParallela)
{
    if (cFileLog.isEmpty()) return;
    QFile f(cFileLog);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    const QDateTime t = Clock().Adesso();
    const QString porta =
        xParallela ? QStringLiteral("PRN:")
                   : QStringLiteral("COM") + QString::number(iPortaTAB) + QStringLiteral(": ") + oComTAB.Settings();
    QString r = QStringLiteral("Porta ") + porta + QStringLiteral(" (") + t.toString(QStringLiteral("MM-dd-yyyy")) +
                u' ' + t.toString(QStringLiteral("HH:mm:ss")) + u')' + CRLF;
    r += QStringLiteral("TxInfo=") + cInfo + CRLF;
    r += QStringLiteral("Tx:") + cFrame + CRLF;
    if (xInviato)
        r += QStringLiteral("Tx=OK") + CRLF;
    else if (!oComTAB.PortOpen())
        r += QStringLiteral("Porta Chiusa") + CRLF;
    f.write(ToCp1252(r));
}

void Tabellone::DettaglioLed(const QString& cByteMap)
{
    // A projection-only installation has no LED board to send it to.
    if (ConTabellone(iModelloDisplay))
        Trasmissione(QString(ENQ) + cCodePaginaLed + SOH + cByteMap + EOT, QStringLiteral("Dettaglio Voti"));
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) frmLED().MostraMappa(cByteMap);
}

void Tabellone::InviaRighe(const QString& ids)
{
    const int n = RigheDelTipo(iModelloDisplay);
    // The rows as composed now: a command run meanwhile (inside a message
    // box of the transmission) does not change what this one sends.
    const std::array<QString, 9> righe = m_righe;
    for (QChar id : ids) {
        int da = 1, a = std::min(4, n);
        if (id == u'3')
            da = a = 5;
        else if (id == u'4')
            da = 6, a = 8;
        if (a > n) a = n;
        QString frame = QString(ENQ) + id + SOH + QStringLiteral("0501") + STX;
        for (int r = da; r <= a; ++r) frame += righe[size_t(r)] + CRLF;
        frame += QString(ETX) + EOT;
        Trasmissione(frame, QStringLiteral("CPU=") + id);
        if (FrmLED* f = frmLEDCaricato())
            for (int r = da; r <= a; ++r)
                if (QLabel* l = f->lblInfo(r)) l->setText(SenzaCodici(righe[size_t(r)]));
    }
}

void Tabellone::RigheTempo(bool xAggiorna, QString& ids, bool& xCronometro)
{
    auto& r = m_righe;
    const int tipo = iModelloDisplay;
    const QString nome = TrimSpazi(cOratore);
    if (tipo == 2) {
        ids = QStringLiteral("4");
        if (r[8].contains(QStringLiteral("TEMPO"))) {
            // A speech is on the board: the periodic update turns the
            // chronometer field on once.
            if (xAggiorna && !r[8].contains(QStringLiteral("0TEMPO")))
                r[8] = Incornicia(QStringLiteral("TEMPO ")) + FC();
            return;
        }
        const QString gruppo = TrimSpazi(cGruppoOratore);
        QString riga = PadTaglia(nome, 20);
        if (nome.size() + gruppo.size() > 19)
            riga = PadTaglia(nome + u' ' + gruppo, 20);
        else if (!gruppo.isEmpty())
            riga.replace(20 - gruppo.size(), gruppo.size(), gruppo);
        r[6].clear();
        r[7] = riga;
        r[8] = QStringLiteral("TEMPO ") + FC();
        xCronometro = true;
        return;
    }
    if (tipo == 3) {
        // Minutes elapsed, and on the odd half-minutes the kind of item in
        // place of the name.
        QString tempo = Formato(iMezziMinuti / 2, QStringLiteral(" 00"));
        if (xAggiorna) tempo = Incornicia(tempo);
        QString testo = nome.left(10);
        if (iMezziMinuti % 2) {
            testo = TrimSpazi(cTitoloTabellone[0]).left(10);
            if (testo == u"INTERPELLA" || testo == u"COMUNICAZI") testo[9] = u'.';
        }
        r[1] = Conteggio().left(2) + tempo + u' ' + testo;
        return;
    }
    if (tipo != 1 && tipo != 4 && tipo != 6) return;
    // Minutes and the half-minute mark of the chronometer: " 05,5 ".
    QString tempo = Formato(iTempo[3], QStringLiteral(" 00")) + u'.' + Formato(iTempo[4], QStringLiteral("0 "));
    tempo[3] = u',';
    if (xAggiorna) tempo = Incornicia(tempo);
    if (tipo == 1)
        r[1] = Conteggio() + tempo + nome.left(10);
    else if (tipo == 4)
        r[1] = Conteggio().right(2) + tempo + nome.left(7);
    else {
        r[1] = tempo + nome.left(18);
        r[2] = TrimSpazi(cTitoloTabellone[0]);
    }
}

void Tabellone::RigheRisultati(std::array<QString, 14>& p, QString& ids)
{
    auto& r = m_righe;
    const int tipo = iModelloDisplay;
    const QString cnt = Conteggio();
    const int q = ValoreQuorum();
    const bool unoCentoDue = (iConfigOBX & kOpzNascondeNVotanti) != 0;
    const int votanti = iFavorevoli + iContrari + ((iConfigOBX & kOpzVotantiAstenuti) ? iAstenuti : 0);
    if (!unoCentoDue) p[12] = QStringLiteral("Votanti ") + Due(votanti);

    if (cTipoVoto == u"A" || cTipoVoto == u"V" || cTipoVoto == u"W") {
        // Roll call and legal number: the "yes" count is the number present.
        const int presenti = iFavorevoli;
        const int assenti = int(aPosti.size()) - 1 - presenti;
        switch (tipo) {
        case 1:
            r[1] = cnt + Mid(r[1], 4, 8) + QStringLiteral("  ") + Formato(q, QStringLiteral("00 ")) +
                   Formato(presenti, QStringLiteral("00 "));
            break;
        case 2:
            r[6] = QStringLiteral("PRESENTI ") + Destra2(presenti);
            r[7] = cEsito.left(20);
            r[8].clear();
            ids = QStringLiteral("4");
            break;
        case 3: r[1] = cnt + Formato(q, QStringLiteral("00  ")) + Formato(presenti, QStringLiteral("00 ")); break;
        case 4:
            r[1] = cnt.right(2) + Mid(r[1], 3, 6) + Formato(q, QStringLiteral(" 0")) +
                   Formato(presenti, QStringLiteral(" 0"));
            break;
        case 6:
            if (cTipoVoto == u"A")
                r[1] = QStringLiteral("Quorum=") + Due(q) + QStringLiteral("  Presenti=") + Due(presenti);
            else if (q != 0)
                r[1] = unoCentoDue ? QStringLiteral("Quorum=") + Due(q) + QStringLiteral(" Pres=") + Due(presenti) +
                                         QStringLiteral(" Ass=") + Due(assenti)
                                   : QStringLiteral("Qu=") + Due(q) + QStringLiteral(" Vo=") + Due(votanti) +
                                         QStringLiteral(" Pr=") + Due(presenti) + QStringLiteral(" As=") + Due(assenti);
            else
                r[1] = unoCentoDue
                           ? QStringLiteral("Presenti=") + Due(presenti) + QStringLiteral(" Assenti=") + Due(assenti)
                           : QStringLiteral("Votanti=") + Due(votanti) + QStringLiteral(" Pre=") + Due(presenti) +
                                 QStringLiteral(" Ass=") + Due(assenti);
            r[2] = F0() + cEsito.left(24) + F0();
            break;
        default: break;
        }
        if (q != 0) p[7] = QStringLiteral("Quorum ") + Due(q);
        p[9] = QStringLiteral("Presenti ") + QString::number(presenti);
        p[10] = QStringLiteral("Assenti ") + QString::number(assenti);
        // The abstentions of an earlier vote must not stay beside these.
        p[11] = QStringLiteral(" ");
        return;
    }

    switch (tipo) {
    case 1:
        r[1] = cnt + Mid(r[1], 4, 8) + QStringLiteral("  ") + Formato(q, QStringLiteral("00 ")) +
               Formato(iFavorevoli, QStringLiteral("00 ")) + Formato(iContrari, QStringLiteral("00 ")) + Due(iAstenuti);
        break;
    case 2:
        r[6] = QStringLiteral("FAVOREVOLI ") + Destra2(iFavorevoli);
        r[7] = QStringLiteral("CONTRARI   ") + Destra2(iContrari);
        r[8] = QStringLiteral("ASTENUTI   ") + Destra2(iAstenuti);
        ids = QStringLiteral("4");
        break;
    case 3:
        r[1] = cnt + Formato(q, QStringLiteral("00  ")) + Formato(iFavorevoli, QStringLiteral("00 ")) +
               Formato(iContrari, QStringLiteral("00 ")) + Formato(iAstenuti, QStringLiteral("00 "));
        break;
    case 4:
        r[1] = cnt.right(2) + Mid(r[1], 3, 6) + Formato(q, QStringLiteral(" 0")) +
               Formato(iFavorevoli, QStringLiteral(" 0")) + Formato(iContrari, QStringLiteral(" 0")) +
               Formato(iAstenuti, QStringLiteral(" 0"));
        break;
    case 6:
        r[1] = q != 0 ? QStringLiteral("Qu=") + Due(q) + QStringLiteral(" Pr=") + Due(iFavorevoli) +
                            QStringLiteral(" Co=") + Due(iContrari) + QStringLiteral(" As=") + Due(iAstenuti)
                      : QStringLiteral("Fav=") + Due(iFavorevoli) + QStringLiteral(" Con=") + Due(iContrari) +
                            QStringLiteral(" Ast=") + Due(iAstenuti);
        r[2] = F0() + cEsito.left(24) + F0();
        break;
    default: break;
    }
    if (q != 0) p[7] = QStringLiteral("Quorum ") + Due(q);
    p[8] = cTipoVoto == u"H" ? QStringLiteral("VOTO SEGRETO") : QStringLiteral(" ");
    p[9] = QStringLiteral("Favorevoli ") + Due(iFavorevoli);
    p[10] = QStringLiteral("Contrari ") + Due(iContrari);
    p[11] = QStringLiteral("Astenuti ") + Due(iAstenuti);
}

void Tabellone::DettaglioTesto(const QString& cTipo)
{
    const int tipo = iModelloDisplay;
    const bool presente = ConTabellone(tipo);
    auto& r = m_righe;
    std::array<QString, 14> p{};  // rows of the projected board; empty ones are left alone
    QString ids = QStringLiteral("1");
    bool cronometro = false;  // start the chronometer after the text
    bool testo = true;        // the page goes to the board
    bool esito = false;       // a vote's results: the result cells are made opaque

    const QString cnt = Conteggio();
    const QString primeDue = cnt.left(2), ultimeDue = cnt.right(2);
    const int q = ValoreQuorum();
    const QString titolo1 = TrimSpazi(cTitoloTabellone[0]);
    auto svuota = [&](int da, int a) {
        for (int i = da; i <= a; ++i) r[size_t(i)].clear();
    };
    auto tutteVuote = [&] {
        for (QString& s : p) s = QStringLiteral(" ");
    };
    const bool t1 = tipo == 1, t2 = tipo == 2, t3 = tipo == 3, t4 = tipo == 4, t6 = tipo == 6;
    const QString& c = cTipo;

    if (c == u"0") {
        if (t1 || t6)
            r[1] = Blank(6) + DataCorta();
        else if (t2) {
            const QDateTime ora = Clock().Adesso();
            const QDate d = ora.date();
            Trasmissione(QString(ENQ) + u'O' + ora.toString(QStringLiteral("HHmmss")) +
                             d.toString(QStringLiteral("ddMMyy")) + u'0' + QString::number(d.dayOfWeek() % 7 + 1) + ETX,
                         QStringLiteral("0:Init data e ora"));
            r[1] = CampoData();
            svuota(2, 8);
            ids = QStringLiteral("134");
        } else if (t3)
            r[1] = DataCorta();
        else if (t4)
            r[1] = QStringLiteral("  ") + DataCorta();
    } else if (c == u"1") {
        const QString t = QStringLiteral("PROVA VOTATORI");
        if (t1 || t6) {
            r[1] = Blank(5) + Incornicia(t);
            r[2].clear();
        } else if (t2) {
            svuota(2, 8);
            r[5] = Blank(3) + t;
            ids = QStringLiteral("134");
        } else if (t3 || t4)
            r[1] = u' ' + t;
        p[8] = t;
    } else if (c == u"2") {
        if (t1 || t3 || t6) {
            r[1] = cnt;
            r[2].clear();
        } else if (t2) {
            r[5] = QStringLiteral("PRESENTI ") + cnt;
            ids = QStringLiteral("3");
        } else if (t4)
            r[1] = ultimeDue;
        p[4] = QStringLiteral("Presenti ") + primeDue;
        for (int i = 6; i <= 13; ++i) p[size_t(i)] = QStringLiteral(" ");
    } else if (c == u"4") {
        const QString t = QStringLiteral("APPELLO");
        if (t1)
            r[1] = Blank(5) + Incornicia(t);
        else if (t2) {
            svuota(2, 8);
            r[5] = Blank(3) + t;
            r[7] = Incornicia(QStringLiteral("  VOTAZIONE APERTA"));
            ids = QStringLiteral("134");
        } else if (t3 || t4)
            r[1] = u' ' + t;
        else if (t6) {
            r[1] = cnt;
            r[2] = Blank(5) + t;
        }
        p[4] = QStringLiteral("Presenti 00");
        p[8] = t;
    } else if (c == u"6") {
        if (t1 || t6) {
            r[1] = Incornicia(QStringLiteral("VERIFICA VOTO PRECEDENTE"));
            r[2] = titolo1;
        } else if (t2) {
            svuota(2, 8);
            r[5] = Incornicia(QStringLiteral("VERIFICA VOTO PREC."));
            ids = QStringLiteral("134");
        } else if (t3 || t4)
            r[1] = Incornicia(QStringLiteral("VER. VOTO PREC."));
        p[8] = QStringLiteral("VERIFICA VOTO PRECEDENTE");
    } else if (c == u"7") {
        if (t1)
            r[1] = Incornicia(QStringLiteral("VERIFICA NUMERO LEGALE"));
        else if (t2) {
            svuota(2, 8);
            r[5] = Incornicia(QStringLiteral("VERIFICA N. LEGALE"));
            r[7] = Incornicia(QStringLiteral("  VOTAZIONE APERTA"));
            ids = QStringLiteral("134");
        } else if (t3 || t4)
            r[1] = Incornicia(QStringLiteral("VER. NUM. LEGALE"));
        else if (t6) {
            r[1] = cnt;
            r[2] = Incornicia(QStringLiteral("VERIFICA NUMERO LEGALE"));
        }
        p[4] = QStringLiteral("Presenti 00");
        p[8] = QStringLiteral("VERIFICA NUMERO LEGALE");
    } else if (c == u"8") {
        if (t2) {
            r[8] = Incornicia(cOratore);
            ids = QStringLiteral("134");
        } else if (t6)
            r[1] = cOratore;
        p[6] = cOratore;
    } else if (c == u"9") {
        if (presente) svuota(1, 8);
        if (t2) ids = QStringLiteral("134");
        tutteVuote();
    } else if (c == u"A") {
        const QString t = QStringLiteral("APERTURA SEDUTA");
        if (t1 || t6) {
            r[1] = cnt + u' ' + t;
            r[2].clear();
        } else if (t2) {
            r[2].clear();
            r[4].clear();
            r[3] = t;
        } else if (t3)
            r[1] = cnt;
        else if (t4)
            r[1] = ultimeDue + QStringLiteral("APERT. SEDUTA");
        p[4] = QStringLiteral("Presenti ") + primeDue;
        p[8] = t;
    } else if (c == u"C") {
        const QString t = QStringLiteral("CHIUSURA SEDUTA");
        if (t1 || t6) {
            r[1] = Blank(4) + t;
            r[2].clear();
        } else if (t2) {
            svuota(2, 8);
            r[5] = Incornicia(t);
            ids = QStringLiteral("134");
        } else if (t3 || t4)
            r[1] = t;
        tutteVuote();
        p[8] = t;
    } else if (c == u"S") {
        const QString t = QStringLiteral("SEDUTA SOSPESA");
        if (t1 || t6) {
            r[1] = Blank(4) + Incornicia(t);
            if (t6) r[2].clear();
        } else if (t2) {
            r[5] = Blank(3) + t;
            ids = QStringLiteral("3");
        } else if (t3 || t4)
            r[1] = u' ' + t;
        p[6] = QStringLiteral(" ");
        p[8] = t;
    } else if (c == u"R") {
        if (t1 || t3 || t6)
            r[1] = primeDue;
        else if (t2) {
            r[5] = QStringLiteral("PRESENTI ") + cnt;
            ids = QStringLiteral("3");
        } else if (t4)
            r[1] = ultimeDue;
        p[4] = QStringLiteral("Presenti ") + primeDue;
        p[8] = QStringLiteral(" ");
    } else if (c == u"E" || c == u"U") {
        if (t1 || t3 || t6)
            r[1] = primeDue + Mid(r[1], 3);
        else if (t2) {
            r[5] = QStringLiteral("PRESENTI ") + cnt;
            ids = QStringLiteral("3");
        } else if (t4)
            r[1] = ultimeDue + Mid(r[1], 3);
        p[4] = QStringLiteral("Presenti ") + primeDue;
    } else if (c == u"G" || c == u"F") {
        if (t1)
            r[1] = cnt + NumeroArgomento(2);
        else if (t2) {
            for (int i = 0; i < 3; ++i) r[size_t(2 + i)] = TrimSpazi(cTitoloTabellone[size_t(i)]);
            r[5] = QStringLiteral("PRESENTI ") + cnt;
            svuota(6, 8);
            ids = QStringLiteral("134");
        } else if (t3) {
            QString t;
            for (const QString& l : cTitoloTabellone)
                if (!TrimSpazi(l).isEmpty()) {
                    t = TrimSpazi(l);
                    break;
                }
            r[1] = cnt + t.left(13);
        } else if (t4)
            r[1] = ultimeDue + PadTaglia(NumeroArgomento(1), 14);
        else if (t6) {
            r[1] = cnt + (iTipoAssemblea == 4 ? QString() : NumeroArgomento(2));
            r[2] = titolo1;
        }
        for (int i = 7; i <= 13; ++i) p[size_t(i)] = QStringLiteral(" ");
        p[6] = TitoloArgomento();
    } else if (c == u"H") {
        if (t1)
            r[1] = r[1].left(8);
        else if (t2) {
            if (presente) Trasmissione(QString(ENQ) + u'S', QStringLiteral("H:Conclude Oratore"));
            svuota(6, 8);
            ids = QStringLiteral("4");
        } else if (t6) {
            r[1] = cnt;
            r[2] = titolo1;
        }
        p[8] = QStringLiteral(" ");
        p[13] = QStringLiteral(" ");
    } else if (c == u"D" || c == u"d") {
        if (presente) RigheTempo(c == u"d", ids, cronometro);
        p[8] = QStringLiteral("Parla: ") + RuoloOratore() + u' ' + cOratore;
    } else if (c == u"V" || c == u"e" || c == u"u") {
        const bool pendente = !TrimSpazi(cArgomentoPendente).isEmpty();
        if (t1) {
            r[1] = cnt + Mid(r[1], 4, 5) + (pendente ? Mid(cArgomentoPendente, 4, 3) : Blank(3)) +
                   Incornicia(QStringLiteral(" Votaz.Aperta"));
        } else if (t2) {
            r[5] = QStringLiteral("PRESENTI ") + cnt + QStringLiteral("QUOR. ") + Due(q);
            if (!r[6].contains(QStringLiteral("IMMED"))) r[6].clear();
            r[7] = Incornicia(QStringLiteral("  VOTAZIONE APERTA"));
            r[8] = cArgomentoPendente;
            ids = c == u"V" ? QStringLiteral("34") : QStringLiteral("3");
        } else if (t3) {
            r[1] = cnt + Formato(q, QStringLiteral("00 ")) + Incornicia(QStringLiteral("VOT.APERTA"));
        } else if (t4) {
            r[1] = ultimeDue + Mid(r[1], 3, 4) + (pendente ? Mid(cArgomentoPendente, 4, 2) : Blank(2)) +
                   Formato(q, QStringLiteral(" 0 ")) + Incornicia(QStringLiteral("APERT"));
        } else if (t6) {
            r[1] = cnt + Incornicia(QStringLiteral("    VOTAZIONE APERTA"));
            r[2] = titolo1;
        }
        p[4] = QStringLiteral("Presenti ") + primeDue;
        if (q != 0) p[7] = QStringLiteral("Quorum ") + Due(q);
        p[8] = QStringLiteral("Votazione APERTA");
    } else if (c == u"I") {
        if (t1)
            r[1] = cnt + Mid(r[1], 4, 10) + Incornicia(QStringLiteral("VOTAZ.NULLA"));
        else if (t2) {
            r[6].clear();
            r[8].clear();
            r[7] = Incornicia(QStringLiteral("VOTAZIONE ANNULLATA"));
            ids = QStringLiteral("4");
        } else if (t3)
            r[1] = cnt + Incornicia(QStringLiteral("VOTAZ. NULLA"));
        else if (t4)
            r[1] = ultimeDue + Mid(r[1], 3, 6) + Incornicia(QStringLiteral(" NULLA "));
        else if (t6) {
            r[1] = Incornicia(QStringLiteral("  VOTAZIONE ANNULLATA"));
            r[2] = titolo1;
        }
        p[8] = QStringLiteral("Votazione ANNULLATA");
    } else if (c == u"T") {
        RigheRisultati(p, ids);
        esito = true;
    } else if (c == u"W") {
        if (t1)
            testo = false;
        else if (t2) {
            r[6] = Incornicia(QStringLiteral("IMMED. ESECUTIVITA'"));
            svuota(7, 8);
            ids = QStringLiteral("4");
        } else if (t3)
            r[1] = Incornicia(QStringLiteral("IMMED. ESECUT."));
        else if (t4)
            r[1] = PadTaglia(r[1], 13) + Incornicia(QStringLiteral(" IE"));
        else if (t6)
            r[2] = PadTaglia(titolo1, 21) + Incornicia(QStringLiteral(" IE"));
        if (iDelibera != 0) p[6] = TitoloArgomento() + QStringLiteral(" (I.E.)");
    } else if (c == u"w") {
        if (t1)
            testo = false;
        else if (t2) {
            r[6].clear();
            ids = QStringLiteral("4");
        } else if (t4)
            r[1] = ultimeDue + PadTaglia(NumeroArgomento(1), 14);
        else if (t6)
            r[2] = titolo1;
        p[6] = TitoloArgomento();
    } else if (c == u"M") {
        testo = false;
        if (iDelibera != 0) p[6] = TitoloArgomento() + u' ' + cArgomentoPendente.left(6);
    } else if (c == u"m") {
        testo = false;
        p[6] = TitoloArgomento();
    }

    if (presente) {
        if (iModoVoto == 0 && (m_ultimo.isEmpty() || m_ultimo == u"T" || m_ultimo == u"I" || m_ultimo == u"W"))
            DettaglioLed(cLedPresenze);
        static const QStringList nonTenuti = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                              QStringLiteral("3"), QStringLiteral("9")};
        if (!nonTenuti.contains(c)) m_ultimo = c;
        if (testo) InviaRighe(ids);
        if (cronometro) Trasmissione(QString(ENQ) + u's', QStringLiteral("Avvia Cronometro"));
    }

    // The projected board, asked for only now, after every wait of the
    // transmissions; the captions are kept also while no board is up, for
    // the board that is built later.
    for (int n = 0; n < 14; ++n)
        if (!p[size_t(n)].isEmpty()) ScriveTitoloVideo(n, TrimSpazi(p[size_t(n)]));
    if (esito) SfondoRisultatiVideo(true);
}

}  // namespace obx
