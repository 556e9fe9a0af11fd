#include "MessageTable.h"

#include "base/IniFile.h"

bool MessageTable::load(const IniFile &languageFile)
{
    clear();
    m_keys = languageFile.keys(QStringLiteral("General"));
    if (m_keys.isEmpty())
        return false;
    m_messages.reserve(m_keys.size());
    for (const QString &key : std::as_const(m_keys))
        m_messages.append(languageFile.readString(QStringLiteral("General"), key, QStringLiteral("-")));
    return true;
}

void MessageTable::clear()
{
    m_keys.clear();
    m_messages.clear();
}

QString MessageTable::text(int k) const
{
    if (k < 0 || k >= m_messages.size())
        return QStringLiteral("-");
    return m_messages.at(k);
}

QString MessageTable::caption() const
{
    return m_messages.isEmpty() ? QStringLiteral("Confirmation") : m_messages.first();
}
