// What the configuration dialogs need from the rest of the program: the
// configuration file, the serial checks of the voting-unit link and the
// radio diagnostics window.  The dialogs reach them only through these
// entries, so that the program wires them once at start-up and a test can
// put stand-ins in their place.
#pragma once

#include <functional>

class QWidget;

namespace obx {

struct AgganciConfig {
    // Reads (true) or writes (false) the configuration file; starts as
    // GestisceConfig of Configurazione.h.
    std::function<void(bool leggi)> GestisceConfig;
    // Whether the serial port can be opened.  Unset: no port is listed.
    std::function<bool(int porta)> TestaPorta;
    // Whether a central of the configured model answers on the port (it
    // reports its own failures).  Unset: the test button does nothing.
    std::function<bool(int porta)> TestaCentralina;
    // Shows the radio diagnostics of the voting units, modal over the
    // parent.  Unset: "Setup" stays disabled.
    std::function<void(QWidget* padre)> MostraDiagnosticaRadio;
};

// The one set of entries in use.
AgganciConfig& AgganciDialoghiConfig();

}  // namespace obx
