// The language of the windows Qt builds itself (file, print, colour and
// font dialogs, standard buttons, context menus of text fields): Italian,
// as the program's own texts, and Italian as the default locale.
#pragma once

namespace obx {

// Makes Italian the locale Qt takes for the desktop's own (the file
// dialog's dates and sizes are written in it, not in the default locale),
// whatever the environment's language.  To be called before the
// application object is built: Qt reads the desktop's locale once, when
// it is first asked for it.  The environment, and so the C library's
// locale and the programs started from this one, stay as they were, and
// no system locale needs to be installed.
void ImpostaLocaleItaliano();

// Installs Qt's Italian translations in the running application, with the
// few texts of its dialogs Qt's catalogue leaves in English, and makes
// Italian the default locale.  Returns false when Qt's translations could
// not be loaded (the dialogs then stay mostly in English; nothing else
// changes).  Installing them twice changes nothing.
bool ImpostaItaliano();

}  // namespace obx
