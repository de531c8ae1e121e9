// Which earlier votes a new one may mark as superseded.  The vote-row and
// event writers mark every earlier vote of the same kind on the item (in a
// close, those of the current sitting only); a
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

// A condition on the rows of one table and the values of its parameters.
struct Filtro {
    QString sql;
    QVariantList valori;
};

// The rows a vote of kind cTipo on item `delibera` may mark: the votes of
// that kind on the item, and the closings of the item.  With a valid
// dInizioSeduta only those a close can leave marked: the votes opened in
// the sitting and the closings written in it, so that what a close reads
// and writes does not grow with the years of sittings the archive holds.
// The rows left out are those RipristinaNote would give back their note.
Filtro FiltroVoti(const QString& cTipo, int delibera, const QDateTime& dInizioSeduta);
Filtro FiltroChiusure(int delibera, const QDateTime& dInizioSeduta);

// While one stands, the writers mark only the rows of the sitting that
// opened at dInizio (the filters above); a close keeps one from its notes
// to its commit.  Without one (or with an invalid dInizio) they mark every
// earlier vote of the kind on the item and every closing of the item.
class MarcaturaNellaSeduta {
public:
    explicit MarcaturaNellaSeduta(const QDateTime& dInizio);
    ~MarcaturaNellaSeduta();
    MarcaturaNellaSeduta(const MarcaturaNellaSeduta&) = delete;
    MarcaturaNellaSeduta& operator=(const MarcaturaNellaSeduta&) = delete;

    // The sitting the writers are held to now (invalid: none).
    static QDateTime Inizio();

private:
    QDateTime m_prima;
};

// The writers' marks: the earlier votes of kind cTipo on `delibera` but
// lCodiceVT `codice`, and the closings of the item but lCodiceEV `codice`,
// become "Votazione Annullata" (within the sitting MarcaturaNellaSeduta
// holds).  Throw Errore when the archive refuses.
void SegnaVotiSuperati(const QString& cTipo, int delibera, int codice);
void SegnaChiusureSuperate(int delibera, int codice);

// The notes the writers may overwrite for a vote of kind cTipo on iDelibera
// (within the sitting that opened at dInizioSeduta, when valid).
NoteVoti FotografaNote(const QString& cTipo, int delibera, const QDateTime& dInizioSeduta);

// Puts back the notes that the new vote had no right to change: a closing
// event keeps its mark only when the vote it closes stays marked in the
// vote table, so the log never calls a standing vote annulled.  xSupera:
// the vote may supersede at all (a real vote, closed, not annulled);
// xImmEsec: the new vote is the one on immediate executability.
void RipristinaNote(const NoteVoti& note, bool xSupera, bool xImmEsec, const QDateTime& dInizioSeduta);

}  // namespace obx
