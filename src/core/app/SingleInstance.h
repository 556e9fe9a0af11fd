#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// The guard that keeps a second copy of VKR410T from starting: a lock named "VKR410T.lock",
// one per user, held for the life of the process. It lives in the user's runtime folder
// ($XDG_RUNTIME_DIR), or in the user's cache folder when there is no runtime folder; never in
// a folder shared by all users, where one user's copy would block another's.
class SingleInstance
{
public:
    enum class Result {
        Acquired,     // this is the only copy
        Running,      // another live process holds the lock
        Unavailable,  // the lock could not be made (folder missing, not writable, ...)
    };

    /// `folder` defaults to defaultFolder().
    Result acquire(const QString &folder = QString());

    /// The lock file tried by the last acquire.
    QString lockPath() const { return m_path; }
    /// Why the lock could not be made (Unavailable), with the system's reason.
    QString error() const { return m_error; }

    /// The user's runtime folder when it exists, else the user's cache folder.
    static QString defaultFolder();

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
    QString m_error;
};
