#include "links/Votatori.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "links/ComSeriali.h"
#include "platform/Dialoghi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

QFile& Traccia()
{
    static QFile f;
    return f;
}

bool Radio() { return iProtocolloTLV != 4010; }

// Each character as two upper-case hexadecimal digits.
QString Esadecimale(const QString& s)
{
    QString r;
    r.reserve(s.size() * 2);
    for (QChar c : s) r += QString::asprintf("%02X", unsigned(c.unicode() & 0xFF));
    return r;
}

void ChiudeTraccia()
{
    if (Traccia().isOpen()) Traccia().close();
    iFileTraccia = 0;
}

// A deadline on the program's clock (right across midnight).  A wait is
// also bounded in real time, so that a clock that stands still or is set
// back cannot hold it for ever.
class Scadenza {
public:
    explicit Scadenza(double secondi) : m_inizio(Clock().Timer()), m_durata(secondi) { m_reale.start(); }
    double Trascorsi() const { return Trascorso(m_inizio, Clock().Timer()); }
    bool Raggiunta() const { return Trascorsi() >= m_durata || Fuori(); }
    bool Superata() const { return Trascorsi() > m_durata || Fuori(); }

private:
    bool Fuori() const { return m_reale.elapsed() > qint64((m_durata + 1.0) * 1000); }
    double m_inizio;
    double m_durata;
    QElapsedTimer m_reale;
};

// A failure while sending: Retry (true) or Cancel (false).
bool RiprovaInvio(const ErroreSeriale& e)
{
    return UI().MsgBox(Formato(e.numero, QStringLiteral("#####")) + u'\n' + e.descrizione, vbCritical + vbRetryCancel,
                       QStringLiteral("Trasmissione Fallita")) == vbRetry;
}

// Sends with the operator's Retry on a failure; false after Cancel.
bool Invia(const QString& dati)
{
    for (;;) {
        if (oComTLV.Output(dati)) return true;
        if (!RiprovaInvio(oComTLV.Errore())) return false;
    }
}

}  // namespace

void GiraEventi(int ms)
{
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (ms > 0) QThread::msleep(ulong(ms));
}

namespace {
// A turn of the event loop while nothing waits on the port: the pause ends
// early when input arrives.
void AttendeIngresso()
{
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    oComTLV.AttendeDati(5);
}
}  // namespace

void ScriveTraccia(const QString& riga)
{
    QFile& f = Traccia();
    if (!f.isOpen()) return;
    f.write(ToCp1252(riga));
    f.write("\r\n");
    f.flush();
}

QString FileTraccia() { return Traccia().isOpen() ? Traccia().fileName() : QString(); }

void Attende(double nSecondi)
{
    const Scadenza s(nSecondi);
    do {
        GiraEventi();
    } while (!s.Superata());
}

bool TestaPorta(int iPorta)
{
    Seriale& p = oComTLV;
    bool r = true;
    if (p.PortOpen()) p.SetPortOpen(false);
    if (!p.SetCommPort(iPorta)) r = false;
    if (!p.SetSettings(QStringLiteral("9600,n,8,1"))) r = false;
    if (r && !p.SetPortOpen(true)) r = false;
    if (p.PortOpen()) p.SetPortOpen(false);
    return r;
}

bool ApreComVotatori(int iPorta, bool xNoTraccia, bool xMuto)
{
    Seriale& p = oComTLV;
    if (p.PortOpen()) p.SetPortOpen(false);
    if (iPorta <= 0) return false;

    // The first failure ends the opening: going on would open the port
    // with settings half applied, or start a trace for a link that is not
    // there.
    bool ok = p.SetCommPort(iPorta);
    if (Radio()) {
        ok = ok && p.SetSettings(QStringLiteral("460800,N,8,1"));
        ok = ok && p.SetOutBufferSize(1);
        ok = ok && p.SetInBufferSize(14336);
        ok = ok && p.SetHandshaking(comNone);
        ok = ok && p.SetInputMode(comInputModeBinary);
    } else {
        ok = ok && p.SetSettings(QStringLiteral("9600,n,8,1"));
        ok = ok && p.SetOutBufferSize(2048);
        ok = ok && p.SetInBufferSize(2048);
        ok = ok && p.SetDTREnable(false);
        ok = ok && p.SetRTSEnable(false);
        ok = ok && p.SetHandshaking(comNone);
        ok = ok && p.SetInputMode(comInputModeText);
    }
    ok = ok && p.SetParityReplace(QString());
    ok = ok && p.SetPortOpen(true);
    ok = ok && p.SetRThreshold(0);
    ok = ok && p.SetSThreshold(0);
    ok = ok && p.SetInputLen(1);
    ErroreSeriale errore = p.Errore();

    if (ok && !xNoTraccia && (iTraccia & 2)) {
        ChiudeTraccia();
        const QString nome = (cTipoVoto == u"A") ? QStringLiteral("Appello.txt")
                                                 : QStringLiteral("voto") + Formato(iDelibera, QStringLiteral("0000")) +
                                                       QStringLiteral(".txt");
        QFile& f = Traccia();
        f.setFileName(cCartella + nome);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            iFileTraccia = 1;
        } else {
            ok = false;
            errore = {
                75, QStringLiteral("Impossibile creare il file di traccia %1: %2").arg(f.fileName(), f.errorString())};
        }
    }

    if (!ok) {
        if (!xMuto)
            UI().MsgBox(
                QStringLiteral("Errore su COM") + QString::number(iPorta) + u'\n' + errore.descrizione +
                    QStringLiteral("\n\nVerificare i collegamenti delle antenne di ricezione e riavviare il programma"),
                vbCritical, QStringLiteral("Apertura Fallita"));
        if (p.PortOpen()) p.SetPortOpen(false);
        return false;
    }
    return true;
}

namespace {
// Whether the last 4010 transmission read nothing at all back.
bool g_ultimaSenzaRisposta = false;
bool g_mutaAllaChiusura = false;
}  // namespace

bool CentraleMutaAllaChiusura() { return g_mutaAllaChiusura; }

bool TrasmetteVotatori(const QString& cDati, int nRisposta, const QString& cRisposta)
{
    g_ultimaSenzaRisposta = false;
    Seriale& p = oComTLV;
    const bool radio = Radio();
    bool r = true;

    if (iFileTraccia != 0) ScriveTraccia(QStringLiteral("Tx:") + (radio ? Esadecimale(cDati) : cDati));

    if (radio) {
        for (QChar c : cDati) {
            if (!Invia(QString(c))) {
                r = false;
                break;
            }
        }
        return r;
    }

    if (!Invia(cDati)) return false;

    const bool verifica = (iConfigOBX & kOpzVerificaRisposta) != 0;
    if (verifica) Attende(0.3);
    const uint64_t apertura = p.Aperture();
    QString risposta;
    while (r) {
        // A reply cannot come any more once the port was closed (or opened
        // anew) under this wait.
        if (!p.PortOpen() || p.Aperture() != apertura) {
            r = false;
            break;
        }
        risposta += RiceveVotatori(nRisposta, 5);
        if (risposta.contains(QStringLiteral("Er"))) {
            if (UI().MsgBox(QStringLiteral("Trasmissione Fallita"), vbQuestion + vbRetryCancel, kTitoloOBX) !=
                vbRetry) {
                r = false;
                break;
            }
            risposta.clear();
            continue;
        }
        if (!verifica) break;
        if (risposta.contains(cRisposta)) break;
        if (Tasti().CtrlPremuto()) break;
    }
    g_ultimaSenzaRisposta = r && risposta.isEmpty() && p.PortOpen() && p.Aperture() == apertura;
    return r;
}

QString RiceveVotatori(int iConta, double nTimeOut)
{
    Seriale& p = oComTLV;
    QString testo;
    const int conta = std::max(iConta, 0);
    const uint64_t apertura = p.Aperture();
    auto chiusa = [&] { return !p.PortOpen() || p.Aperture() != apertura; };
    const Scadenza scadenza(nTimeOut);
    bool scaduto = false;

    while (!chiusa()) {
        int n = p.InBufferCount();
        while (n == 0) {
            AttendeIngresso();
            if (chiusa()) break;
            if (scadenza.Raggiunta()) {
                if (nTimeOut > 0) scaduto = true;
                break;
            }
            n = p.InBufferCount();
        }
        if (chiusa()) break;
        if (n < 0) {
            // The device failed: said once; what was read is dropped and the
            // wait goes on to its deadline.
            UI().MsgBox(QStringLiteral("Com Error") + Str(p.CommEvent()), vbCritical,
                        QStringLiteral("Lettura Fallita"));
            testo.clear();
            if (chiusa() || scadenza.Raggiunta()) break;
            continue;
        }
        if (n > 0) {
            p.SetInputLen(conta > 0 ? conta - int(testo.size()) : 0);
            testo += p.Input();
        }
        if (testo.isEmpty()) {
            if (scaduto || nTimeOut <= 0) break;
        } else if (conta == 0) {
            break;
        }
        if (conta > 0 && testo.size() >= conta) break;
        if (scadenza.Raggiunta()) break;
    }
    if (p.PortOpen()) p.SetInputLen(conta);

    if (iFileTraccia != 0)
        ScriveTraccia(QStringLiteral("Rx:") + (testo.isEmpty() ? QStringLiteral("nothing")
                                               : Radio()       ? Esadecimale(testo)
                                                               : testo));
    return testo;
}

bool ChiudeComVotatori(int iStep)
{
    Seriale& p = oComTLV;
    bool r = true;
    g_mutaAllaChiusura = false;
    if (p.PortOpen()) {
        if (!Radio()) {
            static const QString attese = QStringLiteral("p3p4Ok");
            bool muta = iStep > 0;
            for (int i = 1; i <= iStep; ++i) {
                // A handler run inside the wait may have closed the link.
                if (!p.PortOpen()) {
                    muta = false;
                    break;
                }
                if (!TrasmetteVotatori(QStringLiteral("Sf"), 0, attese.mid(2 * (i - 1), 2))) {
                    r = false;
                    muta = false;
                    break;
                }
                muta = muta && g_ultimaSenzaRisposta;
            }
            g_mutaAllaChiusura = muta;
        } else {
            r = TrasmetteVotatori(QString(QChar(0xAA)), 0, QString());
        }
        p.SetPortOpen(false);
    }
    if (Traccia().isOpen()) {
        ScriveTraccia(QStringLiteral("Chiusura"));
        ChiudeTraccia();
    }
    iFileTraccia = 0;
    return r;
}

bool TestaCentralina(int iPorta)
{
    Seriale& p = oComTLV;
    bool r = false;
    // A test leaves the trace of the last vote alone.
    if (!ApreComVotatori(iPorta, true)) return false;

    auto errore = [&](const ErroreSeriale& e) {
        UI().MsgBox(QStringLiteral("Errore su COM") + QString::number(iPorta) +
                        (Radio() ? QStringLiteral(" (e-tavelix)") : QStringLiteral(" (4010)")) + u'\n' + e.descrizione,
                    vbCritical, QStringLiteral("Apertura Fallita"));
    };

    if (!Radio()) {
        if (!p.Output(QStringLiteral("Rc"))) errore(p.Errore());
        Attende(0.5);
        if (!p.Output(QStringLiteral("Sf"))) errore(p.Errore());
        const Scadenza s(3);
        int n = p.InBufferCount();
        while (p.PortOpen() && n == 0 && !s.Raggiunta()) {
            AttendeIngresso();
            n = p.InBufferCount();
        }
        if (n > 0) {
            p.SetInputLen(0);
            r = p.Input().contains(QStringLiteral("Ok"));
        } else if (n < 0) {
            errore(p.Errore());
        }
    } else {
        for (int k = 1; k <= 8 && p.PortOpen(); ++k) {
            // A stray byte left from an earlier call is no answer of this antenna.
            p.SvuotaIngresso();
            if (TrasmetteVotatori(QString(QChar(0x11 * k)), 0, QString())) {
                if (RiceveVotatori(1, 1).size() == 1) {
                    r = true;
                    break;
                }
            }
        }
    }
    ChiudeComVotatori(0);
    return r;
}

}  // namespace obx
