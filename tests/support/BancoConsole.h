// Shared pieces of the console tests: a fixture archive with a small
// council, the program state of an installation with no sitting, the
// console opened as the main menu opens it, and the rows it wrote.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "console/frmCons.h"
#include "support/ArchivioProva.h"
#include "support/ScriptedUI.h"

namespace obx::test {

// Turns the event loop for about ms milliseconds.
void Gira(int ms = 30);
// Turns the event loop until cond holds or ms milliseconds have gone by;
// returns cond's last value.  For what the window system delivers late
// on a loaded machine (activation, focus).
bool GiraFinche(const std::function<bool()>& cond, int ms = 3000);

struct RigaEvento {
    int codice = 0;
    QString lettera, descrizione, nome, extra, tipoArg;
    int presenti = 0, delibera = 0, codVoto = 0;
    QDateTime data;
};
std::vector<RigaEvento> Eventi();

// Clicks the button (a vote's "Aperta" or "Prova", whose click returns only
// when the vote ends) and runs passo every few milliseconds from inside the
// loop it turns, until passo returns true.  A click that has not come back
// after ms fails the test and the vote is dropped so the test can end.
void CliccaDurante(QAbstractButton* pulsante, const std::function<bool()>& passo, int ms = 15000);

class BancoConsole : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Assembly kind of the archive made by SetUp (before it runs).
    virtual int Tipo() const { return 1; }

    // Opens the console as the menu does and lets its first activation run;
    // with no rows in the tables nothing is asked.
    frmCons* Apre();
    // Opens the sitting from the console's button.
    void ApreSeduta(frmCons* f);
    // Apre, then ApreSeduta; nullptr when the console did not open.
    frmCons* ApreConSeduta();
    // Everybody in and item 1 (a deliberation) open, as set straight into
    // the program's state, with an open vote ("P") as the kind chosen.
    void TuttiPresentiArgomentoAperto();
    // Gives the focus to the console again (the window system does when the
    // window that had it goes).
    void Riattiva(frmCons* f);
    // Closes the running vote with "Chiusura", confirming the question the
    // console asks while somebody present has not voted (an earlier close
    // may have sent the non-voters out already); prima runs just before.
    void ChiudeConConferma(frmCons* f, const std::function<void()>& prima = {});

    std::unique_ptr<ArchivioProva> archivio;
    std::unique_ptr<ScriptedUI> ui;
    std::unique_ptr<FakeServices> servizi;
};

}  // namespace obx::test
