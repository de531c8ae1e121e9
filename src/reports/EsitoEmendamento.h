// The one-page notice that the amendment before the assembly has been
// withdrawn or has lapsed, printed when the console gives it that status.
#pragma once

#include <QString>

namespace obx {

// Prints, on the printer set up for reports (nothing when that fails), the
// council's name, the date and time, and "Emendamento " & cArgomento(6)
// followed by "  RITIRATO" for "R" or "  DECADUTO" for "D" (any other
// letter adds nothing).
void StampaEsitoEmendamento(const QString& cNuovoStato);

}  // namespace obx
