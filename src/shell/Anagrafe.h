// The seat registry in memory: the persons of "ANAGRAFE" loaded as seats
// (aPosti), persons without a seat (aOspiti) and parties (aPartiti); and
// the seat positions edited on the layout editors written back.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "shell/Globali.h"

namespace obx {

// The registry as "ANAGRAFE" holds it, in the shape of the program's arrays
// (element 0 of each dimensioned and empty).
struct Registro {
    std::vector<Posto> posti = std::vector<Posto>(1);
    std::vector<Ospite> ospiti = std::vector<Ospite>(1);
    std::vector<Partito> partiti = std::vector<Partito>(1);
    // "code name" of the persons whose code cannot stand in the per-seat
    // strings.
    QStringList fuoriLimite;
};

// Reads "ANAGRAFE" into r, leaving the program's arrays alone: for work
// that must not disturb the seats of an open sitting.  False, with
// "Archivio Anagrafico Vuoto", when the table is empty; a failure of the
// archive is reported in a message box and gives false.
bool LeggeAnagrafe(Registro& r);

// True loads the three arrays (false, with "Archivio Anagrafico Vuoto",
// when the table is empty: the arrays are then left as they were); False
// writes iPulsanteAN and the four positions of every seat into its row.
// A failure of the archive is reported in a message box and gives false.
bool GestisceAnagrafe(bool bCarica);

// The layout fields of one editor: the console's label number and position
// (iPulsanteAN, nTopAN, nLeftAN) or the projected board's position
// (nTopTvAN, nSinTvAN).
enum class CampiDisposizione { Console, Tabellone };

// Writes only those fields of the seats given into their rows (found by
// person code; a seat whose row is gone is skipped), all in one
// transaction: on a failure (reported) nothing is written.
bool ScriveDisposizione(const std::vector<const Posto*>& posti, CampiDisposizione campi);

// Party key: upper-cased, leading blanks removed, padded or cut to 20.
QString ChiavePartito(const QString& v);

}  // namespace obx
