// The radio voting-unit central, model 7777: single command bytes from the
// host, binary frames from the keypads, no acknowledgements.
//
//   AA        reset / stop (keypad frames and the survey stop)
//   11 x k    call antenna k (1..8): an antenna that is there answers one byte (11 x k)
//   BB        start: keypad frames flow (vote opening and the poll for requests to speak)
//   EE        start the unit survey: the registered units report
//
// Keypad frame, 5 bytes: F0 + antenna, the unit in the low four bits of
// three bytes (low digit first), the key code (10 yes, 11 no, 12 abstain,
// 13 request to speak).  Survey frame, 6 bytes: the same head, then the
// battery code in the low four bits of two bytes (low digit first).
#include <map>
#include <set>
#include <sstream>

#include "Sim.h"

namespace obxsim {
namespace {

struct Unita {
    int batteria = 0;
    std::vector<int> antenne;
};

class Centrale7777 : public Dispositivo {
public:
    using Dispositivo::Dispositivo;

    void Ricevi(const std::string& dati) override
    {
        for (char ch : dati) {
            const int b = static_cast<unsigned char>(ch);
            std::string nota;
            if (b == 0xAA) {
                const bool eraAttiva = m_avviata || m_rilievo;
                m_avviata = false;
                m_rilievo = false;
                m_quandoRilievo = kMai;
                nota = " (stop)";
                ctx.log("RX AA" + nota);
                if (eraAttiva) ctx.evento("close");
                ctx.evento("stop");
                continue;
            }
            if (b == 0xBB) {
                m_avviata = true;
                ctx.log("RX BB (start)");
                ctx.evento("open");
                continue;
            }
            if (b == 0xEE) {
                m_rilievo = true;
                m_quandoRilievo = Adesso() + m_ritardoRilievo;
                ctx.log("RX EE (survey)");
                ctx.evento("survey");
                continue;
            }
            if (b % 0x11 == 0 && b >= 0x11 && b <= 0x88) {
                const int k = b / 0x11;
                const bool c = m_antenne.count(k) > 0;
                ctx.log("RX " + Mostra(std::string(1, ch), true) + " (antenna " + std::to_string(k) +
                        (c ? ")" : ": absent)"));
                if (c) ctx.linea.Invia(std::string(1, ch), true);
                continue;
            }
            ctx.log("RX " + Mostra(std::string(1, ch), true) + " (unknown)");
        }
    }

    void Tempo(double adesso) override
    {
        if (m_rilievo && adesso >= m_quandoRilievo) {
            m_quandoRilievo = kMai;
            Rileva();
        }
    }
    double Prossimo() const override { return m_rilievo ? m_quandoRilievo : kMai; }

    bool Comando(const Parole& p, std::string& errore) override
    {
        const std::string& c = p[0];
        if (c == "antennas") {
            // antennas 1,3,5 | antennas none
            m_antenne.clear();
            if (p.size() > 1 && p[1] != "none") {
                for (int a : Elenco(p[1]))
                    if (a >= 1 && a <= 8) m_antenne.insert(a);
            }
            return true;
        }
        if (c == "key" || c == "speak") {
            // key <unit> <key> [antenna] ; speak <unit> [antenna]
            const size_t base = c == "key" ? 3 : 2;
            if (p.size() < base)
                return Errore(errore, c == "key" ? "key <unit> <key> [antenna]" : "speak <unit> [antenna]");
            long u, a = 1;
            if (!Numero(p[1], u) || u < 0 || u > 4095) return Errore(errore, "unit out of 0..4095: " + p[1]);
            if (p.size() > base && (!Numero(p[base], a) || a < 1 || a > 15))
                return Errore(errore, "bad antenna: " + p[base]);
            int codice = 13;
            if (c == "key") {
                codice = Codice(p[2]);
                if (codice < 0) return Errore(errore, "bad key: " + p[2]);
            }
            if (!m_avviata) return Errore(errore, "central not started (no BB): frame of unit " + p[1] + " not sent");
            std::string f = Testata(int(a), int(u));
            f += char(codice & 15);
            ctx.linea.Invia(f, true);
            return true;
        }
        if (c == "unit" || c == "units") {
            // unit <u> <battery> <antennas> ; units <first>-<last> <battery> <antennas>
            if (p.size() < 4) return Errore(errore, c + " <u|first-last> <battery-code> <antenna,...>");
            long da, a, batt;
            const size_t t = p[1].find('-');
            if (t == std::string::npos) {
                if (!Numero(p[1], da)) return Errore(errore, "bad unit: " + p[1]);
                a = da;
            } else if (!Numero(p[1].substr(0, t), da) || !Numero(p[1].substr(t + 1), a)) {
                return Errore(errore, "bad range: " + p[1]);
            }
            if (da < 0 || a > 4095 || da > a) return Errore(errore, "units out of 0..4095: " + p[1]);
            if (!Numero(p[2], batt) || batt < 0 || batt > 255)
                return Errore(errore, "battery code out of 0..255: " + p[2]);
            const std::vector<int> ant = Elenco(p[3]);
            for (long u = da; u <= a; ++u) m_unita[int(u)] = {int(batt), ant};
            return true;
        }
        if (c == "nounits") {
            m_unita.clear();
            return true;
        }
        if (c == "survey") {
            if (!m_rilievo) return Errore(errore, "no survey running (no EE)");
            Rileva();
            return true;
        }
        if (c == "survey-delay") {
            long ms;
            if (p.size() < 2 || !Numero(p[1], ms) || ms < 0) return Errore(errore, "survey-delay <ms>");
            m_ritardoRilievo = ms / 1000.0;
            return true;
        }
        if (c == "state") {
            std::ostringstream s;
            s << "STATE " << (m_avviata ? "started" : "stopped") << (m_rilievo ? " survey" : "") << " antennas";
            for (int a : m_antenne) s << ' ' << a;
            s << " units " << m_unita.size();
            ctx.log(s.str());
            return true;
        }
        return false;
    }

private:
    static bool Errore(std::string& e, const std::string& m)
    {
        e = m;
        return true;
    }

    static std::vector<int> Elenco(const std::string& s)
    {
        std::vector<int> r;
        std::stringstream ss(s);
        std::string x;
        while (std::getline(ss, x, ',')) {
            long v;
            if (Numero(x, v)) r.push_back(int(v));
        }
        return r;
    }

    static int Codice(const std::string& k)
    {
        if (k == "3" || k == "yes" || k == "si") return 10;
        if (k == "6" || k == "no") return 11;
        if (k == "5" || k == "abstain" || k == "astenuto") return 12;
        if (k == "speak") return 13;
        long v;
        if (Numero(k, v) && v >= 0 && v <= 15) return int(v);
        return -1;
    }

    static std::string Testata(int antenna, int u)
    {
        std::string f;
        f += char(0xF0 + (antenna & 15));
        f += char(u & 15);
        f += char((u >> 4) & 15);
        f += char((u >> 8) & 15);
        return f;
    }

    // Every registered unit reports once through each antenna that hears it.
    void Rileva()
    {
        for (const auto& [u, d] : m_unita) {
            for (int a : d.antenne) {
                std::string f = Testata(a, u);
                f += char(d.batteria & 15);
                f += char((d.batteria >> 4) & 15);
                ctx.linea.Invia(f, true);
            }
        }
    }

    bool m_avviata = false;
    bool m_rilievo = false;
    double m_quandoRilievo = kMai;
    double m_ritardoRilievo = 0.2;
    std::set<int> m_antenne;
    std::map<int, Unita> m_unita;
};

Registra
    registra({"7777",
              "  antennas <k,k,...>|none                antennas that answer their call (default none)\n"
              "  key <unit> <key> [antenna]             keypad frame (key 3/6/5, yes/no/abstain or code 0..15)\n"
              "  speak <unit> [antenna]                 request to speak (key code 13)\n"
              "  unit <u> <battery> <k,k,...>           a unit that reports in the survey, heard by those antennas\n"
              "  units <first>-<last> <battery> <k,...> the same for a range; nounits forgets them all\n"
              "  survey                                 the units report again (while a survey runs)\n"
              "  survey-delay <ms>                      delay from EE to the first reports (default 200)\n"
              "  state                                  log the central's state\n",
              [](Contesto& c) { return std::make_unique<Centrale7777>(c); }});

}  // namespace
}  // namespace obxsim
