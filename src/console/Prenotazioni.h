// Requests to speak and the booking queue of the sitting console.
//
// The queue is aPrenotati (entry 0 unused, entries in booking order).  An
// entry is never deleted one by one: once given the floor or removed it
// stays with xInAttesa 0 and moves to the end when the person books again;
// the whole queue is emptied when a new item is selected.
//
// These routines touch no control: they return the lines of the console's
// list lstPrenotati (the first nine are also the booking cells 17..25 of the
// projected board) and the selection to restore; the console shows them.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace obx {

// Operation codes: the low three bits choose the operation, 8 marks a guest
// and 16 a keypad press (with booking).
inline constexpr int kPrenota = 1;
inline constexpr int kDaParola = 2;
inline constexpr int kTogli = 3;
inline constexpr int kSvuota = 4;
inline constexpr int kPrenotaOspite = 8;
inline constexpr int kPrenotaTastiera = 16;

// Repeated presses of one keypad key within this many seconds are one request.
inline constexpr double kRipetizioneTastiera = 5.0;

// The speaker chosen from the queue (operation 2): seat index, 0 for a guest.
struct OratoreScelto {
    bool xValido = false;
    int iPosto = 0;
    QString cNome;       // trimmed full name
    QString cNomeBreve;  // trimmed short name
};

// What the console does after a queue operation.
struct EsitoPrenotati {
    bool xRidisegna = false;  // false: the list stays as it is
    QStringList cRighe;       // lines of lstPrenotati, in order
    int iSelezione = -1;      // ListIndex to set (with Tag "SET"); -1 none ("RESET")
    OratoreScelto oratore;    // operation 2: whom to give the floor (IniziaIntervento mode 8)
};

// The queue operations.  Operation 1: iChi is the index in aPosti (or in
// aOspiti with bit 8); operations 2 and 3: iChi is the 1-based position in
// lstPrenotati.  cSelezionata is the text of the list's selected line, kept
// selected after a booking.  Indexes and positions that name no entry
// change nothing (the list is still redrawn).
EsitoPrenotati GestiscePrenotati(int iChi, int iOperazione, const QString& cSelezionata = QString());

// The list lines as they stand (sets each entry's iPosizione), with the
// line whose name matches cSelezionata to select (-1 none).
EsitoPrenotati RighePrenotati(const QString& cSelezionata = QString());

// The name of a list line: the text before its first "(", trimmed.
QString NomeDaRiga(const QString& cRiga);

// The nine booking cells of the projected board (txtTitolo(17) to (25)):
// the first nine lines, empty texts after the last one.
std::array<QString, 9> CellePrenotati(const QStringList& cRighe);

// ---------------------------------------------------------------------------
// Requests to speak from the radio keypads, polled between votes.

// Scans keypad frames: cResiduo (the tail of an incomplete frame, emptied or
// replaced) followed by cNuovi.  A frame is a byte of value F0 or more and
// four more; the unit is in the low four bits of the first three (low digit
// first), the key in the fourth.  Returns the units that pressed the
// request key (13), in order.
std::vector<int> RichiesteParola(QString& cResiduo, const QString& cNuovi);

// Index in aPosti of the first seat whose own unit is this one; 0 none.
int PostoDaVotatore(int iUnita);

// The request poll of one tick, while no vote is on display.  xSedutaInCorso
// tells that the sitting is open and not suspended.  Polls only when
// iPrenotazioni And 66 is 2, the model is the radio one and the radio survey
// does not hold the port (xRilievoRadio).  Opens the units port (setting
// bit 64 of iPrenotazioni, silently, when it cannot be opened), sends the
// start byte, reads the frames and books each requesting seat that is
// present and not declared absent with operation 17.  Returns the result of
// the last booking that redraws the list (xRidisegna false: nothing to
// redraw).
EsitoPrenotati InterrogaRichieste(bool xSedutaInCorso, const QString& cSelezionata = QString());

}  // namespace obx
