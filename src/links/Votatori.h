// The serial link to the voting-unit central, model 4010 (wired, text
// commands at 9600 baud, acknowledged) or 7777 (radio, single bytes and
// short binary frames at 460800 baud, no acknowledgements), chosen by
// iProtocolloTLV.  It works on oComTLV and knows nothing of votes: callers
// build and parse the messages; this module sends them, waits for replies
// with time-outs while the event loop keeps turning, runs the closing
// handshake and traces the keypad traffic of a vote.
//
// Text given to and returned by the link holds one character per byte:
// Windows-1252 for the 4010, character codes 0..255 for the 7777
// (QChar(0xBB) is the byte BB).
#pragma once

#include <QString>

namespace obx {

// Whether the port can be opened at "9600,n,8,1"; no message, the port is
// left closed.
bool TestaPorta(int iPorta);

// Whether a central of the configured model answers on the port.  Writes no
// trace.  The port is left closed.
bool TestaCentralina(int iPorta);

// Opens the link on the port with the settings of the configured model.
// With xNoTraccia false and the keypad trace on (iTraccia bit 2) a new
// trace file is started: cCartella & "Appello.txt" for a roll call
// (cTipoVoto "A"), else cCartella & "voto" & iDelibera in four digits &
// ".txt".  Only the opening of a vote or a test vote passes false.
// Port 0: false without a message.  A failure is told in "Apertura
// Fallita", unless xMuto (the console's poll between votes, which gives
// up in silence).
bool ApreComVotatori(int iPorta, bool xNoTraccia, bool xMuto = false);

// Sends the data.  4010: then reads replies of nRisposta characters
// (0: whatever has arrived) in waits of 5 seconds; "Er" asks the operator
// "Trasmissione Fallita" (Retry keeps reading, Cancel fails); with
// "Verifica Risposta" (iConfigOBX bit 2) it reads until the reply holds
// cRisposta or Ctrl is held, otherwise it reads once.  7777: one byte per
// write, nothing awaited.  False on Cancel, or when the port was closed
// while the reply was awaited.
bool TrasmetteVotatori(const QString& cDati, int nRisposta, const QString& cRisposta);

// Reads until iConta characters have arrived (0: until anything has
// arrived), never more than iConta; returns what it got by the deadline
// (empty when nothing came), and at once when the port is closed during
// the wait.
QString RiceveVotatori(int iConta, double nTimeOut);

// The closing handshake, then closes the port and the trace.  4010: iStep
// times "Sf", expecting "p3", "p4", "Ok" in turn (3 after a vote, 0 where
// no vote was started); 7777: the stop byte AA.  Closes an open trace even
// when the port is not open.
bool ChiudeComVotatori(int iStep);
// True when the last closing handshake of the 4010 went unanswered: the
// central said nothing at all to any step while the port stayed open (a
// central switched off or unplugged at its end).  The link counts such
// silence as success; the vote's close tells the operator.
bool CentraleMutaAllaChiusura();

// Waits the given seconds while the event loop keeps turning.
void Attende(double nSecondi);

// One turn of the event loop, then a pause of ms milliseconds (the waits
// of the link are made of these turns).
void GiraEventi(int ms = 5);

// Writes one line to the open keypad trace; nothing when none is open.
void ScriveTraccia(const QString& riga);
// Path of the open keypad trace, empty when none is open.
QString FileTraccia();

// True while the radio survey holds the voting-unit port: the frames on
// the line are the survey's, so the console's poll for requests to speak
// neither opens nor reads the port meanwhile.
inline bool xRilievoRadio = false;

}  // namespace obx
