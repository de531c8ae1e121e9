// The tree of acts of the regional assembly: which act type may stand
// under which parent at each level and the group that orders siblings;
// the tree key cTreeKeyLG (six segments of 11 characters: type letter and
// identifier padded to 10); the identifier proposed for a new act; and the
// loading of the tree from "LEGGI" into a tree view.
#pragma once

#include <QString>

namespace obx {

class Albero;

inline constexpr int kLivelliAlbero = 6;
inline constexpr int kSegmentoChiave = 11;
inline constexpr int kLunghezzaChiave = 66;

// With cTipoFiglio empty: the letters of the types allowed at iLivello
// (1..6) under cTipoPadre (ignored at level 1), empty when none.  With
// cTipoFiglio given: empty when it is not allowed there, else its group
// letter and "." (or "." alone when that parent has no groups).
QString TipiAmmessi(int iLivello, const QString& cTipoPadre, const QString& cTipoFiglio);

// Proposed identifier (decimal, no blanks) for a new act of type cTipo at
// iLivello under the act whose tree key is cChiave (ignored at level 1).
// Reads "LEGGI" through dbArchivio; throws Errore when the query fails.
QString CalcolaIDLegge(const QString& cChiave, const QString& cTipo, int iLivello);

// Adds to oAlbero the acts of iLivello under one parent (cTipoPadre its
// type, cChiavePadre the first (iLivello-1)*11 characters of its tree key,
// cNodoPadre its node key), each followed by its subtree down to level 6.
// iOpzioni bit 1: the status name in brackets ends each text.  Nodes
// already present stay.  Two sibling acts with the same node key: the
// second is skipped and the duplicates are reported once, in one message,
// at the end of the outermost call; the rest is loaded.  A failing query
// throws Errore, leaving the nodes added so far.
void CaricaAlbero(Albero& oAlbero, int iLivello, const QString& cTipoPadre, const QString& cChiavePadre,
                  const QString& cNodoPadre, int iOpzioni);

// Name of the identifier field of a level: cIDLeggeLG (1) ... cIDSubSubSubLG (6);
// empty outside 1..6.
QString CampoIDLivello(int iLivello);

// Tree key of a child at iLivello: the first (iLivello-1)*11 characters of
// the parent's key (blank-filled), the type letter, the identifier padded
// or cut to 10, the whole blank-filled to 66.
QString ChiaveFiglio(const QString& cChiavePadre, int iLivello, const QString& cTipo, const QString& cId);

// Level of an act from its tree key: the number of non-blank segments
// from the left (0 for a blank key).
int LivelloChiave(const QString& cTreeKey);

}  // namespace obx
