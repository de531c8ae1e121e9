// The printed list of every act registered in the acts tree ("LEGGI"), in
// tree order: type, number, the identifiers of the six levels and the
// event text of each act, on landscape pages with their header.
#pragma once

namespace obx {

// Shows the printer dialog (a cancel prints nothing), then prints the list;
// an empty table ends the job without a page of acts.  A failure is shown
// once, the first of the run, with its own description; the list goes on
// and the job is still ended.
void StampaListaAtti();

}  // namespace obx
