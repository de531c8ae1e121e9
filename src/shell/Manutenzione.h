// Upkeep of the archive file against the schema: creation of a new archive,
// repair and compaction keeping a ".old" copy, restructuring (adds what the
// schema has and the file lacks; removes nothing).
#pragma once

#include <QString>

namespace obx {

// cModo "C" creates cPathArchivio, "I" repairs and compacts it (the
// previous file is kept as ".old"), "R" restructures it.  With
// xSilenzioso the success message is not shown; failures always are.
// After "C" and "I" the archive is closed, after "R" it is open in
// dbArchivio.  Returns false when the run reported a failure.  When "I"
// finds the file damaged (it fails the engine's check, is no archive at
// all, is empty or holds none of the five tables) it leaves it and its
// ".old" untouched and puts the findings in *cGuasto.  A file that holds
// some of the tables is an older archive, for "R" to complete.
bool GestisceArchivi(const QString& cModo, bool xSilenzioso, QString* cGuasto = nullptr);

// The copy kept by the repair: the archive path with its last four
// characters replaced by ".old" (consiglio.db -> consiglio.old).
QString PercorsoCopiaOld(const QString& percorsoArchivio);

}  // namespace obx
