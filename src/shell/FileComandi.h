// Command files: "R:" lines name an update, "Q:" lines carry the
// statements of that update, run on dbArchivio.  At start-up "ListaPro.txt"
// runs the updates newer than cLastIDAgg; from the menu a chosen file runs
// whole.
#pragma once

#include <QString>

namespace obx {

// xAutomatico true: the start-up run (silent, a missing file is no error,
// cLastIDAgg advanced and the configuration written); false: the manual
// run with its messages.
void EsegueFileComandi(const QString& cFile, bool xAutomatico);

// The program's version as an update identifier: major.minor.revision,
// each formatted "####" (so 0 gives nothing between the points).
QString IdentificativoVersione();

}  // namespace obx
