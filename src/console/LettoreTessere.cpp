#include "console/LettoreTessere.h"

#include <cmath>

#include "links/ComSeriali.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

const QString kMarcatore = QStringLiteral("%N?;");
constexpr int kCifre = 4;

// Length of the longest tail of the text that begins the marker (a marker
// cut by the end of a read).
int CodaMarcatore(const QString& t)
{
    for (int n = std::min<int>(int(t.size()), int(kMarcatore.size()) - 1); n > 0; --n)
        if (kMarcatore.startsWith(t.right(n))) return n;
    return 0;
}

}  // namespace

std::vector<int> RecordTessere::Aggiungi(const QString& testo)
{
    std::vector<int> carte;
    const QString t = m_residuo + testo;
    m_residuo.clear();

    int da = 0;
    for (;;) {
        const int m = int(t.indexOf(kMarcatore, da));
        if (m < 0) break;
        const int cifre = m + int(kMarcatore.size());
        // A marker inside the four characters ends a record cut short: its
        // number is what came before it.
        const int prossimo = int(t.indexOf(kMarcatore, cifre));
        const int fine = prossimo >= 0 ? std::min(prossimo, cifre + kCifre) : cifre + kCifre;
        // The read may end on the first characters of such a marker.
        const int coda = int(t.size()) - CodaMarcatore(t);
        const bool cifreTroncate = prossimo < 0 && coda >= cifre && coda < fine;
        if (t.size() < fine || cifreTroncate) {
            // The card number has not all come yet.
            m_residuo = t.mid(m);
            return carte;
        }
        const double v = Val(t.mid(cifre, fine - cifre));
        const long n = std::lround(v);
        if (n >= 1 && n <= kMaxTessera) carte.push_back(int(n));
        // What the reader adds after the number is passed over by the
        // search for the next marker; nothing that may begin a record is
        // ever dropped (records of 8 characters back to back, a record
        // without its tail).
        da = fine;
    }
    // Text after the last record is dropped, but not the start of a marker.
    const int coda = CodaMarcatore(t.mid(da));
    if (coda > 0) m_residuo = t.right(coda);
    return carte;
}

void RecordTessere::Svuota() { m_residuo.clear(); }

RecordTessere& RecordTessereInCorso()
{
    static RecordTessere r;
    return r;
}

int PostoDaTessera(int nTessera)
{
    if (nTessera < 1 || nTessera > kMaxTessera) return 0;
    for (size_t i = 1; i < aPosti.size(); ++i)
        if (aPosti[i].iSmartCardAN == nTessera) return int(i);
    return 0;
}

namespace {

// Sets the card port up and opens it; any failure leaves it closed.
bool ApreComTessere()
{
    Seriale& p = oComCARD;
    if (p.PortOpen()) p.SetPortOpen(false);
    p.SetCommPort(iPortaRAD);
    p.SetSettings(QStringLiteral("9600,N,8,1"));
    p.SetOutBufferSize(1024);
    p.SetInBufferSize(2048);
    p.SetDTREnable(true);
    p.SetRTSEnable(true);
    p.SetHandshaking(comRTS);
    p.SetInputMode(comInputModeText);
    p.SetParityReplace(QString());
    p.SetRThreshold(0);
    p.SetSThreshold(0);
    p.SetInputLen(0);
    // Port 0 (no reader configured) is refused by the port itself.
    if (iPortaRAD <= 0) return false;
    return p.SetPortOpen(true);
}

}  // namespace

std::vector<int> LeggeTessere()
{
    std::vector<int> posti;
    if (!(iModoOBX & kCablaggioTessere) || (iStatoCARD & 1)) return posti;

    Seriale& p = oComCARD;
    if (iStatoCARD == 0) {
        // A new opening: nothing read before it continues after it.
        RecordTessereInCorso().Svuota();
        if (!ApreComTessere()) return posti;
        iStatoCARD = 2;
    }
    if (!p.PortOpen()) {
        // Closed under the engine (the main window closes it at the end):
        // set up again at the next tick.
        iStatoCARD = 0;
        return posti;
    }

    const int n = p.InBufferCount();
    if (n < 0) {
        // The reader went away (unplugged): the next tick opens it again.
        p.SetPortOpen(false);
        iStatoCARD = 0;
        return posti;
    }
    if (n == 0) return posti;
    p.SetInputLen(0);
    const QString testo = p.Input();
    for (int carta : RecordTessereInCorso().Aggiungi(testo)) {
        const int posto = PostoDaTessera(carta);
        if (posto > 0) posti.push_back(posto);
    }
    return posti;
}

}  // namespace obx
