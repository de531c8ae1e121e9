// The end of a vote: the opening and the close through the guard that lets
// a vote be opened, tallied and stored once (oVoto, shell/VotoInCorso.h),
// the tally of cVoti, the majority rule of each vote kind and the outcome
// text.  The functions change the program-wide state as a closing does and
// hand back what the console needs for the vote row, the events and its
// controls; they write no row and touch no control.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

#include "shell/Globali.h"
#include "shell/VotoInCorso.h"

namespace obx {

// Opening of a vote of kind cTipo: the per-vote state reset (AzzeraStatoVoto),
// iModoVoto and iVotanteUnico set for the kind, the LED maps cleared where
// the kind shows keys, the guard opened.  Returns the vote's number.
int IniziaVoto(const QString& cTipo, bool xProva, bool xImmEsec);

// The tally of cVoti into iFavorevoli, iContrari, iAstenuti for a vote kind
// (A: nothing counted; V, W: "+" present, the others absent with bit 64).
// In the regional assembly the member who asked for the verification
// (iRichiedenti(1)) counts as present.
void ContaVoti(const QString& cTipo);

// The outcome of a tallied vote.  iSoglia: the threshold shown (lblVoto(2));
// iTipoQuorum: the quorum kind code; xSubPendenti: a sub-item (amendment)
// is pending.
struct EsitoVoto {
    bool xPositivo = false;
    QString cTesto;
    int iSoglia = 0;  // the yes count needed (unused for the counter-proof)
};
EsitoVoto CalcolaEsito(const QString& cTipo, int iSoglia, int iTipoQuorum, bool xSubPendenti);

// Modes of ChiudeSpoglio.
inline constexpr int kChiusura = 0;
inline constexpr int kAnnullo = 32;
inline constexpr int kAbbandono = 64;

// What the console needs after a close.
struct ChiusuraVoto {
    bool xEseguita = false;  // false: no open vote, or already closed or dropped: nothing done
    int iVoto = 0;           // the vote's number
    int iModo = 0;           // kChiusura, kAnnullo, kAbbandono
    int iModoVoto = 0;       // the mode the vote ran in
    bool xProva = false;
    QString cTipoVoto;
    bool xSalva = false;     // store the vote row (not after a drop)
    bool xRipetuta = false;  // the repeat flag of the row
    int iFavorevoli = 0, iContrari = 0, iAstenuti = 0, iVotiRicevuti = 0;
    QString cVoti, cTastiRicevuti;
    QDateTime dFineVoto;
    bool xEsito = false;  // an outcome to show (ordinary close of a counted kind)
    EsitoVoto esito;
    QStringList cEventi;              // closing events in order ("I"; "L"; "T", "H"; "L" of a roll call)
    QString cStatoAtto;               // regional assembly: the act's new status, empty for none
    bool xComando8 = false;           // speaker cleared: board command "8"
    QString cSoglia;                  // the threshold the close recomputed, as lblVoto(2) shows it
    bool xCentraleMuta = false;       // the central answered nothing to the closing handshake
    int iInAttesa = -1;               // bytes left unread on the units port at its close (-1: no port)
    int iPresentiAppello = 0;         // roll call: members who answered ("+"), for its closing event
    std::vector<int> aCambiPresenza;  // roll call: seats whose attendance CambiaPresenza toggles
};

// Data of the console the close reads.
struct ContestoChiusura {
    bool xImmEsec = false;      // chkImmEsec: the threshold of immediate executability
    bool xSubPendenti = false;  // cmbArgo(2) holds pending sub-items
    int iVoto = 0;              // the vote to close (0: the current one)
};

// ChiudeVotazione without its controls: claims the guard (nothing at all
// when the vote is not open), clears iModoVoto before anything else so no
// key lands after the tally, tallies, closes the link when units are wired,
// recomputes the thresholds, decides the outcome, updates cVotiPrecedenti,
// cEsito, iStatoConsole, iFlagQuorum and cOratore, and returns the rest.
ChiusuraVoto ChiudeSpoglio(int iModo, const ContestoChiusura& contesto = {});

}  // namespace obx
