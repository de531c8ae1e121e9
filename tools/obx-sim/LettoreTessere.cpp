// The councillors' card reader: each card passed sends one record of 12
// characters, "%N?;" then the card number in four digits, then "?;" CR LF.
// What the host sends is logged and ignored.
#include <cstdio>

#include "Sim.h"

namespace obxsim {
namespace {

class LettoreTessere : public Dispositivo {
public:
    using Dispositivo::Dispositivo;

    void Ricevi(const std::string& dati) override
    {
        ctx.log("RX " + Mostra(dati, false) + " (ignored by the card reader)");
    }

    bool Comando(const Parole& p, std::string& errore) override
    {
        if (p[0] == "card") {
            // card <n> [<n>...]: several cards in one write
            if (p.size() < 2) {
                errore = "card <number> [<number>...]";
                return true;
            }
            std::string f;
            for (size_t i = 1; i < p.size(); ++i) {
                long n;
                if (!Numero(p[i], n) || n < 0 || n > 9999) {
                    errore = "card number out of 0..9999: " + p[i];
                    return true;
                }
                char b[16];
                std::snprintf(b, sizeof b, "%%N?;%04ld?;\r\n", n);
                f += b;
            }
            ctx.linea.Invia(f, false);
            return true;
        }
        if (p[0] == "cardtext") {
            // cardtext <text>: any record, with \xHH escapes
            if (p.size() < 2) {
                errore = "cardtext <text>";
                return true;
            }
            ctx.linea.Invia(Sequenze(p[1]), false);
            return true;
        }
        return false;
    }
};

Registra registra({"card",
                   "  card <n> [<n>...]                      card record(s) \"%N?;nnnn?;\\r\\n\"\n"
                   "  cardtext <text>                        any text (\\xHH escapes)\n",
                   [](Contesto& c) { return std::make_unique<LettoreTessere>(c); }});

}  // namespace
}  // namespace obxsim
