// Speaking time and the clocks of the console's one-second engine that need
// no control: the start and end of a speech with the charge to the party,
// the limits checked before the floor is given, the speaking clock's
// second, the countdown of a timed vote and the guard that keeps one tick
// from running inside another.
//
// The state is program-wide (Globali.h): iStatoConsole, iTempo(0..4),
// iMezziMinuti, iOratore, cOratore, cGruppoOratore, nInizioIntervento,
// nTempoVoto, aPartiti, aPosti.  Times of day come from Clock().Timer().
#pragma once

#include <QString>

#include "shell/Globali.h"

namespace obx {

// Giving the floor, without its controls: iStatoConsole becomes
// (value And &HA3) Or 4 (a running vote and its countdown are kept); the
// counters start from iMinuti (the speaking minutes preset, also stored in
// iTempoRelatore); the speaker is recorded (iPosto 0 for a guest, whose
// party is none) and the speech's start time taken.  The caller then logs
// event "D", which adds bit 8.
void AvviaIntervento(int iMinuti, int iPosto, const QString& cNomeBreve);

// What the end of a speech charged.
struct FineIntervento {
    bool xPosto = false;  // a seat spoke (not a guest)
    double nSecondi = 0;  // length of the speech, right across midnight
    int iPartito = 0;     // party charged, 0 none
};

// The end of a speech, without its controls: iStatoConsole keeps bits 1, 2
// and 32, and 128 too while a vote is on display (its countdown goes on);
// iMezziMinuti 0; for a seat its iInterventi goes up by one and its party's
// lTempoResiduo down by the rounded length of the speech; cGruppoOratore is
// emptied.  cOratore is emptied too (the caller empties getParola).
FineIntervento ConcludeIntervento();

// Seconds since the speech began.
double DurataIntervento();

// The limits the seat dialog checks before it gives the floor.
bool SuperatoMaxInterventi(int iPosto);  // iInterventi has reached iNMaxInterventi
bool EsauritoTempoPartito(int iPosto);   // the seat's party has less than 1 second left
QString MsgMaxInterventi();              // "Superato numero massimo di Interventi (n)"
QString MsgTempoEsaurito(int iPosto);    // "Esaurito tempo a disposizione per " & party

// Every party's time for a new item (or at activation): iTempoMaxPartito minutes.
void AzzeraTempiPartiti();

// One second of the speaking clock (bits 4 and 8 set, no outcome shown).
// xScaduto: the time had already run out (lblTempo(0) red).
struct PassoParola {
    bool xScaduto = false;         // after this second
    bool xAppenaScaduto = false;   // turn lblTempo(0) red and play "TS"
    bool xMostraMinuti = false;    // lblTempo(0) shows cMinuti
    QString cMinuti;               // iTempo(1) as "00"
    int iColoreTitolo = -1;        // cColoriTabVideo entry for txtTitolo(13), -1 unchanged
    QString cTitolo;               // "Tempo disponibile min. 04:15"
    QChar cLettera;                // board command: 'D' time available, 'd' time up
    bool xInviaTabellone = false;  // send the board its page now (every 30 seconds)
};
PassoParola AvanzaTempoParola(bool xScaduto);

// One second of a timed vote's countdown.  True when the time is over and
// the vote must be closed (cmdVoto_Click(3)); otherwise cMostra is the
// text for lblTempo(2).
bool AvanzaConteggioVoto(QString& cMostra);

// The time presets: speaking minutes only while neither a vote nor a speech
// is on, vote seconds only while no countdown runs; values stay in 1..99.
bool TempoParolaRegolabile();
bool TempoVotoRegolabile();
int RegolaPreset(int iValore, bool xAumenta);

// One tick at a time: a tick that would start while another runs (the
// vote closing or a message box keeps the event loop turning) is skipped.
//     GuardiaTick g;
//     if (!g) return;
class GuardiaTick {
public:
    GuardiaTick();
    ~GuardiaTick();
    GuardiaTick(const GuardiaTick&) = delete;
    GuardiaTick& operator=(const GuardiaTick&) = delete;
    explicit operator bool() const { return m_mia; }
    static bool InCorso();

private:
    bool m_mia;
};

}  // namespace obx
