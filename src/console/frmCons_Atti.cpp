// Acts of the laws tree at the console (new acts under the selected node,
// their rows and events) and the console's service buttons.
//
// Waiting for their behaviour: the bodies below only keep the console
// running until the acts tree and the service buttons are built.
#include "console/frmCons.h"

namespace obx {

void frmCons::cmdServizio_Click(int) {}

void frmCons::cmdAtto_Click(int) {}

void frmCons::getIDAtto_GotFocus() {}

void frmCons::getTesto_Click(int) {}

void frmCons::oAlbero_NodeClick(NodoAlbero*) {}

}  // namespace obx
