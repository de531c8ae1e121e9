// The guard of the vote in hand: program-wide state that nearly every
// window reads before it starts work that would lose the running vote or
// hold up its keys.  The console decides it (console/Spoglio.cpp opens,
// closes and drops the vote through oVoto; the arming and the closing hold
// it with ImpegnoVoto); everything else only asks.
#pragma once

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

}  // namespace obx
