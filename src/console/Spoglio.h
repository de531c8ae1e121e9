// The end of a vote: the guard that lets a vote be opened, tallied and
// stored once, the tally of cVoti, the majority rule of each vote kind and the outcome text.  The functions
// change the program-wide state as a closing does and hand back what the
// console needs for the vote row, the events and its controls; they write
// no row and touch no control.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

#include "shell/Globali.h"

namespace obx {

// The life of the one running vote.  Every opening gets a new number; keys
// are taken only while it is open; the first close, annul or drop wins and
// every later one (a second click, the countdown racing a click, a handler
// nested inside the link's waits) finds it no longer open.
class GuardiaVoto {
public:
    enum class Stato { Nessuno, Aperto, Chiuso, Abbandonato };

    // A new vote in the given mode; returns its number.
    int Apre(int modo);
    // Claims the close of the vote iId (0: the current one): true once.
    bool Chiude(int iId = 0);
    // Drops the vote iId (0: the current one): it can no longer be closed
    // or stored.  False when it was not open.
    bool Abbandona(int iId = 0);

    bool RaccoglieTasti() const { return m_stato == Stato::Aperto; }
    Stato StatoVoto() const { return m_stato; }
    int Id() const { return m_id; }
    int ModoApertura() const { return m_modo; }

    // The vote is in hand also while the central is being armed and while
    // a close is being carried out (its waits on the link, its rows): open
    // or not, nothing may start another vote or close what it uses.
    bool Impegnato() const { return m_stato == Stato::Aperto || m_impegni > 0; }
    void Impegna() { ++m_impegni; }
    void Libera() { --m_impegni; }

private:
    Stato m_stato = Stato::Nessuno;
    int m_id = 0;
    int m_modo = 0;
    int m_impegni = 0;
};

inline GuardiaVoto oVoto;

// Holds the vote in hand for its scope (arming, closing).
class ImpegnoVoto {
public:
    ImpegnoVoto() { oVoto.Impegna(); }
    ~ImpegnoVoto() { oVoto.Libera(); }
    ImpegnoVoto(const ImpegnoVoto&) = delete;
    ImpegnoVoto& operator=(const ImpegnoVoto&) = delete;
};

// A vote (or test vote) armed, running, or being closed; also a vote whose
// central has ended its data and that the operator has still to close.
// What touches the devices, the roll or the archive waits for its end.
inline bool VotoInCorso() { return (iModoVoto & (kVotoReale | kVotoProva | kVotoPausa)) != 0 || oVoto.Impegnato(); }

// The message shown when an operation would lose the running vote or hold
// up its keys.
inline const char* const kMsgVotoInCorso = "Votazione in corso: operazione non consentita";

// Refuses, with kMsgVotoInCorso, while a vote is in hand: true when refused.
// For work that would run a loop of its own inside the vote loop (a modal
// window, a dialog, a long print) or touch what the vote holds.
bool RifiutaDuranteVoto();

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
