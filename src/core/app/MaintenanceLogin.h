#pragma once

#include <QString>
#include <functional>

class MessageTable;

// The password check of maintenance mode. The caller gives the state of the line and a way
// to write 251 to FB91; the verdict says which mode to enter and what to tell the user.
class MaintenanceLogin
{
public:
    enum class Level { None, Maintenance, Master };

    struct Line {
        bool onLine = false;  // the connection check just before succeeded
        /// Writes 251 to FB91 with the RAM write command; returns the error flag after it.
        std::function<bool()> writeFb91;
        bool lastErrorFlag = false;  // the error flag when no write is made
    };

    struct Verdict {
        Level level = Level::None;  // None: nothing entered, the window stays open
        int stopMessage = -1;       // language message shown with the stop icon (59), or -1
        QString text;               // the message shown on entering, or the refusal (message 3)
        bool refusedByDrive = false;
        bool written = false;       // a write to FB91 was made
    };

    static Verdict check(const QString &password, Line &line, const MessageTable &messages);

    /// The text of the window's hidden master label.
    static QString masterLabel();
    static constexpr int MaxLength = 10;
};
