// The printed minutes of votes: for each vote the date and time, the
// officers of the chamber, a framed title naming the kind of vote, the
// agenda item, the members by how they voted (or by presence), the totals
// and the outcome.
#pragma once

#include <QString>

namespace obx {

// bArchivio false: the minutes of the vote the console has just closed and
// stored, from the console's state (counts, thresholds, per-seat keys in
// aPosti, requesters, officers, item); cSegnalibro is not read.  Printed
// without the printer dialog, where the last choice of it (or the
// fallback of Stampa.h) sends it.
//
// bArchivio true: stored votes of "VOTI", after the printer dialog.  With
// cSegnalibro empty every row in key order, each vote from a new page;
// otherwise only the row whose bookmark is cSegnalibro: the decimal text of
// Recordset::Bookmark() taken on a table-type record set over "VOTI" (the
// row's identity in the table, the same for every table-type record set
// over it, e.g. QString::number(rs.Bookmark())).  When the console is not
// open the seats are loaded from the registry first.  The keys and start
// of the stored votes are the report's own: a vote running at the console
// keeps its start and its seats' keys.
//
// Every row is long work: it shows its progress and the operator's
// "Interrompi" discards the job (InterrompeStampa), nothing printed.
//
// Pages break where the printable area ends ("segue pag." and the header
// again); a long item text is wrapped and continues over the pages.
//
// A cancelled printer dialog or a printer that cannot be set up prints
// nothing; so does an empty "VOTI" (no job is started).  The first failure
// while reading or printing is shown once and printing goes on.
void StampaVerbaleVoto(bool bArchivio, const QString& cSegnalibro);

}  // namespace obx
