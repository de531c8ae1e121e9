// Qt's input events in the terms the windows' handlers take them: the
// mouse button and the Shift state as numbers, and whether a change of
// focus is the operator moving between fields or another window coming and
// going.
#pragma once

#include <Qt>

namespace obx {

// Button: 1 left, 2 right, 4 middle, 0 any other.
int PulsanteDi(Qt::MouseButton b);
// Shift state: bit 1 Shift, 2 Ctrl, 4 Alt.
int ShiftDi(Qt::KeyboardModifiers m);
// A focus change that comes from another window (a message box, a dialog,
// the operator switching windows), not from the operator moving between
// fields.
bool DaAltraFinestra(Qt::FocusReason r);

}  // namespace obx
