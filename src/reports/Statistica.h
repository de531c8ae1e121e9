// The participation statistics: for every seated member, in how many of
// the stored votes that member's voting unit answered, as a count and as a
// percentage of all stored votes.
#pragma once

namespace obx {

// Prints the statistics on the printer set up for reports (no dialog).
// Every row of "VOTI" counts, whatever its kind or note; a seat took part
// in a vote when its person code (1 to 120) is in the vote's cVotantiVT.
// The seats are those of the open console, else of the registry loaded
// now.  With no stored votes: "Nessuna Votazione Disponibile" and nothing
// printed.  The reading of the votes shows its progress; the operator's
// "Interrompi" prints nothing (InterrompeStampa).  A failure while reading or printing is shown (the first one)
// and the report goes on.
void StampaStatistica();

}  // namespace obx
