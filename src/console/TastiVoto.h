// Key collection of a running vote: the frames of the central (4010 text,
// 7777 binary) turned into keys, and each key recorded at the seat of the
// unit that sent it, by the rules of the vote mode.  The functions work on
// the program-wide state only (cVoti, cTastiRicevuti, iVotiRicevuti, the
// seats' cVoto, cLedVoti, cLedQuadro, iFlagQuorum, cResiduoTLV); what the
// console must show or do for each key is handed back to it.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace obx {

// What one recorded (or refused-but-listed) key asks of the console.
struct TastoVoto {
    int iPosto = 0;                 // index in aPosti
    QString cTasto;                 // the seat's cVoto after the key
    bool xPrimo = false;            // first key of the seat in this vote
    bool xTogliVotanti = false;     // remove the short name from lstVotanti
    bool xAggiungiAssenti = false;  // add the short name to lstAssenti
    bool xEntra = false;            // absent seat with a label enters: CambiaPresenza(seat, label, true)
    bool xMostra = false;           // show the key's colour on the console and the projected board
};

// Bits of the result of ElaboraTasti and MemorizzaVoti.
inline constexpr int kTastoRegistrato = 1;  // cVoti / cTastiRicevuti changed
inline constexpr int kTastoLed = 2;         // cLedVoti changed: DettaglioLed(cLedVoti)
inline constexpr int kTastoEntrata = 4;     // some seat must enter the chamber
inline constexpr int kTastoListe = 8;       // lstVotanti / lstAssenti change
inline constexpr int kTastiPendenti = 16;   // the central reported pending data (iFlagQuorum 2)
inline constexpr int kTastiFine = 32;       // end of data: iModoVoto set to 0

// Records the key of a unit (MemorizzaVoti).  Nothing happens without a
// running, open vote (iModoVoto 0 or the vote already tallied), for a unit
// no seat holds, for a seat not entitled in the mode, or for a key the mode
// refuses; an empty key is never recorded.  The key goes to the first seat
// whose unit (iVotatoreAN) is iVoter.
int MemorizzaVoti(int iVoter, const QString& cTasto, std::vector<TastoVoto>* pTasti = nullptr);

// One read of the central's data: cResiduoTLV + dati parsed for the model
// iProtocolloTLV; a frame left incomplete at the end goes back into
// cResiduoTLV for the next read.  4010: "@" or "F" end the data, "?" marks
// pending data, "V" + 7 characters + one key ("[") or eight key-and-filler
// pairs ("(").  7777: 5-byte frames from a byte F0 or above; codes 10, 11,
// 12 are yes, no, abstain.  Keys go to MemorizzaVoti.  Returns the bits
// above, or 0 when no vote is running (the data is then dropped).
int ElaboraTasti(const QString& dati, std::vector<TastoVoto>* pTasti = nullptr);

// One pass of collection from the central (VotiDaSeriale with units
// wired): what has arrived on the port (4010: waits up to nAttesa seconds
// when the port has data but it is slow; 7777: up to nAttesa seconds for
// anything), ElaboraTasti on it, and the LED map sent when it changed.
int VotiDaCentrale(double nAttesa, std::vector<TastoVoto>* pTasti = nullptr);

// The test file of votes: lines "n=key", n the seat's index in aPosti,
// the key the one character after the first "=".  Lines without "=", and
// indexes that hold no seat, are skipped.
struct TastoFile {
    int iPosto = 0;
    QString cTasto;
};
std::vector<TastoFile> TastiDaRighe(const QStringList& righe);
// The file nome in the folder cCartella (with its trailing separator),
// found whatever the case of its letters; the path as named when there is
// none.
QString PercorsoFileVoti(const QString& cartella, const QString& nome);
// The lines of that file; none when it is missing or unreadable.
std::optional<QStringList> RigheFileVoti(const QString& cPercorso);

// Keypad frames of the radio central (7777): a head byte of value F0 or
// more (the antenna in its low bits), then four bytes whose low four bits
// give the unit (three bytes, low digit first) and the key code; their high
// bits are not used.  Codes 10, 11, 12 are yes, no, abstain; 13 asks to
// speak.
inline constexpr int kCodiceSi = 10;
inline constexpr int kCodiceNo = 11;
inline constexpr int kCodiceAstenuto = 12;
inline constexpr int kCodiceParola = 13;
struct TramaTastiera {
    int iUnita = 0;
    int iCodice = 0;
};
// The frames of cResiduo followed by cNuovi, in order; an incomplete frame
// at the end becomes the new cResiduo (emptied otherwise).
std::vector<TramaTastiera> TrameTastiera(QString& cResiduo, const QString& cNuovi);
// The key of a code: "3", "6", "5"; empty for any other code.
QString TastoDaCodice(int iCodice);

// LED character of a key ("2" yes, "1" no, "3" abstain); empty for others.
QString CarattereLed(const QString& cTasto);

}  // namespace obx
