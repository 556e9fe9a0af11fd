#include "MaintenanceLogin.h"

#include "MessageTable.h"

#include <iterator>

namespace {

enum class Kind { Maintenance, ConfirmedMaintenance, Silent, Master };

struct Password {
    const char *text;
    Kind kind;
};

// Compared exactly, in this order; the first match decides.
constexpr Password Passwords[] = {
    {"(RVOK)", Kind::Maintenance},    {"(rvok)", Kind::Maintenance},   {"5b0a9d3", Kind::ConfirmedMaintenance},
    {"7e31f08", Kind::Silent},        {"4d2c9a", Kind::Master},        {"6f0b1c2", Kind::Master},
};

constexpr int NoDrive = 3;
constexpr int Started = 57;
constexpr int WriteFailed = 58;
constexpr int WrongPassword = 59;

bool kindOf(const QString &password, Kind &kind)
{
    for (const Password &p : Passwords) {
        if (password == QLatin1String(p.text)) {
            kind = p.kind;
            return true;
        }
    }
    if (password == MaintenanceLogin::masterLabel()) {
        kind = Kind::Master;
        return true;
    }
    return false;
}

}  // namespace

QString MaintenanceLogin::masterLabel()
{
    return QStringLiteral("Vasilo");
}

MaintenanceLogin::Verdict MaintenanceLogin::check(const QString &password, Line &line, const MessageTable &messages)
{
    Verdict v;
    Kind kind = Kind::Maintenance;
    if (password.isEmpty() || !kindOf(password, kind)) {
        v.stopMessage = WrongPassword;
        return v;
    }
    bool failed = line.lastErrorFlag;
    if (kind != Kind::Silent && line.onLine && line.writeFb91) {
        failed = line.writeFb91();
        v.written = true;
    }
    const QString appendFailure = QLatin1Char('\n') + messages.text(WriteFailed);
    switch (kind) {
    case Kind::Maintenance:
        v.level = Level::Maintenance;
        v.text = messages.text(Started) + (v.written && failed ? appendFailure : QString());
        break;
    case Kind::ConfirmedMaintenance:
        // Entered only when the drive confirmed; off line the last error state decides.
        if (failed) {
            v.refusedByDrive = true;
            v.text = messages.text(NoDrive);
            return v;
        }
        v.level = Level::Maintenance;
        v.text = messages.text(Started);
        break;
    case Kind::Silent:
        v.level = Level::Maintenance;
        v.text = messages.text(Started) + appendFailure;
        break;
    case Kind::Master:
        v.level = Level::Master;
        v.text = QStringLiteral("Hello, the master.") + (v.written && failed ? appendFailure : QString());
        break;
    }
    return v;
}
