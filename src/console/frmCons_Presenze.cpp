// Attendance and quorum: the attendance changes of every path (operator,
// card, key, roll call), the count of those present, the thresholds of the
// quorum kinds and the handlers of the quorum and vote-kind combos.
//
// Waiting for their behaviour: the bodies below only keep the console
// running until attendance and quorum are built.
#include "console/frmCons.h"
#include "shell/Globali.h"

namespace obx {

QString frmCons::CambiaPresenza(int, int, bool)
{
    return QString();
}

void frmCons::CalcolaQuorum(int, bool) {}

void frmCons::cmbTipoQuorum_Click() {}

void frmCons::cmbTipoVoto_Click() {}

void frmCons::chkImmEsec_Click() {}

}  // namespace obx
