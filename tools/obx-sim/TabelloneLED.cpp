// The chamber's LED display board: write-only, it decodes what the host
// sends and logs one line per frame.
//
//   ENQ id SOH "0501" STX rows (each + CR LF) ETX EOT
//       BOARD TEXT <id> [row][row]...
//   ENQ page SOH map EOT
//       BOARD LED <page> <map>
//   ENQ "O" hhmmss ddmmyy "0" weekday ETX
//       BOARD CLOCK hh:mm:ss dd-mm-yy day=<1 Sunday .. 7 Saturday>
//   ENQ "s" / ENQ "S"
//       BOARD CHRONO start / BOARD CHRONO stop
//   anything else
//       BOARD ERR <bytes> (<reason>)
//
// Inside rows and maps the bytes outside 20..7E and the characters \ [ ]
// are written \xHH (the field code SO is \x0E).  A frame left incomplete
// for a second is reported and dropped.  Each frame also raises an event
// (text, led, clock, chrono) for "await".
#include <cstdio>
#include <map>

#include "Sim.h"

namespace obxsim {
namespace {

constexpr char SOH = 0x01, STX = 0x02, ETX = 0x03, EOT = 0x04, ENQ = 0x05;

std::string Esc(const std::string& s)
{
    std::string r;
    char b[8];
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '[' && c != ']') {
            r += char(c);
        } else {
            std::snprintf(b, sizeof b, "\\x%02X", c);
            r += b;
        }
    }
    return r;
}

bool Cifre(const std::string& s)
{
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

class TabelloneLED : public Dispositivo {
public:
    using Dispositivo::Dispositivo;

    void Ricevi(const std::string& dati) override
    {
        m_buf += dati;
        m_ultimo = Adesso();
        Analizza();
    }

    bool Comando(const Parole& p, std::string& /*errore*/) override
    {
        if (p[0] != "board") return false;
        // board: what the board shows now
        std::string s = "STATE BOARD";
        for (const auto& [id, righe] : m_righe) {
            s += " id=" + id + " ";
            for (const std::string& r : righe) s += "[" + Esc(r) + "]";
        }
        for (const auto& [pagina, mappa] : m_mappe) s += " led=" + Esc(pagina) + ":" + Esc(mappa);
        s += m_cronometro ? " chrono=running" : " chrono=stopped";
        ctx.log(s);
        return true;
    }

    void Tempo(double adesso) override
    {
        if (!m_buf.empty() && adesso - m_ultimo >= 1.0) {
            Errore(m_buf, "incomplete");
            m_buf.clear();
        }
    }

    double Prossimo() const override { return m_buf.empty() ? kMai : m_ultimo + 1.0; }

private:
    void Errore(const std::string& byte, const std::string& motivo)
    {
        ctx.log("BOARD ERR " + Esc(byte) + " (" + motivo + ")");
    }

    void Analizza()
    {
        for (;;) {
            const size_t inizio = m_buf.find(ENQ);
            if (inizio == std::string::npos) {
                if (!m_buf.empty()) Errore(m_buf, "no ENQ");
                m_buf.clear();
                return;
            }
            if (inizio > 0) {
                Errore(m_buf.substr(0, inizio), "no ENQ");
                m_buf.erase(0, inizio);
            }
            if (m_buf.size() < 2) return;
            const char tipo = m_buf[1];
            if (tipo == 's' || tipo == 'S') {
                m_cronometro = tipo == 's';
                ctx.log(std::string("BOARD CHRONO ") + (tipo == 's' ? "start" : "stop"));
                ctx.evento("chrono");
                m_buf.erase(0, 2);
                continue;
            }
            if (tipo == 'O') {
                const size_t fine = m_buf.find(ETX, 2);
                const size_t altro = m_buf.find(ENQ, 1);
                if (altro != std::string::npos && (fine == std::string::npos || altro < fine)) {
                    Errore(m_buf.substr(0, altro), "clock frame cut short");
                    m_buf.erase(0, altro);
                    continue;
                }
                if (fine == std::string::npos) return;
                const std::string corpo = m_buf.substr(2, fine - 2);
                m_buf.erase(0, fine + 1);
                if (corpo.size() != 14 || !Cifre(corpo) || corpo[12] != '0') {
                    Errore(std::string(1, ENQ) + "O" + corpo + ETX, "bad clock frame");
                    continue;
                }
                char b[64];
                std::snprintf(b, sizeof b, "BOARD CLOCK %.2s:%.2s:%.2s %.2s-%.2s-%.2s day=%c", corpo.c_str(),
                              corpo.c_str() + 2, corpo.c_str() + 4, corpo.c_str() + 6, corpo.c_str() + 8,
                              corpo.c_str() + 10, corpo[13]);
                ctx.log(b);
                ctx.evento("clock");
                continue;
            }
            if (m_buf.size() < 3) return;
            if (m_buf[2] != SOH) {
                Errore(m_buf.substr(0, 3), "no SOH after the address");
                m_buf.erase(0, 1);
                continue;
            }
            const size_t fine = m_buf.find(EOT, 3);
            const size_t altro = m_buf.find(ENQ, 1);
            if (altro != std::string::npos && (fine == std::string::npos || altro < fine)) {
                Errore(m_buf.substr(0, altro), "frame cut short");
                m_buf.erase(0, altro);
                continue;
            }
            if (fine == std::string::npos) return;
            const std::string id(1, tipo);
            const std::string corpo = m_buf.substr(3, fine - 3);
            const std::string intero = m_buf.substr(0, fine + 1);
            m_buf.erase(0, fine + 1);
            const std::string testa = std::string("0501") + STX;
            if (corpo.compare(0, testa.size(), testa) == 0) {
                if (corpo.empty() || corpo.back() != ETX) {
                    Errore(intero, "text frame without ETX");
                    continue;
                }
                std::string righe = corpo.substr(testa.size(), corpo.size() - testa.size() - 1);
                std::vector<std::string> v;
                std::string riga = "BOARD TEXT " + id + " ";
                size_t a = 0;
                bool ok = true;
                while (a < righe.size()) {
                    const size_t b = righe.find("\r\n", a);
                    if (b == std::string::npos) {
                        ok = false;
                        break;
                    }
                    v.push_back(righe.substr(a, b - a));
                    a = b + 2;
                }
                if (!ok) {
                    Errore(intero, "row without CR LF");
                    continue;
                }
                for (const std::string& r : v) riga += "[" + Esc(r) + "]";
                m_righe[id] = v;
                ctx.log(riga);
                ctx.evento("text");
                continue;
            }
            m_mappe[id] = corpo;
            ctx.log("BOARD LED " + Esc(id) + " " + Esc(corpo));
            ctx.evento("led");
        }
    }

    std::string m_buf;
    double m_ultimo = 0;
    std::map<std::string, std::vector<std::string>> m_righe;  // by controller id
    std::map<std::string, std::string> m_mappe;               // by page
    bool m_cronometro = false;
};

Registra registra({"board",
                   "  board                                  log the rows, maps and chronometer shown\n"
                   "  (decoded frames: BOARD TEXT <id> [row]..., BOARD LED <page> <map>,\n"
                   "   BOARD CLOCK hh:mm:ss dd-mm-yy day=<n>, BOARD CHRONO start|stop, BOARD ERR ...)\n",
                   [](Contesto& c) { return std::make_unique<TabelloneLED>(c); }});

}  // namespace
}  // namespace obxsim
