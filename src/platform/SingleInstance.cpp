#include "platform/SingleInstance.h"

namespace plandeck {

SingleInstance::SingleInstance(const QString& dataFolder)
    : m_lock(std::make_unique<QLockFile>(dataFolder + QStringLiteral("/plandeck.lock"))) {
    // A lock is stale only when its process is gone; its age does not matter.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    if (m_held)
        return true;
    m_held = m_lock->tryLock(0);
    // A folder where no lock can be written (read-only media) must not keep the program from starting:
    // only a lock held by another living copy does.
    return m_held || m_lock->error() != QLockFile::LockFailedError;
}

} // namespace plandeck
