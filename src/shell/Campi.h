// Small shared routines: values between archive fields and texts, columns
// of printed reports, texts for the LED board line, act-type names and
// labels, sound signals.  They read the settings and vocabularies of
// Globali.h and keep no state of their own.
#pragma once

#include <QString>
#include <QVariant>

namespace obx {

// Text of a field value: the default for a Null (invalid or null variant);
// with modo 1 the number without padding (0 gives an empty text), with any
// other modo the value's text without leading and trailing blanks.
QString LeggeCampo(const QVariant& valore, int modo, const QString& predefinito);

// A text made ready for a field: modo 0 the trimmed text padded or cut to
// larghezza (with larghezza 0 followed by one blank instead); modo 1 the
// number of "0" and the trimmed text, as a double; any other modo an empty
// variant.
QVariant PreparaCampo(const QString& testo, int modo, int larghezza);

// A number right-aligned in larghezza characters (the rightmost kept); any
// value that is not a number gives larghezza blanks.
QString AllineaDestra(const QVariant& valore, int larghezza);

// The text shortened to one line of the LED board of type iTipoTAB.
QString AbbreviaTesto(const QString& testo);

// Description of the act type of the current item (cTipoArg, iDelibera,
// cArgomentoPendente) for a field of the given width; with riempi padded
// or cut to it.
QString DescriveTipoAtto(int larghezza, bool riempi);

// Act-type lookup: modo 0 letter to short label, 1 name to short label,
// 2 name to letter, 3 letter to name; empty when not found.
QString TipoAtto(const QString& valore, int modo);

// Plays "beep" & nome & ".wav" from the program's folder without waiting;
// the beep when the file is missing.
void Suona(const QString& nome);

}  // namespace obx
