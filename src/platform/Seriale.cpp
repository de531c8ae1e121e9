#include "platform/Seriale.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/Percorsi.h"
#include "platform/Testo.h"

namespace obx {

namespace {

// Speeds the line discipline knows.
speed_t Velocita(int baud)
{
    switch (baud) {
    case 110: return B110;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 921600: return B921600;
    default: return B0;
    }
}

QString Sistema(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

}  // namespace

QString VocePorte(const QString& chiave)
{
    if (cCartella.isEmpty()) return {};
    QFile f(cCartella + QStringLiteral("Porte.txt"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QString cercata = chiave.trimmed().toUpper() + u'=';
    while (!f.atEnd()) {
        const QString riga = FromCp1252(f.readLine()).trimmed();
        if (riga.toUpper().startsWith(cercata)) return riga.mid(cercata.size()).trimmed();
    }
    return {};
}

QString DispositivoCom(int n)
{
    const QString v = VocePorte(QString::number(n));
    if (!v.isEmpty()) return v;
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
}

Seriale::~Seriale()
{
    if (m_fd >= 0) SetPortOpen(false);
}

bool Seriale::Fallisce(int numero, const QString& descrizione)
{
    m_errore = {numero, descrizione};
    return false;
}

QString Seriale::NomePorta() const
{
    return m_dispositivo.isEmpty() ? QStringLiteral("COM%1").arg(m_porta) : m_dispositivo;
}

bool Seriale::SetCommPort(int n)
{
    if (PortOpen()) return Fallisce(comErrPortaAperta, QStringLiteral("Operazione non consentita con la porta aperta"));
    if (n < 1 || n > 99)
        return Fallisce(comErrPortaNonValida, QStringLiteral("Numero di porta non valido (%1)").arg(n));
    m_porta = n;
    return true;
}

bool Seriale::SetDispositivo(const QString& percorso)
{
    if (PortOpen()) return Fallisce(comErrPortaAperta, QStringLiteral("Operazione non consentita con la porta aperta"));
    m_dispositivo = percorso;
    return true;
}

QString Seriale::Dispositivo() const
{
    if (PortOpen()) return m_aperto;
    return m_dispositivo.isEmpty() ? DispositivoCom(m_porta) : m_dispositivo;
}

bool Seriale::SetSettings(const QString& s)
{
    const QStringList p = s.split(u',');
    auto nonValido = [&] {
        return Fallisce(comErrImpostazioni, QStringLiteral("Impostazioni non valide: \"%1\"").arg(s));
    };
    if (p.size() != 4) return nonValido();
    bool ok = false;
    const int baud = p[0].trimmed().toInt(&ok);
    if (!ok || Velocita(baud) == B0)
        return Fallisce(comErrImpostazioni, QStringLiteral("Velocità non supportata: \"%1\"").arg(s));
    const QString par = p[1].trimmed().toLower();
    if (par.size() != 1 || !QStringLiteral("noems").contains(par)) return nonValido();
    const int dati = p[2].trimmed().toInt(&ok);
    if (!ok || dati < 5 || dati > 8) return nonValido();
    const QString st = p[3].trimmed();
    int stop = 0;
    if (st == u"1")
        stop = 1;
    else if (st == u"1.5" || st == u"2")
        stop = 2;
    else
        return nonValido();

    const int vBaud = m_baud, vDati = m_dati, vStop = m_stop;
    const char vPar = m_parita;
    const QString vSet = m_settings;
    m_baud = baud;
    m_parita = char(par.at(0).unicode());
    m_dati = dati;
    m_stop = stop;
    m_settings = s;
    if (PortOpen() && !Applica()) {
        m_baud = vBaud;
        m_parita = vPar;
        m_dati = vDati;
        m_stop = vStop;
        m_settings = vSet;
        Applica();
        return false;
    }
    return true;
}

bool Seriale::SetInBufferSize(int n)
{
    if (PortOpen()) return Fallisce(comErrPortaAperta, QStringLiteral("Operazione non consentita con la porta aperta"));
    if (n < 1) return Fallisce(comErrImpostazioni, QStringLiteral("Dimensione del buffer non valida"));
    m_inSize = n;
    return true;
}

bool Seriale::SetOutBufferSize(int n)
{
    if (PortOpen()) return Fallisce(comErrPortaAperta, QStringLiteral("Operazione non consentita con la porta aperta"));
    if (n < 1) return Fallisce(comErrImpostazioni, QStringLiteral("Dimensione del buffer non valida"));
    m_outSize = n;
    return true;
}

bool Seriale::SetDTREnable(bool on)
{
    m_dtr = on;
    if (PortOpen()) ImpostaLinee();
    return true;
}

bool Seriale::SetRTSEnable(bool on)
{
    m_rts = on;
    if (PortOpen()) ImpostaLinee();
    return true;
}

bool Seriale::SetHandshaking(int h)
{
    if (h < comNone || h > comRTSXOnXOff)
        return Fallisce(comErrImpostazioni, QStringLiteral("Controllo di flusso non valido (%1)").arg(h));
    const int prima = m_handshake;
    m_handshake = h;
    if (PortOpen() && !Applica()) {
        m_handshake = prima;
        Applica();
        return false;
    }
    return true;
}

bool Seriale::SetInputMode(int m)
{
    if (m != comInputModeText && m != comInputModeBinary)
        return Fallisce(comErrImpostazioni, QStringLiteral("Modo di ingresso non valido (%1)").arg(m));
    m_inputMode = m;
    return true;
}

bool Seriale::SetParityReplace(const QString& c)
{
    if (c.size() > 1) return Fallisce(comErrImpostazioni, QStringLiteral("Carattere di sostituzione non valido"));
    m_parityReplace = c;
    if (PortOpen()) return Applica();
    return true;
}

bool Seriale::SetRThreshold(int n)
{
    if (n < 0) return Fallisce(comErrImpostazioni, QStringLiteral("Soglia non valida"));
    m_rThreshold = n;
    return true;
}

bool Seriale::SetSThreshold(int n)
{
    if (n < 0) return Fallisce(comErrImpostazioni, QStringLiteral("Soglia non valida"));
    m_sThreshold = n;
    return true;
}

bool Seriale::SetInputLen(int n)
{
    if (n < 0) return Fallisce(comErrImpostazioni, QStringLiteral("Lunghezza di lettura non valida"));
    m_inputLen = n;
    return true;
}

int Seriale::BitPerCarattere() const { return 1 + m_dati + (m_parita == 'n' ? 0 : 1) + m_stop; }

bool Seriale::Applica()
{
    termios t{};
    if (tcgetattr(m_fd, &t) != 0)
        return Fallisce(comErrConfigurazione,
                        QStringLiteral("Impostazioni non applicabili a %1: %2").arg(m_aperto, Sistema(errno)));
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | CMSPAR);
    switch (m_dati) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    default: t.c_cflag |= CS8; break;
    }
    switch (m_parita) {
    case 'e': t.c_cflag |= PARENB; break;
    case 'o': t.c_cflag |= PARENB | PARODD; break;
    case 'm': t.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case 's': t.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    if (m_stop == 2) t.c_cflag |= CSTOPB;
    t.c_iflag &= ~(INPCK | PARMRK | IGNPAR | IXON | IXOFF | IXANY);
    // Parity errors are marked only when there is a replacement for them;
    // otherwise the character is passed on as it came.
    if (m_parita != 'n' && !m_parityReplace.isEmpty()) t.c_iflag |= INPCK | PARMRK;
    if (m_handshake == comXOnXoff || m_handshake == comRTSXOnXOff) t.c_iflag |= IXON | IXOFF;
    if (m_handshake == comRTS || m_handshake == comRTSXOnXOff) t.c_cflag |= CRTSCTS;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    const speed_t v = Velocita(m_baud);
    cfsetispeed(&t, v);
    cfsetospeed(&t, v);
    if (tcsetattr(m_fd, TCSANOW, &t) != 0)
        return Fallisce(
            comErrConfigurazione,
            QStringLiteral("Impostazioni \"%1\" non applicabili a %2: %3").arg(m_settings, m_aperto, Sistema(errno)));
    m_marcatura = 0;
    return true;
}

void Seriale::ImpostaLinee()
{
    // Devices without modem lines (a pseudo-terminal, some adapters)
    // refuse these requests: that is no failure of the port.
    int bit = TIOCM_DTR;
    ioctl(m_fd, m_dtr ? TIOCMBIS : TIOCMBIC, &bit);
    if (m_handshake != comRTS && m_handshake != comRTSXOnXOff) {
        bit = TIOCM_RTS;
        ioctl(m_fd, m_rts ? TIOCMBIS : TIOCMBIC, &bit);
    }
}

bool Seriale::SetPortOpen(bool aperta)
{
    if (aperta) {
        if (PortOpen()) return Fallisce(comErrPortaAperta, QStringLiteral("La porta %1 è già aperta").arg(NomePorta()));
        const QString disp = Dispositivo();
        const QByteArray nome = QFile::encodeName(disp);
        const int fd = ::open(nome.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            const int e = errno;
            switch (e) {
            case ENOENT:
            case ENOTDIR: return Fallisce(comErrInesistente, QStringLiteral("Il dispositivo %1 non esiste").arg(disp));
            case EACCES:
            case EPERM: return Fallisce(comErrAccesso, QStringLiteral("Accesso negato al dispositivo %1").arg(disp));
            case EBUSY:
                return Fallisce(comErrPortaOccupata, QStringLiteral("Il dispositivo %1 è già in uso").arg(disp));
            case ENXIO:
            case ENODEV:
            case EIO: return Fallisce(comErrScollegato, QStringLiteral("Il dispositivo %1 non è collegato").arg(disp));
            default:
                return Fallisce(comErrPortaNonValida,
                                QStringLiteral("Impossibile aprire %1: %2").arg(disp, Sistema(e)));
            }
        }
        if (!isatty(fd)) {
            ::close(fd);
            return Fallisce(comErrPortaNonValida, QStringLiteral("%1 non è una porta seriale").arg(disp));
        }
        // One program at a time: the advisory lock is honoured by our own
        // copies, the exclusive mode by everybody else.
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return Fallisce(comErrPortaOccupata, QStringLiteral("Il dispositivo %1 è già in uso").arg(disp));
        }
        ioctl(fd, TIOCEXCL);
        m_fd = fd;
        m_aperto = disp;
        if (!Applica()) {
            const ErroreSeriale e = m_errore;
            ::close(m_fd);
            m_fd = -1;
            m_aperto.clear();
            m_errore = e;
            return false;
        }
        ImpostaLinee();
        // Stale input goes; output is not flushed: nothing of ours is
        // queued on a device just opened, and on a pseudo-terminal (and
        // some virtual lines) an output flush takes back what an earlier
        // opening sent and the far end has not read yet.
        tcflush(m_fd, TCIFLUSH);
        m_in.clear();
        m_guasto = false;
        m_guastoSegnalato = false;
        m_evento = comEvNessuno;
        ++m_aperture;
        return true;
    }

    if (!PortOpen()) return true;
    // Let what was written go out, for a bounded time (a line held by flow
    // control would otherwise keep the close waiting), then drop the rest.
    // Only a queue that did not drain is discarded: on some devices the
    // flush also takes back bytes already handed on to the far end.
    int coda = m_guasto ? 0 : OutBufferCount();
    if (coda > 0) {
        const qint64 limite = 200 + qint64(coda) * BitPerCarattere() * 2000 / std::max(m_baud, 1);
        QElapsedTimer t;
        t.start();
        while (coda > 0 && t.elapsed() < std::min<qint64>(limite, 3000)) {
            usleep(2000);
            coda = OutBufferCount();
        }
    }
    tcflush(m_fd, (coda > 0 || m_guasto) ? TCIOFLUSH : TCIFLUSH);
    ioctl(m_fd, TIOCNXCL);
    flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
    m_aperto.clear();
    m_in.clear();
    m_guasto = false;
    return true;
}

void Seriale::Decodifica(const char* p, int n)
{
    const bool marcato = (m_parita != 'n' && !m_parityReplace.isEmpty());
    if (!marcato) {
        m_in.append(p, n);
        return;
    }
    // Marked input: FF FF is a literal FF, FF 00 c a character c received
    // with a parity or framing error.
    for (int i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        switch (m_marcatura) {
        case 0:
            if (c == 0xFF)
                m_marcatura = 1;
            else
                m_in.append(char(c));
            break;
        case 1:
            if (c == 0xFF) {
                m_in.append(char(0xFF));
                m_marcatura = 0;
            } else if (c == 0)
                m_marcatura = 2;
            else {
                m_in.append(char(c));
                m_marcatura = 0;
            }
            break;
        default:
            m_in.append(ToCp1252(m_parityReplace));
            m_evento = comEventRxParity;
            m_marcatura = 0;
            break;
        }
    }
}

void Seriale::Preleva()
{
    if (m_fd < 0 || m_guasto) return;
    for (;;) {
        const int spazio = m_inSize - int(m_in.size());
        if (spazio <= 0) {
            // Our buffer is full: the rest stays in the device.
            pollfd pf{m_fd, POLLIN, 0};
            if (poll(&pf, 1, 0) > 0 && (pf.revents & POLLIN)) m_evento = comEventRxOver;
            return;
        }
        pollfd pf{m_fd, POLLIN, 0};
        const int r = poll(&pf, 1, 0);
        if (r <= 0) return;
        if (pf.revents & POLLIN) {
            char buf[4096];
            const ssize_t n = ::read(m_fd, buf, std::min<int>(spazio, int(sizeof buf)));
            if (n > 0) {
                Decodifica(buf, int(n));
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
            if (n == 0 && !(pf.revents & (POLLHUP | POLLERR))) return;
        } else if (!(pf.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            return;
        }
        // Hang-up or error with nothing to read: the device is gone.
        m_guasto = true;
        m_evento = comEventDevice;
        Fallisce(comErrScollegato, QStringLiteral("Il dispositivo %1 non risponde più (scollegato?)").arg(m_aperto));
        return;
    }
}

int Seriale::InBufferCount()
{
    if (m_fd < 0) return 0;
    Preleva();
    if (m_guasto && !m_guastoSegnalato && m_in.isEmpty()) {
        m_guastoSegnalato = true;
        return -1;
    }
    return int(m_in.size());
}

void Seriale::SvuotaIngresso()
{
    if (m_fd >= 0 && !m_guasto) tcflush(m_fd, TCIFLUSH);
    m_in.clear();
}

int Seriale::OutBufferCount() const
{
    if (m_fd < 0) return 0;
    int n = 0;
    if (ioctl(m_fd, TIOCOUTQ, &n) != 0) return 0;
    return n;
}

QByteArray Seriale::InputBytes()
{
    if (m_fd < 0) {
        Fallisce(comErrNonAperta, QStringLiteral("La porta %1 non è aperta").arg(NomePorta()));
        return {};
    }
    Preleva();
    const int n = (m_inputLen <= 0) ? int(m_in.size()) : std::min<int>(m_inputLen, int(m_in.size()));
    QByteArray r = m_in.left(n);
    m_in.remove(0, n);
    return r;
}

QString Seriale::Input()
{
    const QByteArray b = InputBytes();
    if (m_inputMode == comInputModeBinary) return QString::fromLatin1(b);
    return FromCp1252(b);
}

bool Seriale::Output(const QString& dati)
{
    if (m_inputMode == comInputModeBinary) {
        QByteArray b;
        b.reserve(dati.size());
        for (QChar c : dati) b.append(char(c.unicode() & 0xFF));
        return Output(b);
    }
    return Output(ToCp1252(dati));
}

bool Seriale::Output(const QByteArray& dati)
{
    if (m_fd < 0) return Fallisce(comErrNonAperta, QStringLiteral("La porta %1 non è aperta").arg(NomePorta()));
    if (m_guasto)
        return Fallisce(comErrScollegato,
                        QStringLiteral("Il dispositivo %1 non risponde più (scollegato?)").arg(m_aperto));
    const qint64 limite = m_tempoScrittura > 0
                              ? m_tempoScrittura
                              : 1000 + qint64(dati.size()) * BitPerCarattere() * 1000 / std::max(m_baud, 1);
    QElapsedTimer t;
    t.start();
    qsizetype fatto = 0;
    while (fatto < dati.size()) {
        const ssize_t n = ::write(m_fd, dati.constData() + fatto, size_t(dati.size() - fatto));
        if (n > 0) {
            fatto += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            const int e = errno;
            if (e == EIO || e == ENXIO || e == ENODEV) {
                m_guasto = true;
                m_evento = comEventDevice;
                return Fallisce(comErrScollegato,
                                QStringLiteral("Il dispositivo %1 non risponde più (scollegato?)").arg(m_aperto));
            }
            return Fallisce(comErrScrittura, QStringLiteral("Scrittura su %1 fallita: %2").arg(m_aperto, Sistema(e)));
        }
        const qint64 resta = limite - t.elapsed();
        if (resta <= 0) {
            // The line does not take the data (flow control held, nobody
            // reading): what is queued is dropped, so that nothing goes out
            // late and the close does not wait for it.
            tcflush(m_fd, TCOFLUSH);
            m_evento = comEventTxTimeout;
            return Fallisce(comErrScrittura,
                            QStringLiteral("La linea di %1 non accetta dati (tempo scaduto)").arg(m_aperto));
        }
        pollfd pf{m_fd, POLLOUT, 0};
        poll(&pf, 1, int(std::min<qint64>(resta, 50)));
    }
    return true;
}

bool Seriale::AttendeDati(int ms)
{
    if (m_fd < 0 || m_guasto) {
        if (ms > 0) usleep(useconds_t(ms) * 1000);
        return false;
    }
    if (!m_in.isEmpty()) return true;
    pollfd pf{m_fd, POLLIN, 0};
    const int r = poll(&pf, 1, ms);
    if (r > 0 && (pf.revents & (POLLHUP | POLLERR)) && !(pf.revents & POLLIN)) {
        // Let the next count notice the failure; do not spin meanwhile.
        if (ms > 0) usleep(useconds_t(ms) * 1000);
    }
    return r > 0 && (pf.revents & POLLIN);
}

}  // namespace obx
