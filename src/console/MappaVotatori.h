// Arming the voting-unit central for a vote: the map of enabled units, the
// open command and the steps that follow it, and what a vote kind sets at
// opening (vote mode, panel, event letter, title).  Composing is pure; only
// ApreVotazione and MappaSeriale talk to the central, through the link.
#pragma once

#include <QString>
#include <vector>

#include "shell/Globali.h"

namespace obx {

// Highest unit number the 4010 map can enable (512 blocks of eight).
inline constexpr int kUltimaUnitaMappa = 512 * 8 - 1;

// iModoVoto for a vote kind letter: A 9/10, V 33/34, W 49/50, J 17/18,
// any other 1/2 (real / test).
int ModoVotoPerTipo(const QString& cTipo, bool xProva);

// The 512 characters of the 4010 map: "1" at position (u \ 8) + 1 for every
// unit u from iPrimo to iUltimo and for the unit and the unit in use of
// every seat (a reserve unit handed out must be able to vote too); "0"
// elsewhere.  Units
// outside 0..4095 are left out.
QString MappaUnita(int iPrimo, int iUltimo);

// One message to the central with the reply awaited.
struct MessaggioCentrale {
    QString cDati;
    int iLenRisposta = 0;
    QString cRisposta;
    bool operator==(const MessaggioCentrale&) const = default;
};

// The map message: 4010 "Mp " + map, reply "Ok"; 7777 none (empty list).
std::vector<MessaggioCentrale> MessaggiMappa(int iProtocollo, int iPrimo, int iUltimo);

// The open command and the steps after it: 4010 "Av 61" -> "p1", then
// iStep times "Sf" -> "p2", "p3", "p4", "Ok"; 7777 the byte BB, nothing
// awaited, no steps.
std::vector<MessaggioCentrale> MessaggiApertura(int iProtocollo, int iStep);

// What a vote kind sets when it opens.
struct AperturaTipo {
    int iModoVoto = 0;
    int iQuadro = 0;          // AggiornaQuadroVoti code: A 42, V 34, W 42, J 10, other 0
    bool xAzzeraLed = false;  // cLedQuadro, cLedVoti = 48 x "0" and DettaglioLed
    QString cEvento;          // "V", or "W" for the vote on immediate executability
    QString cTitolo;          // cEsito while the vote runs (empty: left as it was)
    int iVotanteUnico = -1;   // J and W: 0 (the operator calls the councillor)
};
AperturaTipo DatiApertura(const QString& cTipo, bool xProva, bool xImmEsec);

// Resets the per-vote state as an opening does (keys, who keyed, count,
// mode 0, single unit, the radio tail, every seat's cVoto "0").
void AzzeraStatoVoto();

// Arms the central: opens the link (with the keypad trace), sends the map
// and the open command and runs iStep steps; false at the first failure
// (the caller then shows its message and closes the link).
bool ApreVotazione(int iStep);
// Sends the map of enabled units (nothing on the 7777).
bool MappaSeriale(int iPrimo, int iUltimo);

}  // namespace obx
