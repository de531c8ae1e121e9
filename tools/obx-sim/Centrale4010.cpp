// The wired voting-unit central, model 4010: two-letter text commands from
// the host, short text replies.
//
//   "Rc"            reset              -> "Ok", idle
//   "Mp " + 512     map of units       -> "Ok" (one "0"/"1" per block of eight units)
//   "Av " + 2 chars open a vote        -> "p1"
//   "Sf"            step: p1 -> "p2" (the vote runs, keys flow), then "p3",
//                   "p4", "Ok" (idle); in idle "Ok"
//   anything else                      -> "Er"
//
// While the vote runs the keypads send "V" + 7 characters (characters 3 to
// 5 the unit in three hexadecimal digits, the 7th "[" for one unit, "(" for
// a block of eight) followed by the key, or by 8 key-and-filler pairs; "?"
// means data pending, "F" the end of data.
#include <cstdio>
#include <set>

#include "Sim.h"

namespace obxsim {
namespace {

class Centrale4010 : public Dispositivo {
public:
    using Dispositivo::Dispositivo;

    void Ricevi(const std::string& dati) override
    {
        m_in += dati;
        m_ultimo = Adesso();
        Analizza();
    }

    void Tempo(double adesso) override
    {
        // A command that stays half-written is dropped, as the central's own
        // inter-character time-out would.
        if (!m_in.empty() && adesso - m_ultimo > 1.0) {
            ctx.log("RX " + Mostra(m_in, false) + " (incomplete, dropped)");
            m_in.clear();
            Rispondi("Er");
            ctx.evento("refused");
        }
    }
    double Prossimo() const override { return m_in.empty() ? kMai : m_ultimo + 1.0; }

    bool Comando(const Parole& p, std::string& errore) override
    {
        const std::string& c = p[0];
        if (c == "key") {
            if (p.size() < 3 || (p.size() - 1) % 2) return Errore(errore, "key <unit> <key> [<unit> <key>...]");
            for (size_t i = 1; i + 1 < p.size(); i += 2) {
                long u;
                if (!Numero(p[i], u) || u < 0 || u > 4095) return Errore(errore, "unit out of 0..4095: " + p[i]);
                const std::string k = Tasto(p[i + 1]);
                if (k.empty()) return Errore(errore, "bad key: " + p[i + 1]);
                if (!Ammesso(int(u), errore)) return true;
                ctx.linea.Invia(Testata(int(u)) + "[" + k, false);
            }
            return true;
        }
        if (c == "block") {
            if (p.size() != 10) return Errore(errore, "block <first-unit> <k1> ... <k8>");
            long u;
            if (!Numero(p[1], u) || u < 0 || u > 4088) return Errore(errore, "unit out of 0..4088: " + p[1]);
            std::string f = Testata(int(u)) + "(";
            for (size_t i = 2; i < 10; ++i) {
                const std::string k = Tasto(p[i]);
                if (k.empty()) return Errore(errore, "bad key: " + p[i]);
                f += k + "0";
            }
            if (!Ammesso(int(u), errore)) return true;
            ctx.linea.Invia(f, false);
            return true;
        }
        if (c == "end") {
            ctx.linea.Invia("F", false);
            return true;
        }
        if (c == "pending") {
            ctx.linea.Invia("?", false);
            return true;
        }
        if (c == "error") {
            // error <n> [after <m>]: the m messages after this one are answered
            // as usual, the n following with "Er".
            long n = 1, m = 0;
            if (p.size() > 1 && !Numero(p[1], n)) return Errore(errore, "error <n> [after <m>]");
            if (p.size() > 3 && p[2] == "after" && !Numero(p[3], m)) return Errore(errore, "error <n> [after <m>]");
            m_salta = int(m);
            m_errori = int(n);
            return true;
        }
        if (c == "reply") {
            // The next reply is this text instead of the protocol's.
            if (p.size() < 2) return Errore(errore, "reply <text>");
            m_sostituta = Sequenze(p[1]);
            m_sostituisci = true;
            return true;
        }
        if (c == "state") {
            static const char* nomi[] = {"idle", "p1", "p2 (voting)", "p3", "p4"};
            ctx.log(std::string("STATE ") + nomi[m_stato] + (m_mappa.empty() ? "" : " map set"));
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

    static std::string Tasto(const std::string& k)
    {
        if (k == "yes" || k == "si") return "3";
        if (k == "no") return "6";
        if (k == "abstain" || k == "astenuto") return "5";
        if (k.size() == 1) return k;
        return {};
    }

    static std::string Testata(int u)
    {
        char b[16];
        std::snprintf(b, sizeof b, "V00%03X0", u);
        return b;
    }

    bool Ammesso(int u, std::string& errore)
    {
        if (m_stato != 2) {
            errore = "no vote running: key of unit " + std::to_string(u) + " not sent";
            return false;
        }
        if (!m_mappa.empty() && m_mappa[size_t(u / 8)] != '1') {
            errore = "unit " + std::to_string(u) + " not enabled by the map: key not sent";
            return false;
        }
        return true;
    }

    void Rispondi(const std::string& r)
    {
        if (m_sostituisci) {
            m_sostituisci = false;
            ctx.linea.Invia(m_sostituta, false);
            return;
        }
        ctx.linea.Invia(r, false);
    }

    // True when this message is to be refused by an injected fault.
    bool Rifiutato()
    {
        if (m_errori <= 0) return false;
        if (m_salta > 0) {
            --m_salta;
            return false;
        }
        --m_errori;
        return true;
    }

    void Analizza()
    {
        while (!m_in.empty()) {
            if (m_in.size() < 2) return;
            const std::string c = m_in.substr(0, 2);
            size_t lung = 2;
            if (c == "Mp") {
                // "Mp " and up to 512 map characters.
                if (m_in.size() < 3) return;
                if (m_in[2] == ' ') {
                    size_t i = 3;
                    while (i < m_in.size() && i < 515 && (m_in[i] == '0' || m_in[i] == '1')) ++i;
                    if (i < 515 && i == m_in.size()) return;  // more to come
                    lung = i;
                }
            } else if (c == "Av") {
                if (m_in.size() < 5) return;
                lung = 5;
            }
            const std::string msg = m_in.substr(0, lung);
            m_in.erase(0, lung);
            ctx.log("RX " + Mostra(msg, false));
            Esegue(msg);
        }
    }

    void Esegue(const std::string& msg)
    {
        const std::string c = msg.substr(0, 2);
        const bool noto = c == "Rc" || c == "Sf" || c == "Av" || (c == "Mp" && msg.size() == 515 && msg[2] == ' ');
        if (!noto) {
            m_in.clear();
            Rispondi("Er");
            ctx.evento("refused");
            return;
        }
        if (Rifiutato()) {
            Rispondi("Er");
            ctx.evento("refused");
            return;
        }
        if (c == "Rc") {
            if (m_stato == 2) ctx.evento("close");
            m_stato = 0;
            ctx.evento("reset");
            Rispondi("Ok");
        } else if (c == "Mp") {
            m_mappa = msg.substr(3);
            ctx.evento("map");
            Rispondi("Ok");
        } else if (c == "Av") {
            m_stato = 1;
            ctx.evento("arm");
            Rispondi("p1");
        } else {  // Sf
            switch (m_stato) {
            case 1:
                m_stato = 2;
                Rispondi("p2");
                ctx.evento("open");
                break;
            case 2:
                m_stato = 3;
                Rispondi("p3");
                ctx.evento("close");
                break;
            case 3:
                m_stato = 4;
                Rispondi("p4");
                break;
            case 4:
                m_stato = 0;
                Rispondi("Ok");
                ctx.evento("idle");
                break;
            default: Rispondi("Ok"); break;
            }
        }
    }

    std::string m_in;
    double m_ultimo = 0;
    int m_stato = 0;  // 0 idle, 1 p1, 2 p2 voting, 3 p3, 4 p4
    std::string m_mappa;
    int m_errori = 0, m_salta = 0;
    bool m_sostituisci = false;
    std::string m_sostituta;
};

Registra registra({"4010",
                   "  key <unit> <key> [<unit> <key>...]   keypad frame(s) \"V..[\" (key 3/6/5, yes/no/abstain)\n"
                   "  block <first> <k1> ... <k8>           block frame \"V..(\" of eight units\n"
                   "  pending | end                         \"?\" data pending | \"F\" end of data\n"
                   "  error <n> [after <m>]                 answer n messages with \"Er\" (after m more)\n"
                   "  reply <text>                          the next reply is <text>\n"
                   "  state                                 log the central's state\n",
                   [](Contesto& c) { return std::make_unique<Centrale4010>(c); }});

}  // namespace
}  // namespace obxsim
