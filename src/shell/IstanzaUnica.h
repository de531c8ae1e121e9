// Refuses a second running copy of the program for the same user.  The lock
// is a file holding the owner's process id: a copy that crashed leaves a
// lock whose process no longer exists, and that lock is taken over.
#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace obx {

class IstanzaUnica {
public:
    // nomeFile: the lock's path; empty for the per-user default.
    explicit IstanzaUnica(const QString& nomeFile = QString());
    ~IstanzaUnica();
    // True when this is the only running copy (the lock is now ours).
    bool Acquisita() const { return m_acquisita; }
    static QString PercorsoPredefinito();

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquisita = false;
};

}  // namespace obx
