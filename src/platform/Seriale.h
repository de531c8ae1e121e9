// The serial port as the program's windows expect it: a control with
// properties (port number, settings string, buffer sizes, modem lines,
// handshaking, input mode...) that is polled, never raises events, and
// reports every failure with a number and an Italian description.
//
// Written over POSIX termios.  The device is opened non-blocking, so a
// missing, busy or unplugged device gives a message instead of a hang;
// writes and closing are bounded in time even when hardware flow control
// holds a silent line.  Text mode carries one Windows-1252 byte per
// character; binary mode gives the raw bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace obx {

// Handshaking.
enum : int { comNone = 0, comXOnXoff = 1, comRTS = 2, comRTSXOnXOff = 3 };
// InputMode.
enum : int { comInputModeText = 0, comInputModeBinary = 1 };

// Failure numbers.
enum : int {
    comErrPortaNonValida = 8002,  // port number out of range, or not a serial device
    comErrPortaOccupata = 8005,   // the device is in use by another program
    comErrImpostazioni = 8010,    // a settings string or property value that is not valid
    comErrNonAperta = 8012,       // operation on a port that is not open
    comErrConfigurazione = 8015,  // the device refused the settings
    comErrPortaAperta = 8018,     // operation not allowed while the port is open
    comErrLettura = 8020,         // the device failed while reading
    comErrScrittura = 8021,       // the line did not take the data in time
    comErrInesistente = 8022,     // no such device
    comErrAccesso = 8023,         // permission denied
    comErrScollegato = 8024,      // the device went away (unplugged, far end closed)
};

// CommEvent: the last communication event (errors of the line).
enum : int {
    comEvNessuno = 0,
    comEventRxOver = 1008,     // receive buffer full: the device holds back the rest
    comEventRxParity = 1009,   // a character with a parity error arrived
    comEventTxTimeout = 1010,  // the line did not take the data within the time allowed
    comEventDevice = 1011,     // the device was lost
};

struct ErroreSeriale {
    int numero = 0;
    QString descrizione;
};

// Device of serial port n: line "n=" of "Porte.txt" in the archive's folder
// (cCartella), else /dev/ttyS<n-1>.
QString DispositivoCom(int n);
// The value of line "chiave=" of "Porte.txt" (for instance "PRN"), empty
// when the file or the line is missing.
QString VocePorte(const QString& chiave);

class Seriale {
public:
    Seriale() = default;
    ~Seriale();
    Seriale(const Seriale&) = delete;
    Seriale& operator=(const Seriale&) = delete;

    // Every setter returns false on a failure, described by Errore(); the
    // property keeps its previous value then.

    int CommPort() const { return m_porta; }
    bool SetCommPort(int n);  // 1..99; not while open
    // An explicit device path that opening uses instead of the port's
    // mapping; empty goes back to the mapping.  Not while open.
    bool SetDispositivo(const QString& percorso);
    // The device the next opening will use (or the open one).
    QString Dispositivo() const;

    QString Settings() const { return m_settings; }
    bool SetSettings(const QString& s);  // "9600,n,8,1"; applied at once when open

    int InBufferSize() const { return m_inSize; }
    bool SetInBufferSize(int n);  // not while open
    int OutBufferSize() const { return m_outSize; }
    bool SetOutBufferSize(int n);  // not while open

    bool DTREnable() const { return m_dtr; }
    bool SetDTREnable(bool on);
    bool RTSEnable() const { return m_rts; }
    bool SetRTSEnable(bool on);
    int Handshaking() const { return m_handshake; }
    bool SetHandshaking(int h);

    int InputMode() const { return m_inputMode; }
    bool SetInputMode(int m);
    // The character put in place of one received with a parity error;
    // empty: such characters are passed on as they are.
    QString ParityReplace() const { return m_parityReplace; }
    bool SetParityReplace(const QString& c);

    // Thresholds of the receive and send events; kept, no event is raised.
    int RThreshold() const { return m_rThreshold; }
    bool SetRThreshold(int n);
    int SThreshold() const { return m_sThreshold; }
    bool SetSThreshold(int n);

    // Characters taken by one Input (0: all that wait).
    int InputLen() const { return m_inputLen; }
    bool SetInputLen(int n);

    bool PortOpen() const { return m_fd >= 0; }
    // True opens with the current properties, false closes (waiting a
    // bounded time for pending output to leave, then discarding it).
    bool SetPortOpen(bool aperta);

    // Characters waiting to be read; polls the device.  -1 once, when the
    // device has failed and nothing is left to read (Errore() and
    // CommEvent() tell why); 0 on a closed port.
    int InBufferCount();
    // Discards what waits to be read (the control's InBufferCount = 0).
    void SvuotaIngresso();
    // Bytes written and not yet gone out of the device.
    int OutBufferCount() const;

    // Takes up to InputLen characters of what waits.  Text mode decodes
    // Windows-1252; binary mode gives one character per byte (code 0..255).
    QString Input();
    // The same, as bytes.
    QByteArray InputBytes();

    // Sends the data in one write, within a bounded time; false on a
    // failure (port not open, device lost, line holding the data back).
    // A string goes out in Windows-1252 in text mode and one byte per
    // character (code And 255) in binary mode.
    bool Output(const QString& dati);
    bool Output(const QByteArray& dati);

    int CommEvent() const { return m_evento; }
    const ErroreSeriale& Errore() const { return m_errore; }

    // Waits up to ms milliseconds for input to arrive (or the port to be
    // closed); true when something waits.  Callers keep the event loop
    // turning between calls.
    bool AttendeDati(int ms);

    // Counts the openings: a reader that saw a different number after a
    // wait knows the port was closed (and maybe reopened) under it.
    uint64_t Aperture() const { return m_aperture; }

    // Time allowed for one Output, in milliseconds; 0 (the default) means
    // the transmission time at the current speed plus one second.
    void SetTempoScrittura(int ms) { m_tempoScrittura = ms; }

private:
    bool Fallisce(int numero, const QString& descrizione);
    bool Applica();       // settings and handshaking to the open device
    void ImpostaLinee();  // DTR and RTS
    void Preleva();       // device -> m_in
    void Decodifica(const char* p, int n);
    int BitPerCarattere() const;
    QString NomePorta() const;

    int m_fd = -1;
    int m_porta = 1;
    QString m_dispositivo;  // explicit path, or empty
    QString m_aperto;       // device of the open port
    QString m_settings = QStringLiteral("9600,n,8,1");
    int m_baud = 9600;
    char m_parita = 'n';
    int m_dati = 8;
    int m_stop = 1;
    int m_inSize = 1024;
    int m_outSize = 512;
    bool m_dtr = false;
    bool m_rts = false;
    int m_handshake = comNone;
    int m_inputMode = comInputModeText;
    QString m_parityReplace = QStringLiteral("?");
    int m_rThreshold = 0;
    int m_sThreshold = 0;
    int m_inputLen = 0;
    int m_tempoScrittura = 0;

    QByteArray m_in;                 // received, not yet read
    int m_marcatura = 0;             // state of the parity-mark decoder
    bool m_guasto = false;           // the device failed; reads give nothing
    bool m_guastoSegnalato = false;  // InBufferCount has told the caller
    int m_evento = comEvNessuno;
    ErroreSeriale m_errore;
    uint64_t m_aperture = 0;
};

}  // namespace obx
