// obx-sim: simulated devices of O.B.X. on a serial line.
//
// Opens a pseudo-terminal in raw mode (or the device given with --port),
// prints the path the program is to open on the first line of the standard
// output, then plays the devices chosen with --device.  Commands come from
// --cmd, from a --script file and from the standard input, one per line;
// the log of the traffic follows on the standard output:
//
//   RX <what the host sent>     TX <what the devices sent>
//   EV <event>                  SYNC <tag>     STATE ...     ERR <message>
//
// Binary devices log bytes as hexadecimal pairs, text devices as text with
// \xHH for the other bytes.  See --help for the commands.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <poll.h>
#include <sstream>
#include <termios.h>
#include <unistd.h>

#include "Sim.h"

using namespace obxsim;

namespace {

volatile std::sig_atomic_t g_fine = 0;
void Segnale(int) { g_fine = 1; }

// One source of commands: the script or the standard input.  Each waits on
// its own, so that a script waiting for a vote does not hold the commands
// typed meanwhile.
struct Riga {
    std::string testo;
    long eventiPrima;  // events logged before it was read
};

struct Fonte {
    std::string nome;
    std::deque<Riga> righe;
    long eventiPrima = 0;  // of the line being held by "await"
    double riprendi = 0;   // a "wait" holds it until then
    std::string attesa;    // an "await" holds it until this event
    double limiteAttesa = kMai;
};

struct Simulatore {
    Contesto ctx;
    std::vector<std::unique_ptr<Dispositivo>> dispositivi;
    std::vector<Fonte> fonti;
    bool binario = false;
    bool silenzioso = false;
    std::ofstream file;
    bool fine = false;

    void Log(const std::string& riga, bool sempre = false)
    {
        if (!silenzioso || sempre) {
            std::fwrite(riga.data(), 1, riga.size(), stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
        }
        if (file.is_open()) file << riga << '\n' << std::flush;
    }

    // Every event, in order: an "await" is met also by an event that came
    // after its line was read and before it was run.
    std::vector<std::string> eventi;

    void Evento(const std::string& nome)
    {
        Log("EV " + nome);
        eventi.push_back(nome);
        for (Fonte& f : fonti)
            if (f.attesa == nome) {
                f.attesa.clear();
                f.limiteAttesa = kMai;
            }
    }

    void Accoda(Fonte& f, const std::string& testo) { f.righe.push_back({testo, long(eventi.size())}); }

    static Parole Dividi(const std::string& riga)
    {
        Parole p;
        std::istringstream s(riga);
        std::string w;
        while (s >> w) p.push_back(w);
        // These take the rest of the line as it is.
        if (!p.empty() && (p[0] == "raw" || p[0] == "reply" || p[0] == "cardtext")) {
            const size_t i = riga.find(p[0]) + p[0].size();
            std::string resto = riga.substr(i);
            if (!resto.empty() && resto[0] == ' ') resto.erase(0, 1);
            return resto.empty() ? Parole{p[0]} : Parole{p[0], resto};
        }
        return p;
    }

    // Runs one command line; false when it holds its source (wait, await).
    bool Esegue(Fonte& f, const std::string& riga)
    {
        const size_t primo = riga.find_first_not_of(" \t\r");
        if (primo == std::string::npos || riga[primo] == '#') return true;
        const Parole p = Dividi(riga.substr(primo));
        const std::string& c = p[0];
        long n = 0;
        auto err = [&](const std::string& m) { Log("ERR " + m, true); };

        if (c == "wait") {
            double s = 0;
            if (p.size() < 2 || (s = std::atof(p[1].c_str())) < 0) {
                err("wait <seconds>");
                return true;
            }
            f.riprendi = Adesso() + s;
            return false;
        }
        if (c == "await") {
            if (p.size() < 2) {
                err("await <event> [timeout-seconds]");
                return true;
            }
            for (size_t i = size_t(f.eventiPrima); i < eventi.size(); ++i)
                if (eventi[i] == p[1]) return true;
            f.attesa = p[1];
            f.limiteAttesa = p.size() > 2 ? Adesso() + std::atof(p[2].c_str()) : kMai;
            return false;
        }
        if (c == "sync") {
            Log("SYNC " + (p.size() > 1 ? p[1] : std::string()));
            return true;
        }
        if (c == "quit" || c == "exit") {
            fine = true;
            return true;
        }
        if (c == "help") {
            Log(Aiuto());
            return true;
        }
        if (c == "split") {
            if (p.size() < 2 || !Numero(p[1], n) || n < 0) {
                err("split <bytes> [gap-ms]");
                return true;
            }
            ctx.linea.dividi = int(n);
            if (p.size() > 2 && Numero(p[2], n)) ctx.linea.pausaMs = int(n);
            return true;
        }
        if (c == "silent") {
            ctx.linea.silenzio = !(p.size() > 1 && p[1] == "off");
            return true;
        }
        if (c == "lose" || c == "garble") {
            long i = 1;
            if (p.size() > 1 && !Numero(p[1], i)) {
                err(c + " [byte-index]");
                return true;
            }
            (c == "lose" ? ctx.linea.perdi : ctx.linea.altera) = int(i);
            return true;
        }
        if (c == "raw") {
            ctx.linea.Invia(Sequenze(p.size() > 1 ? p[1] : std::string()), binario);
            return true;
        }
        if (c == "hex") {
            std::string b;
            for (size_t i = 1; i < p.size(); ++i) b += char(std::strtol(p[i].c_str(), nullptr, 16));
            ctx.linea.Invia(b, binario);
            return true;
        }
        for (auto& d : dispositivi) {
            std::string errore;
            if (d->Comando(p, errore)) {
                if (!errore.empty()) err(errore);
                return true;
            }
        }
        err("unknown command: " + riga.substr(primo));
        return true;
    }

    void Avanza()
    {
        const double ora = Adesso();
        for (Fonte& f : fonti) {
            while (!f.righe.empty() && !fine) {
                if (!f.attesa.empty()) {
                    if (ora < f.limiteAttesa) break;
                    Log("ERR await " + f.attesa + ": timed out", true);
                    f.attesa.clear();
                    f.limiteAttesa = kMai;
                }
                if (ora < f.riprendi) break;
                const Riga r = f.righe.front();
                f.righe.pop_front();
                f.eventiPrima = r.eventiPrima;
                Esegue(f, r.testo);
            }
        }
    }

    double Prossimo() const
    {
        double t = ctx.linea.Prossimo();
        for (const auto& d : dispositivi) t = std::min(t, d->Prossimo());
        for (const Fonte& f : fonti) {
            if (f.righe.empty()) continue;
            if (!f.attesa.empty())
                t = std::min(t, f.limiteAttesa);
            else
                t = std::min(t, f.riprendi);
        }
        return t;
    }

    static std::string Aiuto()
    {
        std::string s =
            "usage: obx-sim [options]\n"
            "  --device NAME    the device on the line (repeat for several on one line); default 4010\n"
            "  --port PATH      use this device instead of a new pseudo-terminal\n"
            "  --link PATH      also make PATH a symbolic link to the pseudo-terminal\n"
            "  --baud N         speed of a --port device (default 9600, 460800 with 7777)\n"
            "  -c, --cmd TEXT   a command run at start (repeatable), before the script\n"
            "  --script FILE    commands, one per line (# comments)\n"
            "  --split N        write every frame in chunks of N bytes\n"
            "  --gap MS         pause between the chunks (default 20)\n"
            "  --silent         send nothing: the host hears no reply\n"
            "  --stall          never read the line: what the host writes piles up\n"
            "  --log FILE       copy the log to FILE\n"
            "  --quiet          print only the first line and the errors\n"
            "The first line printed is the path to open.  Commands (script, --cmd, standard input):\n"
            "  wait <seconds>                         hold the next commands of this source\n"
            "  await <event> [timeout]                hold them until the device reports the event\n"
            "                                         (open, close, arm, map, idle, reset, refused, stop, survey)\n"
            "  split <n> [gap-ms] | silent [on|off]   faults of the line (split 0: whole frames)\n"
            "  lose [i] | garble [i]                  the next frame loses / has garbled its byte i from 0 (default "
            "1)\n"
            "  raw <text> | hex <AA BB ...>           send these bytes (\\xHH, \\r, \\n, \\s escapes in raw)\n"
            "  sync <tag>                             log \"SYNC <tag>\" when reached\n"
            "  help | quit\n";
        for (const Tipo& t : Tipi()) s += "Device " + t.nome + ":\n" + t.aiuto;
        return s;
    }
};

bool Raw(int fd, int baud)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0) return false;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    speed_t v = B9600;
    switch (baud) {
    case 19200: v = B19200; break;
    case 38400: v = B38400; break;
    case 57600: v = B57600; break;
    case 115200: v = B115200; break;
    case 230400: v = B230400; break;
    case 460800: v = B460800; break;
    default: break;
    }
    cfsetispeed(&t, v);
    cfsetospeed(&t, v);
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Simulatore sim;
    std::vector<std::string> nomi, comandi;
    std::string porta, collegamento, script, logFile;
    bool stallo = false;
    int baud = 0;

    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto valore = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "obx-sim: %s needs a value\n", a.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--device")
            nomi.push_back(valore());
        else if (a == "--port")
            porta = valore();
        else if (a == "--link")
            collegamento = valore();
        else if (a == "--baud")
            baud = std::atoi(valore().c_str());
        else if (a == "-c" || a == "--cmd")
            comandi.push_back(valore());
        else if (a == "--script")
            script = valore();
        else if (a == "--split")
            sim.ctx.linea.dividi = std::atoi(valore().c_str());
        else if (a == "--gap")
            sim.ctx.linea.pausaMs = std::atoi(valore().c_str());
        else if (a == "--silent")
            sim.ctx.linea.silenzio = true;
        else if (a == "--stall")
            stallo = true;
        else if (a == "--log")
            logFile = valore();
        else if (a == "--quiet")
            sim.silenzioso = true;
        else if (a == "--help" || a == "-h") {
            std::fputs(Simulatore::Aiuto().c_str(), stdout);
            return 0;
        } else {
            std::fprintf(stderr, "obx-sim: unknown option %s (see --help)\n", a.c_str());
            return 2;
        }
    }
    if (nomi.empty()) nomi.push_back("4010");

    sim.ctx.log = [&](const std::string& r) { sim.Log(r, r.rfind("ERR", 0) == 0); };
    sim.ctx.evento = [&](const std::string& e) { sim.Evento(e); };
    sim.ctx.linea.log = sim.ctx.log;
    for (const std::string& n : nomi) {
        bool trovato = false;
        for (const Tipo& t : Tipi())
            if (t.nome == n) {
                sim.dispositivi.push_back(t.crea(sim.ctx));
                trovato = true;
            }
        if (!trovato) {
            std::fprintf(stderr, "obx-sim: unknown device %s\n", n.c_str());
            return 2;
        }
        if (n == "7777") sim.binario = true;
    }
    if (baud == 0) baud = sim.binario ? 460800 : 9600;
    if (!logFile.empty()) sim.file.open(logFile, std::ios::app);

    int fd = -1, slave = -1;
    std::string percorso;
    if (porta.empty()) {
        fd = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0 || !ptsname(fd)) {
            std::fprintf(stderr, "obx-sim: no pseudo-terminal: %s\n", std::strerror(errno));
            return 1;
        }
        percorso = ptsname(fd);
        // Held open for the whole run: the host may close and reopen its side
        // without the line hanging up.
        slave = open(percorso.c_str(), O_RDWR | O_NOCTTY);
        if (slave < 0 || !Raw(slave, baud)) {
            std::fprintf(stderr, "obx-sim: %s: %s\n", percorso.c_str(), std::strerror(errno));
            return 1;
        }
    } else {
        fd = open(porta.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0 || !Raw(fd, baud)) {
            std::fprintf(stderr, "obx-sim: %s: %s\n", porta.c_str(), std::strerror(errno));
            return 1;
        }
        percorso = porta;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    sim.ctx.linea.fd = fd;
    if (!collegamento.empty()) {
        unlink(collegamento.c_str());
        if (symlink(percorso.c_str(), collegamento.c_str()) != 0) {
            std::fprintf(stderr, "obx-sim: link %s: %s\n", collegamento.c_str(), std::strerror(errno));
            return 1;
        }
    }

    std::signal(SIGINT, Segnale);
    std::signal(SIGTERM, Segnale);
    std::signal(SIGHUP, Segnale);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("%s\n", percorso.c_str());
    std::fflush(stdout);

    sim.fonti.resize(2);
    sim.fonti[0].nome = "script";
    sim.fonti[1].nome = "stdin";
    for (const std::string& c : comandi) sim.Accoda(sim.fonti[0], c);
    if (!script.empty()) {
        std::ifstream s(script);
        if (!s) {
            sim.Log("ERR cannot read the script " + script, true);
        }
        std::string r;
        while (std::getline(s, r)) sim.Accoda(sim.fonti[0], r);
    }

    bool stdinAperto = true;
    std::string parziale;
    while (!sim.fine && !g_fine) {
        sim.Avanza();
        for (auto& d : sim.dispositivi) d->Tempo(Adesso());
        sim.ctx.linea.Scrivi(fd);
        if (sim.fine) break;

        double attesa = sim.Prossimo() - Adesso();
        int ms = attesa == kMai ? 500 : int(std::max(0.0, std::min(attesa, 0.5)) * 1000) + 1;
        if (sim.ctx.linea.InAttesa() && sim.ctx.linea.Prossimo() <= Adesso()) ms = std::min(ms, 5);
        pollfd pf[2] = {{fd, short(stallo ? 0 : POLLIN), 0}, {stdinAperto ? 0 : -1, POLLIN, 0}};
        const int r = poll(pf, 2, ms);
        if (r < 0) {
            if (errno == EINTR) continue;
            break;
        }
        // Commands first: what was typed before a message reached the line
        // is queued before the message is handled.
        if (stdinAperto && (pf[1].revents & (POLLIN | POLLHUP))) {
            char buf[4096];
            const ssize_t n = read(0, buf, sizeof buf);
            if (n <= 0) {
                stdinAperto = false;  // no more commands; the devices go on
            } else {
                parziale.append(buf, size_t(n));
                size_t a;
                while ((a = parziale.find('\n')) != std::string::npos) {
                    sim.Accoda(sim.fonti[1], parziale.substr(0, a));
                    parziale.erase(0, a + 1);
                }
            }
        }
        if (pf[0].revents & POLLIN) {
            char buf[4096];
            const ssize_t n = read(fd, buf, sizeof buf);
            if (n > 0) {
                const std::string dati(buf, size_t(n));
                for (auto& d : sim.dispositivi) d->Ricevi(dati);
            }
        } else if (pf[0].revents & (POLLHUP | POLLERR)) {
            if (slave < 0) {
                sim.Log("ERR the line was lost", true);
                break;
            }
            usleep(20000);
        }
    }
    if (!collegamento.empty()) unlink(collegamento.c_str());
    if (slave >= 0) close(slave);
    close(fd);
    return 0;
}
