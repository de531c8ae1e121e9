// The parallel printer port as the program uses it: a device opened as a
// file for output, written and closed again.  The device is the one named
// on line "PRN=" of "Porte.txt" in the archive's folder, else /dev/lp0; a
// regular file named there takes the bytes of the last write (opened for
// output, as the printer device is, it starts empty every time).
//
// The device is opened non-blocking and every write is bounded in time, so
// a printer port that is off line or not there gives a failure instead of
// holding the program.
#pragma once

#include <QByteArray>
#include <QString>

#include "platform/Seriale.h"

namespace obx {

// The device of the parallel port.
QString DispositivoParallela();

// Opens the device for output, writes the bytes with no line end and closes
// it.  False on a failure, described in errore (numbers of Seriale.h).
bool ScriveParallela(const QByteArray& dati, ErroreSeriale& errore);

}  // namespace obx
