#pragma once

#include "ParameterFile.h"

#include <QString>
#include <QStringList>

class DriveData;
class MessageTable;
class Prompter;
struct DriveSelection;

// Reading a parameter file into the loaded drive's table as "Open" does: the special set-up
// refusal, the layout, the type, form and CPU checks with their questions, the reset to the
// factory values and the parameter lines. Every message and question goes through the
// Prompter. The file's header is kept for the caller (comment, Blind display, names).
class ParameterFileOpen
{
public:
    enum class Result {
        Loaded,      // the file was read to its end
        Stopped,     // the reading stopped at an unknown number; the values read so far stay
        Refused,     // special set-up, unknown layout or another drive type: nothing changed
        Cancelled,   // a question was answered Cancel before anything changed
        ConfigFile,  // a configuration file, read by its own reader
    };

    ParameterFileOpen(DriveData &data, const DriveSelection &selection, const MessageTable &messages,
                      Prompter &prompter);

    /// The whole "Open" reading of the file's lines.
    Result open(const QStringList &lines);

    /// Start with a file: no checks, an unknown number shows language message 67 alone and
    /// ends the reading. The table is reset to the factory values first.
    Result openAtStart(const QStringList &lines);

    /// The type, form and CPU checks of the current layout with their messages and questions,
    /// for a file whose drive names were read elsewhere (a configuration file): Loaded,
    /// Refused or Cancelled. A form answered No sets skippedCapacity().
    Result checkDrive(const QString &typeName, const QString &formName, const QString &cpuVersion);
    /// Every value back to its factory value.
    void resetToFactory();

    /// The header of the last file looked at.
    const ParameterFile &header() const { return m_header; }
    /// Set when the form question was answered No: capacity parameters were kept.
    bool skippedCapacity() const { return m_skipCapacity; }

private:
    bool checkSpecialSetup(const QStringList &lines);
    bool checkType();
    Result askForm();
    Result askCpu();
    QString fileDrive(bool withCpu) const;
    qsizetype parameterLinesEnd(const QStringList &lines) const;
    bool valueFits(const QStringList &fields) const;
    bool checkValues(const QStringList &lines);
    Result readParameterLines(const QStringList &lines, bool atStart);
    bool applyLine(const QStringList &fields);

    DriveData &m_data;
    const DriveSelection &m_selection;
    const MessageTable &m_messages;
    Prompter &m_prompter;
    ParameterFile m_header;
    bool m_skipCapacity = false;
};
