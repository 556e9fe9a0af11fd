#include "LineTraceFile.h"

#include <cstdio>

bool LineTraceFile::open(const QString &path, QString *error)
{
    bool opened = false;
    if (path == QLatin1String("-")) {
        opened = m_file.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    } else {
        m_file.setFileName(path);
        opened = m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    if (!opened) {
        if (error)
            *error = m_file.errorString();
        return false;
    }
    m_trace = std::make_unique<LineTrace>([this](const QString &line) {
        m_file.write((line + QLatin1Char('\n')).toUtf8());
        m_file.flush();
    });
    return true;
}
