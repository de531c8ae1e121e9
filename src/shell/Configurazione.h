// The configuration file beside the archive: read into the settings of
// Globali.h at start-up, written back whole whenever a setting changes.
#pragma once

namespace obx {

// True reads cFileConfig, False writes it; either way the vocabularies of
// the assembly kind are set afterwards.
void GestisceConfig(bool leggi);

// Sets the vocabularies and the two Archivi menu entries for iTipoAssemblea.
void ImpostaVocabolari();

}  // namespace obx
