// Opens a document with the desktop's viewer for its type (a report the
// program has just written).  Tests install their own opener.
#pragma once

#include <QString>
#include <functional>

namespace obx {

// True when a viewer was started.  False where no desktop can show it
// (no display, no viewer): the caller then tells the operator the path.
bool ApriDocumento(const QString& percorso);

// Opens the document as ApriDocumento does; where it cannot be shown (no
// such file, no viewer) the operator is told so, with the file's path, in a
// message box.  True when a viewer was started.
bool MostraDocumento(const QString& percorso, const QString& descrizione);

// Replaces the opener; an empty function goes back to the desktop's.
void ImpostaApriDocumento(std::function<bool(const QString&)> f);

}  // namespace obx
