#include "platform/Parallela.h"

#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace obx {

namespace {

QString Sistema(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

bool Fallisce(ErroreSeriale& errore, int numero, const QString& descrizione)
{
    errore = {numero, descrizione};
    return false;
}

}  // namespace

QString DispositivoParallela()
{
    const QString v = VocePorte(QStringLiteral("PRN"));
    return v.isEmpty() ? QStringLiteral("/dev/lp0") : v;
}

bool ScriveParallela(const QByteArray& dati, ErroreSeriale& errore)
{
    const QString disp = DispositivoParallela();
    const QByteArray nome = QFile::encodeName(disp);
    const int fd = ::open(nome.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int e = errno;
        switch (e) {
        case ENOENT:
        case ENOTDIR:
            return Fallisce(errore, comErrInesistente, QStringLiteral("Il dispositivo %1 non esiste").arg(disp));
        case EACCES:
        case EPERM:
            return Fallisce(errore, comErrAccesso, QStringLiteral("Accesso negato al dispositivo %1").arg(disp));
        case EBUSY:
            return Fallisce(errore, comErrPortaOccupata, QStringLiteral("Il dispositivo %1 è già in uso").arg(disp));
        case ENXIO:
        case ENODEV:
        case EIO:
            return Fallisce(errore, comErrScollegato, QStringLiteral("Il dispositivo %1 non è collegato").arg(disp));
        default:
            return Fallisce(errore, comErrPortaNonValida,
                            QStringLiteral("Impossibile aprire %1: %2").arg(disp, Sistema(e)));
        }
    }
    // A printer takes a frame in well under a second; one that takes
    // nothing for two seconds is off line.
    QElapsedTimer t;
    t.start();
    qsizetype fatto = 0;
    bool ok = true;
    while (fatto < dati.size()) {
        const ssize_t n = ::write(fd, dati.constData() + fatto, size_t(dati.size() - fatto));
        if (n > 0) {
            fatto += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            ok = Fallisce(errore, comErrScrittura,
                          QStringLiteral("Scrittura su %1 fallita: %2").arg(disp, Sistema(errno)));
            break;
        }
        const qint64 resta = 2000 - t.elapsed();
        if (resta <= 0) {
            ok = Fallisce(errore, comErrScrittura,
                          QStringLiteral("Il dispositivo %1 non accetta dati (tempo scaduto)").arg(disp));
            break;
        }
        pollfd pf{fd, POLLOUT, 0};
        poll(&pf, 1, int(std::min<qint64>(resta, 50)));
    }
    ::close(fd);
    return ok;
}

}  // namespace obx
