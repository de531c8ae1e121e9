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

#include "platform/Database.h"

namespace obx {

// Reports an archive failure as the console's writers do.
void MostraErrore(const Errore& e);

// Opens rs as a table-type record set over cTabelle[tabella] ordered by
// "TAG_A" when it is not open.  A failure is reported and gives false.
bool ApreTabella(Recordset& rs, int tabella);

// Begins a new row on rs; a record set that the archive closed under it is
// opened again once.  False (the failure reported) when no row was begun.
bool IniziaRiga(Recordset& rs, int tabella);

// Stores the vote just tallied as one row of "VOTI" through rsVoti: times,
// kind, counts, threshold, per-seat strings, officers and tellers, item and
// note, as the console state holds them.  xUguale: the keys equal those of
// the previous vote (the note of a counter-proof).  The new row's code is
// left in lCodVoto (0 when the row was begun and could not be stored); the
// earlier votes of the same kind on the same item are marked "Votazione
// Annullata" for the kinds that supersede; the requesters of the coming
// vote (iRichiedenti 1..3) move to 4..6.
void SalvaVotazione(Recordset& rsVoti, bool xUguale);

// The code given by the archive to the row just stored (or begun).
QVariant CodiceRiga(Recordset& rs, const QString& campo, const QVariant& letto);

}  // namespace obx
