// The vote: opening with its checks and the map of enabled units, the key
// collection, closing, annulling and dropping, tally and outcome.
//
// Waiting for their behaviour: the bodies below only keep the console
// running until the vote is built.  Dropping a vote (mode 64) already ends
// it without a row or an event, as the sitting commands need.
#include "console/frmCons.h"
#include "shell/Globali.h"

namespace obx {

void frmCons::cmdVoto_Click(int) {}

bool frmCons::ApreVotazione(int)
{
    return false;
}

bool frmCons::ChiudeVotazione(int iModo)
{
    if (iModo == 64) iModoVoto = 0;
    return true;
}

void frmCons::MostraEsitoVideo(int) {}

}  // namespace obx
