// The sitting console opened on a fixture archive with the fake clock, for
// the tests of the areas that drive it from outside its own folder: the
// program state of an installation with no sitting, the console opened as
// the main menu opens it (its timer then left off, the test ticks it), and
// the event rows it wrote.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <vector>

#include "console/frmCons.h"
#include "support/BancoConsole.h"

namespace obx::test {

// Turns the event loop for about ms milliseconds.
inline void GiraConsole(int ms = 30) { Gira(ms); }

// The letters and names of the rows of "EVENTI", in order.
struct EventoProva {
    QString lettera;
    QString nome;
};
std::vector<EventoProva> EventiRegistrati();

class ConsoleProva : public BancoConsole {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the console and lets its first activation run; the timer is
    // then switched off so that only the test's own ticks run.
    frmCons* Apre();
    // Sets the fake clock to a time of the sitting's day.
    void Ora(int h, int m, int s);
};

}  // namespace obx::test
