// Shared helpers of the projected-board tests: the application object, the
// default colours and fonts of a new installation, and a small chamber of
// seats with a sitting and a vote.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "board/frmVideo.h"
#include "shell/Globali.h"
#include "support/ScriptedUI.h"

namespace obx::test {

QApplication& App();

// Colours and fonts a configuration file without those keys gives.
void ColoriEFontPredefiniti();

// Program-wide state back to an installation with no sitting: default
// colours and fonts, municipal council, no bookings, no seats, the given
// monitors, no board and no hooks.
void StatoIniziale();

// Takes the board down and lets it be destroyed.
void ChiudiTabellone();

// Twenty seats in four rows on the projected board, everyone absent.
void SediConsiglio();

// The sitting of the screenshot: eighteen present, a vote closed with its
// keys in cVoto, the outcome on display; the title cells as the console
// and the display-board driver write them.
void SedutaConVoto();
void ScriviTitoliVoto(FrmVideo& b);

class BancoTabellone : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QTemporaryDir cartella;
};

}  // namespace obx::test
