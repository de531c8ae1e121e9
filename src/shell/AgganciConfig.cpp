#include "shell/AgganciConfig.h"

#include "shell/Configurazione.h"

namespace obx {

AgganciConfig& AgganciDialoghiConfig()
{
    static AgganciConfig a{[](bool leggi) { obx::GestisceConfig(leggi); }, {}, {}, {}};
    return a;
}

}  // namespace obx
