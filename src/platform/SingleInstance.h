#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace plandeck {

// Keeps a second copy of the program from running on the same data folder. The lock is a file in the data
// folder holding the owner's process id: a lock left behind by a copy that crashed is taken over, and two
// portable copies in different folders each have their own.
class SingleInstance {
public:
    explicit SingleInstance(const QString& dataFolder);

    // False only when another copy holds the lock.
    bool acquire();
    bool held() const { return m_held; }

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};

} // namespace plandeck
