#include "SimStateFile.h"

namespace {
const QString DriveKey = QStringLiteral("Drive");
}

SimStateFile::SimStateFile(const QString &path)
    : m_ini(path)
{
}

QString SimStateFile::section(int inverterNumber)
{
    return QStringLiteral("Inverter %1").arg(inverterNumber);
}

std::optional<qint64> SimStateFile::value(int inverterNumber, const QString &label, const QString &comNo) const
{
    const QString s = section(inverterNumber);
    if (m_ini.readString(s, DriveKey) != label || !m_ini.hasKey(s, comNo))
        return std::nullopt;
    bool ok = false;
    const qint64 v = m_ini.readString(s, comNo).toLongLong(&ok);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

bool SimStateFile::store(int inverterNumber, const QString &label, const QString &comNo, qint64 value)
{
    const QString s = section(inverterNumber);
    if (m_ini.readString(s, DriveKey) != label) {
        if (!m_ini.eraseSection(s) || !m_ini.writeString(s, DriveKey, label))
            return false;
    }
    return m_ini.writeString(s, comNo, QString::number(value));
}
