// Agenda items and item notes: selection, opening and closing of items and
// acts, type and status changes, pending sub-items and notes.
//
// Waiting for their behaviour: the bodies below only keep the console
// running until the agenda is built.
#include "console/frmCons.h"

namespace obx {

void frmCons::cmbArgo_Click(int) {}

void frmCons::cmdArgo_Click(int) {}

}  // namespace obx
