// The one-second engine (clock, request poll, live vote display, outcome
// blink, speaking clock, card reader, countdown of a timed vote).
//
// Waiting for its behaviour: the timer exists and is switched on and off by
// the console's activation; its tick does nothing yet.
#include "console/frmCons.h"

namespace obx {

void frmCons::croTimer_Timer() {}

}  // namespace obx
