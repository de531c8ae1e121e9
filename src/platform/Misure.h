// Sizes of controls measured on their own font, so that what they show
// reads whole on the machine they run on.
#pragma once

#include <QFont>

class QHeaderView;
class QLineEdit;

namespace obx {

// Width in pixels a text field needs to show `caratteri` capital letters of
// average width, with its frame and inner margins.
int LarghezzaCampo(const QLineEdit* campo, int caratteri);
// Makes the field at least that wide (a layout then keeps it so).
void AdattaCampo(QLineEdit* campo, int caratteri);
// Widens every section of the header that is narrower than its own title.
void AdattaIntestazioni(QHeaderView* intestazione);

// The console's own font, a narrow sans serif of 8 points (Arial where
// Liberation Sans is missing), as the twips of its places were drawn for.
// The seat-layout editor of the console shows its seat labels in it too,
// so that a name reads there as it will at the console.
QFont CarattereConsole();

}  // namespace obx
