// Numbers typed in the fields of the configuration dialogs: read with the
// leading-number rule and refused, with a message naming the field, when
// they do not fit the setting.
#pragma once

#include <QString>

namespace obx {

inline constexpr int kMinimo16 = -32768;
inline constexpr int kMassimo16 = 32767;

// The leading number of the text in valore; false when it falls outside
// minimo..massimo (valore is then left alone).
bool NumeroCampo(const QString& testo, int minimo, int massimo, int& valore);

// "Valore non valido nel campo "<nome>"" with the range allowed, in an
// exclamation box titled "O.B.X.".
void AvvisaCampo(const QString& nome, int minimo, int massimo);

}  // namespace obx
