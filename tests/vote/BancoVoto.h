// The console of the vote tests: the console wired to obx-sim as
// support/BancoVotoSim.h sets it up, opened with a sitting open and the
// eight seats of the fixture present.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "board/frmVideo.h"
#include "console/Spoglio.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "links/Votatori.h"
#include "platform/Database.h"
#include "shell/Globali.h"
#include "support/BancoConsole.h"
#include "support/BancoVotoSim.h"
#include "support/Simulatore.h"

namespace obx::test {

class BancoVoto : public BancoVotoSim {
protected:
    void SetUp() override
    {
        BancoVotoSim::SetUp();
        if (HasFatalFailure()) return;
        f = Apre();
        ASSERT_NE(f, nullptr);
        ApreSeduta(f);
        TuttiPresentiArgomentoAperto();
    }
};

}  // namespace obx::test
