// Printing helpers shared by every printed report: the one printer of the
// program, its set-up before a report, and text placed on a grid of printer
// rows and character columns in "Courier New" 10 (fixed pitch, so one
// character is one column).  Each report decides its own page header and
// page breaks; these helpers only place text, start pages and end the job.
//
// Where a report goes: the operator's printer (the one chosen in the
// printer dialog, else the system's default); where no printer is
// installed, or the operator chose to print to a file, a new PDF file in
// the folder "Stampe" beside the archive, named after the report and the
// time ("Verbale_Voto_20260505-090712.pdf"), and at the end of the job a
// message tells the operator the file.  A PDF file set on Stampante() by
// the caller itself is written as it is, without a message.
//
// The job starts with the first text placed: a report that finds nothing
// to print sends nothing to the printer and writes no file.  A PDF file is
// written under a provisional name beside it and takes its name only at
// the end of the job, whole.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;

namespace obx {

// Shared printer state.
inline int iAltezzaRiga = 0;   // height of one printed row, in twips
inline int iRighePagina = 0;   // rows per page (90 % of the printable area, less 2 rows)
inline int iRigaStampa = 0;    // current row: 0 after the set-up
inline int iPaginaStampa = 1;  // current page: 1 after the set-up

// The printer of the program.  The printer dialog changes it; tests point
// it at a PDF file of their own before printing.
QPrinter& Stampante();

// Prepares the printer for a report named cNomeStampa (the name of its PDF
// file when it goes to one; "Stampa" when empty).  Value 2 of iOpzioni
// shows the printer dialog first (a cancel returns false silently); value
// 1 turns the page to landscape, portrait otherwise.  A printer or a folder
// that cannot be used is shown with its own description and also returns
// false; the caller then prints nothing.  A job left open by a previous
// report is ended first.
bool ImpostaStampante(int iOpzioni, const QString& cNomeStampa = QString());

// The printer dialog for the report cNomeStampa, for a caller that asks it
// before it prints (the console's "Stampa"): the choice holds for the next
// ImpostaStampante without the dialog.  False when cancelled.
bool ScegliDestinazioneStampa(const QString& cNomeStampa);

// Prints cTesto with its left edge at column iColonna of row iRiga of the
// current page.  iRigaStampa is not changed.
void StampaXY(int iRiga, int iColonna, const QString& cTesto);

// Prints cTesto from row iRiga, each row starting at column iColonna,
// broken as DivideTestoACapo breaks it.  On return iRigaStampa is the row
// after the last one printed.
void StampaTestoACapo(int iRiga, int iColonna, const QString& cTesto, int iLarghezza);

// The rows StampaTestoACapo prints: trailing blanks dropped; every CR, LF
// or CR LF ends a row (a row may be empty) and is not printed; a part
// longer than iLarghezza is broken at its last blank within the width, or,
// when no blank follows the width, kept whole as one row (it may then pass
// the width); a first word longer than the width takes its row whole.
QStringList DivideTestoACapo(const QString& cTesto, int iLarghezza);

// Starts a new page of the current job.
void NuovaPagina();

// Ends the job: the document goes to the printer, or to its file, and the
// operator is told the file when the program chose it or the operator did
// in the dialog.
void FineStampa();

// Stops the job under way, at the operator's "Interrompi": nothing of it
// goes to the printer and no file of it is left (a file that was already
// where it would have gone stays as it was), and the operator is told so
// with kStampaInterrotta.  The report then ends without FineStampa.
void InterrompeStampa();
inline const QString kStampaInterrotta = QStringLiteral("Stampa Interrotta: nulla è stato stampato.");

// The PDF file of the last job set up, empty when it went to a printer.
QString FileStampa();

// The folder of the reports printed to a file: "Stampe" in the archive's
// folder, with a trailing slash.
QString CartellaStampe();

// The date as the reports print it: "dddd, dd mmmm yyyy" with the Italian
// names of days and months.
QString DataDiStampa(const QDateTime& d);

// Every text placed by StampaXY, with its page (counted from 1 in the job),
// row and column, is handed to the observer while one is set; nullptr
// removes it.  For checks of what a report lays out.
using OsservatoreStampa = std::function<void(int pagina, int riga, int colonna, const QString& testo)>;
void ImpostaOsservatoreStampa(OsservatoreStampa osservatore);

// The names of the printers installed; tests replace the system's list
// (an empty function goes back to it).
void ImpostaElencoStampanti(std::function<QStringList()> f);

}  // namespace obx
