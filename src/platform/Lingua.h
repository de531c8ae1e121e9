// The language of the windows Qt builds itself (file, print, colour and
// font dialogs, standard buttons, context menus of text fields): Italian,
// as the program's own texts, and Italian as the default locale.
#pragma once

namespace obx {

// Installs Qt's Italian translations in the running application and makes
// Italian the default locale.  Returns false when the translations could
// not be loaded (the dialogs then stay in English; nothing else changes).
// Installing them twice changes nothing.
bool ImpostaItaliano();

}  // namespace obx
