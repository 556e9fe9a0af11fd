#pragma once

#include <QString>

// One line of advice for each typical reason a line fails, for the communication log.
namespace LineHints {

enum class Cause { NoReply, BadCheck, Echo, Permission };
constexpr int CauseCount = 4;

/// The hint for a cause that needs no detail (every cause but Permission).
QString text(Cause cause);

/// Who may open a device: its owning group and whether the running user is in it.
struct DeviceAccess {
    bool known = false;  // the device exists and its group has a name
    QString group;
    QString user;
    bool userInGroup = false;
};

/// Looks up the device's group (stat, getgrgid) and the running user's groups.
DeviceAccess deviceAccess(const QString &device);
/// The hint for a device that refused to open for lack of permission.
QString permissionHint(const QString &device, const DeviceAccess &access);

}  // namespace LineHints
