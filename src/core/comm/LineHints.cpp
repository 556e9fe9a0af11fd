#include "LineHints.h"

#include <QFile>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace LineHints {

QString text(Cause cause)
{
    switch (cause) {
    case Cause::NoReply:
        return QStringLiteral("Hint: no reply at all. Check that the port is the one the drive is wired to, the "
                              "wiring (A/B not swapped, converter powered), the inverter number and the baud rate.");
    case Cause::BadCheck:
        return QStringLiteral("Hint: replies arrive garbled or with bad check values. The baud rate or the parity "
                              "most likely differs from the drive's setting.");
    case Cause::Echo:
        return QStringLiteral("Hint: our own frame came back. The RS-485 adapter echoes what it sends; switch its "
                              "echo off or use an adapter with automatic direction control.");
    case Cause::Permission:
        break;
    }
    return QStringLiteral("Hint: the port cannot be opened for lack of permission.");
}

namespace {

bool inGroup(gid_t group)
{
    if (getegid() == group)
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(size_t(count), 0);
    const int got = getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) {
        if (groups[size_t(i)] == group)
            return true;
    }
    return false;
}

}  // namespace

DeviceAccess deviceAccess(const QString &device)
{
    DeviceAccess access;
    if (const passwd *pw = getpwuid(geteuid()))
        access.user = QString::fromLocal8Bit(pw->pw_name);
    else
        access.user = QString::number(geteuid());
    struct stat st {};
    if (stat(QFile::encodeName(device).constData(), &st) != 0)
        return access;
    const group *gr = getgrgid(st.st_gid);
    access.group = gr ? QString::fromLocal8Bit(gr->gr_name) : QString::number(st.st_gid);
    access.known = true;
    access.userInGroup = inGroup(st.st_gid);
    return access;
}

QString permissionHint(const QString &device, const DeviceAccess &access)
{
    if (!access.known)
        return text(Cause::Permission);
    if (access.userInGroup)
        return QStringLiteral("Hint: %1 belongs to group \"%2\" and the user \"%3\" is in it, but the device still "
                              "refuses: check its permissions (ls -l %1).")
            .arg(device, access.group, access.user);
    return QStringLiteral("Hint: %1 belongs to group \"%2\" and the user \"%3\" is not in it. Add the user to the "
                          "group (sudo usermod -aG %2 %3) and log in again.")
        .arg(device, access.group, access.user);
}

}  // namespace LineHints
