#include "shell/Configurazione.h"

#include "shell/Globali.h"

namespace obx {

// Filled in by the configuration work.
void GestisceConfig(bool) { ImpostaVocabolari(); }
void ImpostaVocabolari() {}

}  // namespace obx
