// The console opened on a laws-mode archive (the small council of the
// fixture and its acts tree), with scripted dialogs and a fake keyboard,
// for the tests of the acts at the console and of the service buttons.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <map>
#include <memory>

#include "console/frmCons.h"
#include "support/BancoConsole.h"

namespace obx::test {

// Turns the event loop for about ms milliseconds.
inline void GiraAtti(int ms = 20) { Gira(ms); }

// One row of "VOTI" as a test stores it; keys: person code -> key.
struct VotoProva {
    int codice = 0;  // lCodiceVT
    int atto = 0;    // iCodLeggeVT
    QString tipo = QStringLiteral("P");
    int delibera = 0;  // iDeliberaVT (0: the act's code)
    QString nota;      // cNotaVotoVT
    int presenti = 0, favorevoli = 0, contrari = 0, astenuti = 0;
    std::map<int, QChar> tasti;
};
void AggiungeVoto(const VotoProva& v);

class BancoAtti : public BancoConsole {
protected:
    // A regional assembly: the console in laws mode over the acts tree.
    int Tipo() const override { return 4; }
    void SetUp() override;
    // Selects the tree node of that key (nullptr: nothing selected).
    void Sceglie(frmCons* f, const QString& chiaveNodo);
    // Rows of "LEGGI" now.
    static int Righe();
    static bool Esiste(int codice);
};

}  // namespace obx::test
