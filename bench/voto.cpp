// Times the two moments of a vote an operator feels, for a chamber of 120
// seats: a key frame of the wired 4010 central arriving on the line until
// the LED map frame is readable on the display board's line (the real
// serial layer on pseudo-terminals, the console's key path without its
// window), and a whole close: tally and outcome, then the vote row, the
// marking of the votes it supersedes and the closing events on a fresh
// archive, each write committed alone (as before) and all of them in one
// transaction (as the console closes a vote now).
//
//   bench_voto [votazioni]    (default: 20 votes of 120 keys, then 200 closes)
//
// Not timed: the console window (its seat labels, the projected board and
// the LED preview, not built here) and, in the close, the link's closing
// handshake with the central ("Sf" three times), which waits on the
// central's replies.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

#include "BancoVoto.h"
#include "console/Registri.h"
#include "console/Spoglio.h"
#include "console/TastiVoto.h"
#include "console/VotiSuperati.h"
#include "links/ComSeriali.h"
#include "links/Tabellone.h"
#include "links/Votatori.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"

using namespace obx;

namespace {

constexpr int kSeggi = 120;
constexpr int kLed = 48;  // seats with a LED on the board
constexpr int kPortaBoard = 2;
constexpr int kPortaCentrale = 3;

struct Pty {
    int master = -1, slave = -1;
    QString nome;
    bool Apre()
    {
        char n[128];
        if (openpty(&master, &slave, n, nullptr, nullptr) != 0) return false;
        termios t{};
        tcgetattr(slave, &t);
        cfmakeraw(&t);
        tcsetattr(slave, TCSANOW, &t);
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        nome = QString::fromLocal8Bit(n);
        return true;
    }
    // The slave side stays open here so the line survives the program
    // opening and closing its port around every frame.
    ~Pty()
    {
        if (master >= 0) ::close(master);
        if (slave >= 0) ::close(slave);
    }
};

void Riga(const char* cosa, qint64 ms, int quanti = 0)
{
    if (quanti > 0)
        std::printf("%-44s %8lld ms  (%.1f us l'una)\n", cosa, static_cast<long long>(ms),
                    1000.0 * double(ms) / quanti);
    else
        std::printf("%-44s %8lld ms\n", cosa, static_cast<long long>(ms));
}

void Percentili(const char* cosa, std::vector<qint64> ns)
{
    if (ns.empty()) return;
    std::sort(ns.begin(), ns.end());
    auto us = [&](double q) { return double(ns[size_t(q * double(ns.size() - 1))]) / 1000.0; };
    std::printf("%-44s mediana %7.1f us  95%% %7.1f us  max %7.1f us  (%zu)\n", cosa, us(0.5), us(0.95), us(1.0),
                ns.size());
}

// The keypad frame of the 4010 central: "V00" + unit in 3 hex digits + "0[" + key.
QByteArray Frame(int unita, char tasto)
{
    char b[16];
    std::snprintf(b, sizeof b, "V00%03X0[%c", unita, tasto);
    return QByteArray(b);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DialoghiScriptati ui;  // no dialog expected: any message is printed
    ui.Fallimento = [](const QString& m) { std::fprintf(stderr, "%s\n", qPrintable(m)); };
    ImpostaUI(&ui);
    const int nVoti = argc > 1 ? std::max(1, atoi(argv[1])) : 20;

    QTemporaryDir temp;
    cCartella = temp.path() + u'/';
    Pty centrale, board;
    if (!centrale.Apre() || !board.Apre()) {
        std::fprintf(stderr, "pseudo-terminali non disponibili\n");
        return 1;
    }
    {
        QFile f(cCartella + QStringLiteral("Porte.txt"));
        if (!f.open(QIODevice::WriteOnly)) return 1;
        f.write(QStringLiteral("%1=%2\r\n%3=%4\r\n")
                    .arg(kPortaBoard)
                    .arg(board.nome)
                    .arg(kPortaCentrale)
                    .arg(centrale.nome)
                    .toLocal8Bit());
    }

    iTipoAssemblea = 1;
    cLettereVoti = QStringLiteral("PMH-----A--");
    iProtocolloTLV = 4010;
    iConfigOBX = 4096;  // the keys shown on the LED board as they come
    iTraccia = 0;
    iFlagQuorum = 0;
    iStatoConsole = 0;
    iDelibera = 12;
    cTipoVoto = QStringLiteral("P");
    iPortaTLV = kPortaCentrale;
    iPrimoTLV = 1;
    iUltimoTLV = kSeggi;
    iModoOBX = 4 | 8;  // units and LED board wired
    oTabellone = std::make_unique<Tabellone>();
    oTabellone->iPorta = kPortaBoard;
    bench::SeggiPresenti(kSeggi, kLed);

    // Key frame in, LED map frame out.
    const int lunghezzaLed = 1 + oTabellone->cCodePaginaLed.size() + 1 + kLed + 1;
    std::vector<qint64> conLed, senzaLed;
    QElapsedTimer totale;
    totale.start();
    int persi = 0;
    for (int v = 0; v < nVoti; ++v) {
        IniziaVoto(cTipoVoto, false, false);
        if (!ApreComVotatori(iPortaTLV, true)) {
            std::fprintf(stderr, "porta della centrale non aperta\n");
            return 1;
        }
        for (int k = 1; k <= kSeggi; ++k) {
            const QByteArray f = Frame(k, "365"[(k + v) % 3]);
            QElapsedTimer t;
            t.start();
            if (::write(centrale.master, f.constData(), size_t(f.size())) != f.size()) return 1;
            int esito = 0;
            while (!(esito & kTastoRegistrato) && t.elapsed() < 2000) esito |= VotiDaCentrale(0);
            int letti = 0;
            char b[256];
            if (esito & kTastoLed) {
                while (letti < lunghezzaLed && t.elapsed() < 2000) {
                    const ssize_t n = ::read(board.master, b + letti, sizeof b - size_t(letti));
                    if (n > 0) letti += int(n);
                }
            }
            const qint64 ns = t.nsecsElapsed();
            const bool mappa = letti == lunghezzaLed && b[0] == 0x05 && b[letti - 1] == 0x04;
            if (!(esito & kTastoRegistrato) || ((esito & kTastoLed) && !mappa))
                ++persi;
            else
                (esito & kTastoLed ? conLed : senzaLed).push_back(ns);
        }
        oComTLV.SetPortOpen(false);
        ChiudeSpoglio(kAbbandono);
    }
    std::printf("%d votazioni, %d seggi, centrale 4010 e tabellone su pseudo-terminali\n", nVoti, kSeggi);
    Riga("tasti ricevuti, registrati e mostrati", totale.elapsed(), int(conLed.size() + senzaLed.size()));
    Percentili("tasto -> mappa LED sulla linea del tabellone", conLed);
    Percentili("tasto -> registrato (seggio senza LED)", senzaLed);
    if (persi) std::fprintf(stderr, "%d tasti senza la loro mappa LED\n", persi);

    // A whole close on a fresh archive, its rows written as the console did
    // before (every write committed by itself: the vote row, the marking
    // of the votes it supersedes, each closing event and the marking of
    // the closings it supersedes) and as it does now (all of them in one
    // transaction, one commit).  The link is not open here: its closing
    // handshake waits on the central and is left out.
    iModoOBX = 8;
    const int nChiusure = nVoti * 10;
    struct Tempi {
        qint64 spoglio = 0, righe = 0;
        int eventi = 0;
    };
    auto chiusure = [&](const QString& nome, bool unica, Tempi& tempi) -> bool {
        cPathArchivio = cCartella + nome;
        GestisceArchivi(QStringLiteral("C"), true);
        dbArchivio.Open(cPathArchivio);
        Recordset rsVoti, rsEventi;
        for (int v = 0; v < nChiusure; ++v) {
            // A few votes on each of twenty items, as in a sitting.
            iDelibera = 1 + v % 20;
            IniziaVoto(cTipoVoto, false, false);
            for (int k = 1; k <= kSeggi; ++k) MemorizzaVoti(k, QString(QChar::fromLatin1("365"[(k * 7 + v) % 3])));
            dInizioVoto = QDateTime::currentDateTime();
            QElapsedTimer t;
            t.start();
            const ChiusuraVoto r = ChiudeSpoglio(kChiusura);
            tempi.spoglio += t.nsecsElapsed();
            if (!r.xEseguita) {
                std::fprintf(stderr, "chiusura non eseguita\n");
                return false;
            }
            if (r.iFavorevoli + r.iContrari + r.iAstenuti != kSeggi) std::fprintf(stderr, "spoglio incompleto\n");
            dFineVoto = r.dFineVoto;
            t.restart();
            std::optional<RegistrazioneUnica> registrazione;
            if (unica) registrazione.emplace();
            SalvaVotazione(rsVoti, false);
            if (!bench::ScriveEventiChiusura(rsEventi, r, kSeggi, &tempi.eventi)) return false;
            if (registrazione && !registrazione->Conclude(QStringLiteral("Voti"))) return false;
            tempi.righe += t.nsecsElapsed();
        }
        rsVoti.Close();
        rsEventi.Close();
        dbArchivio.Close();
        return true;
    };
    Tempi prima, ora;
    if (!chiusure(QStringLiteral("prima.db"), false, prima) || !chiusure(QStringLiteral("ora.db"), true, ora)) return 1;
    std::printf("%d chiusure di %d seggi (%d eventi) per modo\n", nChiusure, kSeggi, ora.eventi);
    auto media = [&](const char* cosa, qint64 ns) {
        std::printf("%-48s %8.1f us l'una\n", cosa, double(ns) / 1000.0 / nChiusure);
    };
    media("spoglio ed esito (ChiudeSpoglio)", ora.spoglio);
    media("righe, ogni scrittura per se' (prima)", prima.righe);
    media("righe in una transazione (ora)", ora.righe);
    media("chiusura intera, prima", prima.spoglio + prima.righe);
    media("chiusura intera, ora", ora.spoglio + ora.righe);

    oTabellone.reset();
    ImpostaUI(nullptr);
    return 0;
}
