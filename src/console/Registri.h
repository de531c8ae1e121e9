// The console's writers of the archive: the shared pieces of the event
// writer (frmCons::SalvaEvento) and the vote-row writer SalvaVotazione.
//
// Both report every failure of the archive at once ("Errore " & number, the
// engine's description, critical icon) and go on with their next step; a
// row ends with "Salvataggio Fallito" only when it was not stored.  A record
// set found closed (the console gave up its record sets while another window
// had the focus, or the archive was reopened) is opened again first, so a
// row is never lost for that.
#pragma once

#include <QString>
#include <functional>

#include "platform/Database.h"

namespace obx {

// Reports an archive failure as the console's writers do.
void MostraErrore(const Errore& e);
// The same for a write that did not take place (a row, a marking, an act's
// status): inside a RegistrazioneUnica nothing of it will be stored.
void ScritturaFallita(const Errore& e);
// "Salvataggio Fallito" (title "Eventi" or "Voti"): a row was not stored.
void SalvataggioFallito(const QString& cTitolo);
// Runs azione now, or, inside a RegistrazioneUnica, once its rows are in
// the archive (what may wait on a device or on the operator: the board's
// commands).
void DopoRegistrazione(const std::function<void()>& azione);

// The rows that belong together (a vote's row, the marking of the votes it
// supersedes, its closing events, the act's status) go to the archive as
// one transaction: all of them or none, whatever stops the program midway.
// Meanwhile the writers' messages and the board's commands wait for its
// end, so that nothing turns the event loop (and no other handler writes)
// while it is open.  One at a time: an inner one adds to the outer.
class RegistrazioneUnica {
public:
    RegistrazioneUnica();
    // Rolls back what Conclude did not store.
    ~RegistrazioneUnica();
    RegistrazioneUnica(const RegistrazioneUnica&) = delete;
    RegistrazioneUnica& operator=(const RegistrazioneUnica&) = delete;

    // Stores everything in one commit, or nothing when a write failed (or
    // the commit did); then the waiting messages are shown and the board's
    // commands sent.  True when stored.  cTitolo: the title of the
    // "Salvataggio Fallito" told when nothing was stored.
    bool Conclude(const QString& cTitolo);

private:
    bool m_esterna = false;  // part of an outer one
    bool m_conclusa = false;
};

// Opens rs as a table-type record set over cTabelle[tabella] ordered by
// "TAG_A" when it is not open.  A failure is reported and gives false.
bool ApreTabella(Recordset& rs, int tabella);

// Begins a new row on rs; a record set that the archive closed under it is
// opened again once.  False (the failure reported) when no row was begun.
bool IniziaRiga(Recordset& rs, int tabella);

// Stores the vote just tallied as one row of "VOTI" through rsVoti: times,
// kind, counts, threshold, per-seat strings, officers and tellers, item and
// note, as the console state holds them; for a secret vote ("H") the
// per-seat keys are stored as "+" for whoever keyed, never the key itself.  xUguale: the keys equal those of
// the previous vote (the note of a counter-proof).  The new row's code is
// left in lCodVoto (0 when the row was begun and could not be stored); the
// earlier votes of the same kind on the same item are marked "Votazione
// Annullata" for the kinds that supersede; the requesters of the coming
// vote (iRichiedenti 1..3) move to 4..6.
void SalvaVotazione(Recordset& rsVoti, bool xUguale);

// The code given by the archive to the row just stored (or begun).
QVariant CodiceRiga(Recordset& rs, const QString& campo, const QVariant& letto);

}  // namespace obx
