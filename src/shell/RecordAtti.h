// Rows of the acts tree ("LEGGI") and the texts derived from them, built in
// one place for every writer and reader: the console's new act, the acts
// tree editor, the tree load and the console's list of acts.  The tree key
// and the grammar are those of AlberoAtti.h.
//
// Identifiers are typed by the operator and may hold any character (a
// quote, a "*"): every statement here binds them as values and compares
// keys exactly, never as patterns.
#pragma once

#include <QString>
#include <array>

namespace obx {

class Recordset;

// The record of an act as the panels hold it (cAttoCorrente): (0)
// iCodLeggeLG ("0" by default), (1) cParametriLG, (2)..(6) cIDLeggeLG ..
// cIDSubSubLG, (7) cNumeroAttoLG, (8) iRadiceLeggeLG ("0"), (9)
// cDescEventoLG, (10) cTreeKeyLG, (11) unused; each trimmed.  All empty:
// the root of the tree.
using RecordAtto = std::array<QString, 12>;

// One LEGGI row, every text already at its field's width.
struct RigaAtto {
    int iCodLeggeLG = 0;
    QString cDescLeggeLG;
    QString cParametriLG;              // 12
    std::array<QString, 7> cID;        // 1..6, 10 each (0 unused)
    QString cNumeroAttoLG;             // 16
    QString cNomeVideoLG, cNomeLedLG;  // AbbreviaTesto of the event text
    QString cTreeKeyLG;                // 66
    int iRadiceLeggeLG = 0;
    QString cDescEventoLG;  // 24
    int iLivello = 0;       // 1..6, not stored
};

// The record of the act on the current row of rs.
RecordAtto LeggeRecordAtto(const Recordset& rs);
// The record of the act with that code; false (record emptied) when the
// archive does not hold it.  Throws Errore when the query fails.
bool CercaAtto(int iCodice, RecordAtto& cRecord);

// The code for a new act: the highest in "LEGGI" plus 1, 1 for an empty
// table.  Throws Errore when the query fails.
int NuovoCodiceAtto();

// The row of an act at iLivello (1..6) of type cTipo (one letter allowed
// there), in the state of letter cStato (one of cLettereStati).
// cPercorso gives the path above the act: the parent's record for a new
// act, the act's own record when it is saved again (it holds the same
// path).  cId: the identifier at the act's level as typed; blank gives the
// one CalcolaIDLegge proposes.  cNumero and cDescrizione are used at level
// 1 only (the number and the description typed); deeper acts carry the
// number and the root of the path.  Throws Errore when the proposal's query
// fails.
RigaAtto ComponeAtto(const RecordAtto& cPercorso, int iLivello, const QString& cTipo, QChar cStato, int iCodice,
                     const QString& cId, const QString& cNumero, const QString& cDescrizione);

// The row of an act created at the sitting console, by the console's own
// rule for the texts: ComponeAtto's row with the description "n.d." at
// level 1 ("." deeper) and the event text of TestoEventoAttoConsole (its
// shortened forms with it).  The number is used at level 1 only.
RigaAtto ComponeAttoConsole(const RecordAtto& cPercorso, int iLivello, const QString& cTipo, QChar cStato, int iCodice,
                            const QString& cId, const QString& cNumero);

// Writes the row's fields into rs, which is in AddNew or Edit.
void ScriveAtto(Recordset& rs, const RigaAtto& riga);

// Whether an act other than iCodice already has the tree key.
bool ChiaveDuplicata(const QString& cTreeKey, int iCodice);

// Stores the row: a new row (xNuovo) or the row of its code.  A tree key
// held by another act shows "Chiave Duplicata" and stores nothing; an
// archive failure shows its description and stores nothing.  rsLeggi: the
// caller's table record set over "LEGGI" on "TAG_A"; it is left on the row
// stored.  True when stored.
bool SalvaAtto(Recordset& rsLeggi, const RigaAtto& riga, bool xNuovo);

// Deletes the act whose tree key is given, at iLivello, with exactly its
// subtree: the rows whose key begins with its first iLivello*11
// characters.  Nothing for a level outside 1..6 or a blank key.  Returns
// the rows deleted; throws Errore when the statement fails.
int EliminaSottoalbero(const QString& cTreeKey, int iLivello);
// The rows of that subtree (the act included), counted the same way.
int ContaSottoalbero(const QString& cTreeKey, int iLivello);

// An identifier typed by the operator, trimmed, is fit for the tree key
// and the node key when it has at most 10 characters and holds neither the
// separator cSepara nor a control character.  Empty when it is fit, else
// the message that says why.
QString ControllaIdAtto(const QString& cId);

// The act's description as the boards, the event log and the lists show
// it: the short label of the first-level type (character 3 of
// cParametri), a blank and the number without blanks; then for each level
// 2..iLivello cSepara, the short label of the level's type and a blank
// when the grammar admits more than one type there, and the level's
// identifier from the tree key without blanks.
QString DescrizioneAtto(const QString& cParametri, int iLivello, const QString& cNumero, const QString& cTreeKey);
// The event text (cDescEventoLG): the description, below level 1 without
// its blanks when longer than 24 characters, padded or cut to 24.
QString TestoEventoAtto(const QString& cParametri, int iLivello, const QString& cNumero, const QString& cTreeKey);
// The event text of an act created at the console: the number trimmed, a
// blank and the short label of the first-level type; then for each level
// 2..iLivello cSepara, the label and a blank where the grammar admits more
// than one type, and the level's identifier trimmed.  Below level 1 a text
// longer than 24 characters loses all its blanks; padded or cut to 24.
QString TestoEventoAttoConsole(const QString& cParametri, int iLivello, const QString& cNumero,
                               const QString& cTreeKey);
// An entry of the console's list of acts, the same when an act is created
// and when the list is read again: the short label of the first-level
// type, a blank and the number trimmed; for each further level down to the
// first "?" (or blank) of cParametri, cSepara, the label and a blank where
// the grammar admits more than one type, and the identifier trimmed; then
// " [", the code formatted "######", "]".
QString VoceListaAtti(const QString& cParametri, const QString& cNumero, const QString& cTreeKey, int iCodice);

// Tree-view node of an act.  Key: for each level 1..iLivello the type
// letter, the identifier without blanks and cSepara.  Text: below level 1,
// when cTipoPadre admits more than one type at iLivello, the group prefix
// of cTipo; then the short label of cTipo, a blank and cNumeroId (the
// number at level 1, the identifier below) without surrounding blanks;
// iOpzioni bit 1 appends " (" status name ")" for a known status letter.
// Tag: type letter, level digit, status letter (a blank when none), code
// formatted "######".
QString ChiaveNodoAtto(const QString& cTreeKey, int iLivello);
QString TestoNodoAtto(const QString& cTipoPadre, const QString& cTipo, int iLivello, const QString& cNumeroId,
                      const QString& cStato, int iOpzioni);
QString TagNodoAtto(const QString& cTipo, int iLivello, const QString& cStato, int iCodice);

// The node of a row just composed: its key, its parent's node key (empty at
// level 1), its text (iOpzioni as for TestoNodoAtto) and its tag.
struct NodoAtto {
    QString chiave, chiavePadre, testo, tag;
};
NodoAtto NodoDiAtto(const RigaAtto& riga, int iOpzioni);

}  // namespace obx
