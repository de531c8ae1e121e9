// Printing helpers shared by every printed report: the one printer of the
// program, its set-up before a report, and text placed on a grid of printer
// rows and character columns in "Courier New" 10 (fixed pitch, so one
// character is one column).  Each report decides its own page header and
// page breaks; these helpers only place text, start pages and end the job.
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

class QPrinter;

namespace obx {

// Shared printer state.
inline int iAltezzaRiga = 0;   // height of one printed row, in twips
inline int iRighePagina = 0;   // rows per page (90 % of the page, less 2 rows)
inline int iRigaStampa = 0;    // current row: 0 after the set-up
inline int iPaginaStampa = 1;  // current page: 1 after the set-up

// The printer of the program.  The printer dialog changes it; tests point
// it at a PDF file before printing.
QPrinter& Stampante();

// Prepares the printer for a report.  Value 2 of iOpzioni shows the printer
// dialog first (a cancel returns false silently); value 1 turns the page to
// landscape, portrait otherwise.  Any other failure is shown with its own
// description and also returns false; the caller then prints nothing.  A
// job left open by a previous report is ended first.
bool ImpostaStampante(int iOpzioni);

// Prints cTesto with its left edge at column iColonna of row iRiga of the
// current page.  iRigaStampa is not changed.
void StampaXY(int iRiga, int iColonna, const QString& cTesto);

// Prints cTesto from row iRiga, each row starting at column iColonna,
// broken at blanks into rows of at most iLarghezza characters (a CR or CR LF
// within the width ends a row); a word that no blank follows is printed
// whole, even beyond the width.  Trailing blanks are not printed.  On return
// iRigaStampa is the row after the last one printed.
void StampaTestoACapo(int iRiga, int iColonna, const QString& cTesto, int iLarghezza);

// Starts a new page of the current job.
void NuovaPagina();

// Ends the job: the document goes to the printer (or file).
void FineStampa();

// The date as the reports print it: "dddd, dd mmmm yyyy" with the Italian
// names of days and months.
QString DataDiStampa(const QDateTime& d);

// Every text placed by StampaXY, with its page (counted from 1 in the job),
// row and column, is handed to the observer while one is set; nullptr
// removes it.  For checks of what a report lays out.
using OsservatoreStampa = std::function<void(int pagina, int riga, int colonna, const QString& testo)>;
void ImpostaOsservatoreStampa(OsservatoreStampa osservatore);

}  // namespace obx
