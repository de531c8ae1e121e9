// Text helpers with the semantics the stored files and the operators' habits
// rely on: number formats with "#" and "0" placeholders, the leading-number
// rule, blank-only trimming, pad-and-cut to a field width, and the
// Windows-1252 byte encoding of text files and serial lines.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace obx {

// Number formatted with a pattern of "#" (optional digit) and "0" (required
// digit) placeholders; other characters are literals.  The value is rounded
// half away from zero.  Formato(0, "####") is empty, Formato(5, "00") "05",
// Formato(12, "0 0") "1 2", Formato(123456, "##0") "123456".
QString Formato(double valore, const QString& modello);

// Leading-number rule: the number at the start of the text (blanks, tabs and
// line feeds are skipped, an optional sign, digits, a decimal point, an
// exponent; "&H" for hexadecimal), 0 when there is none.
double Val(const QString& testo);

// Val read as an integer that must fit the 16-bit signed range; false when
// the number does not fit (the caller keeps its previous value).
bool Val16(const QString& testo, int& risultato);

// Blank-only trimming (tabs and other white space are kept, as stored
// fixed-width fields expect).
QString TrimSpazi(const QString& s);
QString LTrimSpazi(const QString& s);
QString RTrimSpazi(const QString& s);

// lettera is one character found in elenco (as "VW" for the kinds of a
// check of the legal number); an empty or longer text is never found.
bool LetteraIn(const QString& lettera, const char* elenco);

// Padded with blanks on the right or cut to the width.
QString PadTaglia(const QString& s, int larghezza);

// A number as text with a leading blank when it is not negative (" 12", "-3").
QString Str(int64_t n);

// Windows-1252: one byte per character.  Characters that have no byte are
// written as "?"; every byte decodes to one character.
QByteArray ToCp1252(const QString& s);
QString FromCp1252(const QByteArray& b);
// The lines of a Windows-1252 text: CR LF, LF and CR all end a line; a
// last empty line (the file ends with its line break) is not a line.
QStringList RigheTesto(const QByteArray& dati);
// The same of a text already decoded.
QStringList RigheTesto(QString testo);

// Elapsed seconds from one time of day to a later one, right across
// midnight (a negative difference gains 86400).
double Trascorso(double da, double a);

}  // namespace obx
