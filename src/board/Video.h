// The monitors of the chamber's computer: the control monitor (the one the
// desktop names primary) and one further monitor for the projected board.
// Values are pixels of the desktop; a handle is the monitor's number in the
// desktop's list of screens plus one, so 0 means "no monitor".
#pragma once

#include <cstdint>

class QScreen;

namespace obx {

class clsVideo {
public:
    int64_t hMonitor = 0;
    int32_t nTop = 0;
    int32_t nSin = 0;
    int32_t nAlt = 0;
    int32_t nLar = 0;

    // True describes the primary monitor (always found), False looks for a
    // second one.  Returns whether the members were written; when nothing
    // is found they keep their earlier values.
    bool ImpostaDisplay(bool primario);

    // Handle of the monitor that holds the point (desktop pixels) on the
    // primary monitor's desktop; 0 when none does.
    static int64_t GetMonitorHandle(int x, int y);
};

// Fills lMonitor as the start-up does: row 0 the primary, row 1 the second
// monitor, or all zeros in row 1 when there is none.
void RilevaMonitor();

// The screen behind a handle of clsVideo; nullptr when it is gone.
QScreen* SchermoDelMonitor(int64_t hMonitor);

// Twips per pixel of a screen (15 at 96 dots per inch); nullptr means the
// primary screen.
double TwipsPerPixelX(const QScreen* s = nullptr);
double TwipsPerPixelY(const QScreen* s = nullptr);

}  // namespace obx
