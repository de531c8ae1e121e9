// Colours and font strings of the boards.  Colours are stored the way the
// configuration file keeps them: 0x00BBGGRR (red in the low byte), or a
// system colour 0x800000nn that names an element of the desktop palette.
// Font strings read "name,styles,size" ("MS Sans Serif,B,14").
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

namespace obx {

// The colour shown for a stored colour value; system colours are taken
// from the application palette (0x80000008, window text, is its text colour).
QColor ColoreQt(int32_t valore);
// The stored value of a colour (never a system colour).
int32_t ColoreVB(const QColor& c);

// The colour text is drawn in on an opaque background of its own: its
// colour, unless it would not stand out from that background (the two
// alike, or nearly); then black or white, whichever reads better there.
QColor ColoreTestoLeggibile(const QColor& testo, const QColor& sfondo);

// How a font string is applied.
enum class ModoFont {
    // As the board's load does: nothing when the name is empty, the
    // size rounded to a whole number (halves to the even one).
    Caricamento,
    // As the presence look does: the size kept with its fraction.
    Presenza,
};

// Applies a font string to f.  Without any comma nothing changes; with one
// comma the name (when not empty) and the style letters B, I, S, U (looked
// for anywhere after it, each cleared when missing) are applied; the size
// follows only after a second comma.  Returns whether anything was applied.
bool ApplicaFont(QFont& f, const QString& stringa, ModoFont modo);

// The values a font dialog exchanges.
struct ValoriFont {
    QString nome;
    bool grassetto = false;
    bool corsivo = false;
    bool sottolineato = false;
    bool barrato = false;
    double dimensione = 0;
};

// Takes the values of a font string into v, as a font dialog is set from
// it: nothing without a comma (v keeps what it held); with one, the name
// before it and the style letters looked for after it (only B and I when
// soloGrassettoCorsivo: underline and strikethrough are then left alone);
// the size only after a second comma.  Returns whether it held a comma.
bool LeggeValoriFont(const QString& stringa, ValoriFont& v, bool soloGrassettoCorsivo = false);

// The font string of the values: the name without trailing blanks, ",",
// the letters B, I, U, S in this order (B and I only when
// soloGrassettoCorsivo), ",", and the size as a whole number when
// arrotonda (halves away from zero), else as it is.
QString StringaFont(const ValoriFont& v, bool soloGrassettoCorsivo = false, bool arrotonda = true);

}  // namespace obx
