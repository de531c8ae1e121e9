// The vote minutes of the sitting: every act of the acts tree in tree
// order with its code, event text and status, and beside it the events the
// log holds for it (the closed votes with their counts, the withdrawals of
// sub-items of a voted act), on landscape pages with their header.
#pragma once

namespace obx {

// Prints the minutes without the printer dialog and ends the job; an empty
// acts tree prints nothing.  It reads the archive only.  The first failure
// of the run is shown with its description; the minutes go on and the job
// is still ended.
void StampaVerbaleSeduta();

}  // namespace obx
