// The councillors' card reader on its serial port (oComCARD, port
// iPortaRAD).  Each record is the marker "%N?;" followed by the card number
// in four characters; the reader may add more (the usual device sends
// "?;" CR LF), which is passed over.  A record may come without it (8
// characters) or cut short, and the next record may follow at once: no
// character that can begin a marker is ever dropped.
//
// The port is polled by the console's one-second engine.  The bytes of one
// record can come in two reads (the reader writes while the tick reads), so
// an incomplete record is kept until the rest arrives: the member toggled
// is always the one whose card was passed.
//
// The display-board driver may borrow the same line for each frame: it marks
// iStatoCARD 1 and closes the port, then 0 when done, and the next tick sets
// the port up again here.
#pragma once

#include <QString>
#include <vector>

namespace obx {

// Cards outside 1..kMaxTessera are ignored.
inline constexpr int kMaxTessera = 72;

// Splits the text read from the port into card numbers, keeping what
// belongs to a record not yet complete for the next read.
class RecordTessere {
public:
    // Card numbers of the records completed by this text, in order; numbers
    // outside 1..72 (and malformed records, read as 0) are left out.
    std::vector<int> Aggiungi(const QString& testo);
    // Forgets a partial record (the port was closed and opened anew: what
    // follows does not continue it).
    void Svuota();
    // The partial record waiting for its rest.
    const QString& Residuo() const { return m_residuo; }

private:
    QString m_residuo;
};

// Index in aPosti of the first seat whose card number is n; 0 when the card
// is outside 1..72 or nobody holds it.
int PostoDaTessera(int nTessera);

// The card-port step of one tick.  Runs only when the card reader is wired
// (iModoOBX bit 2) and the port is not lent to the display board (iStatoCARD
// bit 1).  With iStatoCARD 0 the port is set up and opened ("9600,N,8,1",
// RTS handshaking, DTR and RTS on) and iStatoCARD becomes 2 when it opened;
// a failure is silent and retried at the next tick.  Then everything that
// waits is read.  Returns the seats (indexes of aPosti) to toggle, in the
// order the cards were passed; the console runs its seat click for each.
std::vector<int> LeggeTessere();

// The partial record kept between ticks (for the tests and for the console
// when it unloads).
RecordTessere& RecordTessereInCorso();

}  // namespace obx
