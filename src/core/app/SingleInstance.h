#pragma once

#include <QLockFile>
#include <memory>

// The guard that keeps a second copy of VKR410T from starting: a lock named "VKR410T" in the
// user's runtime folder, held for the life of the process.
class SingleInstance
{
public:
    /// False when another process holds the lock. `folder` defaults to the runtime folder.
    bool acquire(const QString &folder = QString());

private:
    std::unique_ptr<QLockFile> m_lock;
};
