// Seat actions and their dialogs, guest speakers, substitutions, the
// console's function keys and the clock label.
//
// Waiting for their behaviour: the bodies below only keep the console
// running until the seat actions and keys are built.
#include "console/frmCons.h"

namespace obx {

void frmCons::txtAnag_MouseDown(int, int, int, float, float) {}

void frmCons::Form_KeyDown(int&, int) {}

void frmCons::txtOBX_Click() {}

void frmCons::mnuPopupSub_Click(int) {}

void ScambiaPosto(int, int) {}

}  // namespace obx
