// Which earlier votes a new one may mark as superseded.  The vote-row and
// event writers mark every earlier vote of the same kind on the item; a
// vote only supersedes those of the same item in the current sitting, an
// annulled or test vote supersedes nothing, and the vote on immediate
// executability never supersedes the vote on the act (nor the other way).
// The notes are taken before the writers run and put back where the mark
// was not due.
#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <vector>

namespace obx {

struct NotaSalvata {
    int iCodice = 0;
    QVariant vNota;
    QDateTime dData;
    int iDelibera = 0;  // the row's signed item (negative: immediate executability)
    int iVoto = 0;      // closing events: the vote they close (lCodVotoEV)
};

struct NoteVoti {
    std::vector<NotaSalvata> voti;    // "VOTI" rows of the item and kind
    std::vector<NotaSalvata> eventi;  // "EVENTI" closing rows of the item, with the vote each closes
};

// The opening time of the current sitting (the last sitting-open event);
// invalid when the log holds none.
QDateTime InizioSeduta();

// The notes the writers may overwrite for a vote of kind cTipo on iDelibera.
NoteVoti FotografaNote(const QString& cTipo, int delibera);

// Puts back the notes that the new vote had no right to change: a closing
// event keeps its mark only when the vote it closes stays marked in the
// vote table, so the log never calls a standing vote annulled.  xSupera:
// the vote may supersede at all (a real vote, closed, not annulled);
// xImmEsec: the new vote is the one on immediate executability.
void RipristinaNote(const NoteVoti& note, bool xSupera, bool xImmEsec, const QDateTime& dInizioSeduta);

}  // namespace obx
