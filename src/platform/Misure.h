// Sizes of controls measured on their own font, so that what they show
// reads whole on the machine they run on.
#pragma once

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

}  // namespace obx
