// The texts of an event of the log, as SalvaEvento writes them into its row
// of "EVENTI" (description, name, extra text) and the display board command
// that goes with it, composed from the state of the sitting and of the vote
// (cTipoVoto, the totals, the thresholds, the current item, the pending
// sub-item, the last substitution).  Nothing here writes a row or talks to
// the board.
#pragma once

#include <QString>

namespace obx {

struct TestiEvento {
    QString descrizione;
    QString nome;
    QString extra;      // empty: the 90 blanks stay
    QString tabellone;  // board command, empty for none
};

// The texts of the event lettera (its letter in upper case); cNome is the
// person the event names, if any.  An unknown letter gives "----".
TestiEvento TestiDiEvento(const QString& lettera, const QString& cNome);

// The status letter that the event lettera gives the current act in laws
// mode; empty for none.
QString StatoDaEvento(const QString& lettera);

}  // namespace obx
