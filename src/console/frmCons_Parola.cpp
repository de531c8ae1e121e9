// Speaking turns and bookings: giving the floor, speaking time per member and
// per party, the booking queue and its panels.
//
// Waiting for their behaviour: the bodies below only keep the console
// running until speaking turns are built.
#include "console/frmCons.h"

namespace obx {

void frmCons::IniziaIntervento(int, int, const QString&, const QString&) {}

void frmCons::GestiscePrenotati(int, int, const QString&) {}

void frmCons::cmdParola_Click(int) {}

void frmCons::cmdTempo_Click(int) {}

void frmCons::lstPrenotati_Click() {}

void frmCons::lstParola_MouseDown(int, int, float, float) {}

void frmCons::getParola_MouseDown(int, int, float, float) {}

}  // namespace obx
