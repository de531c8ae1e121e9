// Exchange files with the external records system "Iride": text in
// Windows-1252, one record a line ending with CR LF, fields separated by
// "@" (no quoting: a field cannot hold "@").
//
//  - ImportaOdG replaces the agenda items ("DELIBERE") with the lines of an
//    agenda file.  The file is read in the encoding its byte-order mark
//    names, else as UTF-8 when it is well-formed UTF-8, else as
//    Windows-1252.  The whole file is read and checked first; only a file
//    without faults replaces the agenda, in one transaction, so a missing
//    or faulty file leaves the agenda as it was.  Every faulty line is
//    named with its number and field: a text longer than its field, a
//    number its field cannot hold, an item number 0 (a field without its
//    number), characters no text holds (a binary file) are refused, never
//    cut.  A line of more than ten fields is read up to its tenth, the rest
//    ignored; a line of blanks stores nothing.
//  - EsportaVoti writes the stored votes ("VOTI") in the layout "Sintesi"
//    (one line a vote: protocol, present, yes, no, abstain) or "Dettaglio"
//    (one line a seated person a vote: item number, protocol, external
//    identifier, took part S/N, the vote letter for the item or for its
//    immediate executability).  Every field, the last included, is
//    followed by "@".  The seats are read from "ANAGRAFE" into a copy of
//    the export's own, so an open sitting keeps its seats.  A text that
//    would shift the fields ("@", a line break) refuses the export, naming
//    the vote or the person, and the file is not written; so does a
//    failure of the archive, and the operator's "Interrompi" on the
//    progress window.  A destination that is a file the program holds (the
//    open archive, its ".ini" or ".old", the board's log) is refused.
//
// Neither runs while a vote is in hand; the import neither while the
// sitting console is open (it holds the agenda loaded).
#pragma once

#include <QString>

namespace obx {

// The format name of the external records system; the only one known.
inline const QString kFormatoIride = QStringLiteral("Iride");

// True, after telling the operator why, when the exchange may not run now.
bool ScambioRifiutato(bool bImportazione);

// cFile: the agenda file; cFormato: the format name.  The outcome is told
// to the operator.
void ImportaOdG(const QString& cFile, const QString& cFormato);

// cFile: the file to write (an existing one is replaced only once the
// export is complete); bSintesi: the "Sintesi" layout, else "Dettaglio".
void EsportaVoti(const QString& cFile, const QString& cFormato, bool bSintesi);

}  // namespace obx
