#pragma once

#include "MonitorTableFile.h"

#include <QString>
#include <array>

// The table file of one continuous run, open from "Start" to the run's end. The head is
// written as a whole new file (a file it replaces stays as it was when that fails), then every
// sample line is appended with one write and pushed to the disk before the next sample, so a
// crash or a pulled cable loses at most the line being written. A line that cannot be written
// whole is cut off again and closes the table; the run is to end and say why.
class ContinuousTable
{
public:
    ContinuousTable() = default;
    ~ContinuousTable();
    ContinuousTable(const ContinuousTable &) = delete;
    ContinuousTable &operator=(const ContinuousTable &) = delete;

    /// Writes the head and opens the file for the lines. False with error() set.
    bool create(const QString &path, const MonitorTableFile::ContinuousHead &head, bool decimalComma,
                CodePage page);
    /// Appends one sample line. False with error() set; the table is then closed.
    bool append(qint64 elapsedMs, const std::array<double, MonitorTableFile::Channels> &values);
    /// Closes the file. False with error() set when the last lines did not reach the disk.
    bool close();

    bool isOpen() const { return m_fd >= 0; }
    const QString &path() const { return m_path; }
    /// The system's reason of the last failure.
    const QString &error() const { return m_error; }
    /// Sample lines written since create().
    int lines() const { return m_lines; }

private:
    bool fail(int errnoValue);

    QString m_path;
    QString m_error;
    int m_fd = -1;
    bool m_decimalComma = false;
    int m_lines = 0;
};
