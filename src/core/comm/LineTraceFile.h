#pragma once

#include "LineTrace.h"

#include <QFile>
#include <QString>
#include <memory>

// A communication log written to a file as it goes (each line flushed at once, so the log is
// whole up to the last frame even when the program dies), or to standard error for "-".
class LineTraceFile
{
public:
    /// Starts the log; false with the reason in *error when the file cannot be written.
    bool open(const QString &path, QString *error);
    /// The log, or none before a successful open.
    LineTrace *trace() const { return m_trace.get(); }

private:
    QFile m_file;
    std::unique_ptr<LineTrace> m_trace;
};
