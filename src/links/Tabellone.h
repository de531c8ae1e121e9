// Driver of the chamber's LED display board: composes the board's frames
// and sends them on its serial or parallel line; write-only, nothing is
// ever read back.
//
// Frames (SOH 01, STX 02, ETX 03, EOT 04, ENQ 05, SO 0E):
//   text rows  ENQ id SOH "0501" STX row CR LF ... ETX EOT  (one per controller id)
//   LED map    ENQ cCodePaginaLed SOH map EOT               (one character per LED)
//   clock      ENQ "O" hhmmss ddmmyy "0" weekday ETX        (8-row board only)
//   chronometer ENQ "s" start, ENQ "S" stop
//
// The board port is opened and closed around every frame.  When the card
// reader sits on the same line, the driver borrows its port for the frame
// (iStatoCARD 1, the card port closed) and hands it back closed
// (iStatoCARD 0), so the one-second engine sets it up again; a card reader
// on a line of its own is left alone.  Every frame is recorded in
// "LogFile.txt" (cFileLog) while bit 4 of iTraccia is set, also when no
// board is wired.
//
// Display type 5 (projection only) has no LED board: nothing is sent to a
// board, only the projected board's title cells follow the commands.
#pragma once

#include <QString>
#include <array>
#include <memory>

namespace obx {

class Tabellone {
public:
    // The defaults below (the console's activation sets iPorta,
    // iSegnaliCOM and iModelloDisplay before anything is sent).
    Tabellone();
    virtual ~Tabellone();
    Tabellone(const Tabellone&) = delete;
    Tabellone& operator=(const Tabellone&) = delete;

    // Settings.
    int iPorta = 2;                                     // serial port of the board
    QString cParametri = QStringLiteral("9600,n,8,1");  // its settings
    int iBufferLettura = 32000;
    int iBufferScrittura = 2048;
    int iSegnaliCOM = 0;                           // not 0: DTR, RTS and RTS handshaking on
    QString cCodePaginaLed = QStringLiteral("2");  // address of the seat LED map
    int iModelloDisplay = 1;                       // display type 1..6 (iTipoTAB)

    // Opens the board port oComTAB with the settings above; false (after a
    // message naming the port) when it cannot be opened, false without a
    // message for a port number of 0 or less.
    bool ApreCom();
    // Closes the board port when it is open.
    void ChiudeCom();

    // The board page of a one-letter command of the sitting, composed from
    // the console state of this moment and sent as one text frame per
    // controller; the attendance LED map goes first when no vote runs and
    // the last kept command was a vote's end (or there was none yet).  The
    // rows meant for the projected board go to its title cells (when the
    // board is built) and the LED rows to the preview frmLED.
    void DettaglioTesto(const QString& cTipo);
    // Sends a seat LED map (normally 48 characters: "0" off, "1" red, "2"
    // green, "3" yellow, "4" to "7" the same flashing) and shows it on the
    // preview frmLED (built if needed, not shown).
    void DettaglioLed(const QString& cByteMap);

    // LED row n (1..8) as last composed; empty outside.
    QString RigaLed(int n) const;
    // The last command letter kept (empty at first).
    const QString& UltimoComando() const { return m_ultimo; }

private:
    // Sends one frame and records it in the log.
    void Trasmissione(const QString& cFrame, const QString& cInfo);
    // Whether the card reader's port is the line the board is written on.
    bool PortaCondivisa() const;
    void ScriveLog(const QString& cFrame, const QString& cInfo, bool xInviato, bool xParallela);
    // Whether the operator wants the failed step tried again.
    bool Riprova(const QString& descrizione);
    // Text frames of the controllers in ids, with the preview's rows.
    void InviaRighe(const QString& ids);
    // The board's rows of the speaking-time commands "D" and "d".
    void RigheTempo(bool xAggiorna, QString& ids, bool& xCronometro);
    // The board's rows and the projected board's rows of the results.
    void RigheRisultati(std::array<QString, 14>& p, QString& ids);

    std::array<QString, 9> m_righe;  // LED rows 1..8 (0 unused), kept between commands
    QString m_ultimo;                // last command kept
    bool m_inTrasmissione = false;   // a frame is on its way (maybe waiting on the operator)
};

// The one driver object, created at start-up.
inline std::unique_ptr<Tabellone> oTabellone;

}  // namespace obx
