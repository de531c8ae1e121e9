// What may stop a vote from opening, before the console asks anything
// about it: no item chosen, an item that is not voted on, an act already
// past its vote, unvoted acts below the act.  The console asks its
// questions (roll call, amendment not chosen, legal number with the act,
// tellers away) only once these have let the vote through.
#pragma once

#include <QString>

namespace obx {

struct ControlloApertura {
    QString cMessaggio;  // shown with the exclamation icon; empty: the vote may open
    int iDelibera = 0;   // the item the vote goes with
};

// The checks of an opening of a vote of kind cTipo (not a test vote), over
// iTipoAssemblea, cTipoArg, iDelibera and iCodiceAtto.  iStato and cStato
// are the list index and the text of cmbArgo(3), the act's status in laws
// mode: an act past "Non Votato" refuses a vote and frees a check of the
// legal number from it.  Outside laws mode only the item is checked; a
// roll call ("A") is never refused here.  In laws mode an act with
// unvoted acts below it is refused (cArgomento(7) is cleared on the way),
// reading the acts' tree in the archive.
ControlloApertura ControllaApertura(const QString& cTipo, int iStato, const QString& cStato);

}  // namespace obx
