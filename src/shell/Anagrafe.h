// The seat registry in memory: the persons of "ANAGRAFE" loaded as seats
// (aPosti), persons without a seat (aOspiti) and parties (aPartiti); and
// the seat positions edited on the layout editors written back.
#pragma once

#include <QString>

namespace obx {

// True loads the three arrays (false, with "Archivio Anagrafico Vuoto",
// when the table is empty: the arrays are then left as they were); False
// writes iPulsanteAN and the four positions of every seat into its row.
// A failure of the archive is reported in a message box and gives false.
bool GestisceAnagrafe(bool bCarica);

// Party key: upper-cased, leading blanks removed, padded or cut to 20.
QString ChiavePartito(const QString& v);

}  // namespace obx
