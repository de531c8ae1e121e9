// Shared pieces of the layout tests: the console's fixture (a council of
// eight seats on labels 1..8, with console positions and no board
// positions), the editors taken down after each test, the rows as stored,
// and the mouse gestures of an operator on an editor.
#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <QString>

#include "board/EditorPosti.h"
#include "support/BancoConsole.h"

namespace obx::test {

// The layout fields of one row of "ANAGRAFE".
struct RigaPosto {
    int etichetta = 0;
    double top = 0, left = 0, topTv = 0, sinTv = 0;
};
RigaPosto LeggeRiga(int codice);
void ScriveRiga(int codice, const RigaPosto& r);

class BancoDisposizione : public BancoConsole {
protected:
    // The console's fixture, with the colours and fonts of a configuration
    // file that has none.
    void SetUp() override;
    void TearDown() override;
    // The archive as a new council has it: nobody placed anywhere.
    void SenzaDisposizione();
};

// Drags label k of the editor: pressed at presa (pixels inside the label;
// not 0, 0, which the test library takes for the label's centre), moved
// and released at arrivo (pixels of the panel).
void Trascina(EditorPosti& f, int k, QPoint presa, QPoint arrivo);
// Clicks entry riga of the list of seats to place.
void CliccaLibero(EditorPosti& f, int riga);
// The seats shown on the panel, by label: how many labels show seat i.
int EtichetteDel(const EditorPosti& f, int i);
// The list's entries, trimmed.
QStringList Liberi(const EditorPosti& f);

}  // namespace obx::test
