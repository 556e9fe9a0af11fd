#pragma once

#include "MonitorFile.h"

#include <QString>
#include <QStringList>

class MessageTable;
class MonitorRecording;
class Prompter;
struct DriveSelection;
struct MonitorSetup;

// Opening a ".mon" file as the monitoring window's "Open" does: the file of another drive type
// is refused with language messages 9 and 86, another CPU version is asked about with 14 and 87
// (OK or Cancel), and a file whose samples are not numbers is refused with message 67. Nothing
// changes until every check has passed; then apply() puts the set-up and the samples where the
// window keeps them. Every message goes through the Prompter.
class MonitorFileOpen
{
public:
    enum class Result {
        Loaded,      // file() holds the recording
        Unreadable,  // the file could not be read, or holds no line at all
        Refused,     // another drive type
        Cancelled,   // another CPU version, answered Cancel
        Incorrect,   // samples that are not numbers, or too many of them
    };

    MonitorFileOpen(const DriveSelection &selection, const MessageTable &messages, Prompter &prompter);

    /// Reads the file and runs open() on its lines.
    Result OpenRecording(const QString &path, CodePage page);
    /// The checks and the reading of the lines of a file.
    Result open(const QStringList &lines);
    const MonitorFile &file() const { return m_file; }

    /// The type and form of the file, as the window caption names them.
    QString fileDrive() const { return m_file.typeName + m_file.formName; }

    /// What opening restores: the trigger and chart set-up (a current file), the channels'
    /// items, multipliers, offsets and selection (CH1..CH5 of a legacy file, the others keep
    /// theirs), each checked as an entry is (a number out of range takes the nearest limit, a
    /// text that is no number leaves the value as it was), and the samples of the channels
    /// the file selects, drawn with their multipliers and offsets. `itemCount` is the size of
    /// the drive type's monitor item list: an index beyond it becomes 0.
    static void apply(const MonitorFile &file, int itemCount, MonitorSetup &setup, MonitorRecording &recording);

private:
    bool checkType();
    bool askCpu();
    /// Language message 67 and why.
    void refuse(const QString &why);

    const DriveSelection &m_selection;
    const MessageTable &m_messages;
    Prompter &m_prompter;
    MonitorFile m_file;
};
