#include "links/Tabellone.h"

namespace obx {

// The frames come with the display-board driver; until then the board
// receives nothing.
Tabellone::Tabellone() = default;
Tabellone::~Tabellone() = default;
bool Tabellone::ApreCom() { return false; }
void Tabellone::ChiudeCom() {}
void Tabellone::DettaglioTesto(const QString&) {}
void Tabellone::DettaglioLed(const QString&) {}

}  // namespace obx
