// obx-sim: the devices around O.B.X. on a serial line, for tests and for
// training.  One line (a pseudo-terminal or a given device) carries one or
// more simulated devices; the host's bytes go to each of them, and what
// they send goes out through the line, where faults can be injected.
//
// A device is one source file: a class derived from Dispositivo and a
// static Registra entry with its name, so that adding a device touches
// nothing else.
#pragma once

#include <deque>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace obxsim {

using Parole = std::vector<std::string>;

// Seconds on a monotonic clock.
double Adesso();
constexpr double kMai = std::numeric_limits<double>::infinity();

// Bytes for the log: hexadecimal pairs ("F1 0A"), or printable text with
// \xHH for the other bytes.
std::string Mostra(const std::string& byte, bool binario);
// "\x41" escapes and "\r", "\n", "\t" turned into bytes.
std::string Sequenze(const std::string& testo);
// Integer of a word (decimal, or hexadecimal with 0x); false when it is none.
bool Numero(const std::string& s, long& v);

// The outgoing side of the line.
class Linea {
public:
    // Sends one frame, split, damaged or dropped as the faults in force
    // say, and logs it as "TX ...": a frame that is not split is on the line
    // (unless the far end is full) when the line is logged.
    void Invia(const std::string& frame, bool binario);
    // Writes what is due; false when the far end takes nothing now.
    void Scrivi(int porta);
    double Prossimo() const;  // time of the next chunk due
    bool InAttesa() const { return !m_coda.empty(); }

    int dividi = 0;         // bytes per write (0: the whole frame)
    int pausaMs = 20;       // pause between the chunks of a split frame
    bool silenzio = false;  // sends nothing at all
    int perdi = -1;         // index of the byte the next frame loses
    int altera = -1;        // index of the byte the next frame has garbled
    int fd = -1;            // the line
    std::function<void(const std::string&)> log;

private:
    struct Pezzo {
        double quando;
        std::string byte;
    };
    std::deque<Pezzo> m_coda;
};

// What a device shares with the rest of the simulator.
struct Contesto {
    Linea linea;
    std::function<void(const std::string&)> log;     // one line on the log
    std::function<void(const std::string&)> evento;  // "EV name", wakes "await name"
};

class Dispositivo {
public:
    explicit Dispositivo(Contesto& c) : ctx(c) {}
    virtual ~Dispositivo() = default;
    // Bytes from the host.
    virtual void Ricevi(const std::string& dati) = 0;
    // A command of the script or of the standard input.  False when the
    // command is not this device's; errore set when it is but is wrong.
    virtual bool Comando(const Parole& p, std::string& errore) = 0;
    // Called at least at Prossimo() and whenever something happened.
    virtual void Tempo(double /*adesso*/) {}
    virtual double Prossimo() const { return kMai; }

protected:
    Contesto& ctx;
};

struct Tipo {
    std::string nome;
    std::string aiuto;  // its commands, for --help
    std::function<std::unique_ptr<Dispositivo>(Contesto&)> crea;
};
std::vector<Tipo>& Tipi();
struct Registra {
    explicit Registra(Tipo t) { Tipi().push_back(std::move(t)); }
};

}  // namespace obxsim
