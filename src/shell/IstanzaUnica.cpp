#include "shell/IstanzaUnica.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace obx {

QString IstanzaUnica::PercorsoPredefinito()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir + QStringLiteral("/obx-%1.lock").arg(getuid());
}

IstanzaUnica::IstanzaUnica(const QString& nomeFile)
    : m_lock(std::make_unique<QLockFile>(nomeFile.isEmpty() ? PercorsoPredefinito() : nomeFile))
{
    // A lock whose owner process is gone is stale at once, whatever its age.
    m_lock->setStaleLockTime(0);
    m_acquisita = m_lock->tryLock(0);
    if (!m_acquisita && m_lock->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, app;
        if (m_lock->getLockInfo(&pid, &host, &app) && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH) {
            m_lock->removeStaleLockFile();
            m_acquisita = m_lock->tryLock(0);
        }
    }
}

IstanzaUnica::~IstanzaUnica()
{
    if (m_acquisita) m_lock->unlock();
}

}  // namespace obx
