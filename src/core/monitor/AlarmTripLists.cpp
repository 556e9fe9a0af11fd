#include "AlarmTripLists.h"

#include "base/IniFile.h"

namespace {

void readSection(const IniFile &info, const QString &section, QStringList *keys, QStringList *values)
{
    keys->clear();
    values->clear();
    *keys = info.keys(section);
    for (const QString &key : std::as_const(*keys))
        values->append(info.readString(section, key, QStringLiteral("-")));
}

}  // namespace

void AlarmTripLists::load(const IniFile &info, const QString &typeName, const QString &languagePrefix)
{
    const QString tail = QStringLiteral(" (") + languagePrefix + QLatin1Char(')');
    readSection(info, typeName + QStringLiteral(" Alarm") + tail, &fc91BuffNo, &fc91Buff);
    readSection(info, typeName + QStringLiteral(" Trip") + tail, &fc90BuffNo, &fc90Buff);
}

QString AlarmTripLists::alarmText(qint64 word) const
{
    QString text;
    if (word <= 0)
        return text;
    for (int bit = 0; bit < 16; ++bit) {
        if ((word >> bit & 1) && bit < fc91Buff.size())
            text += fc91Buff.at(bit) + QLatin1Char(',');
    }
    return text;
}

QString AlarmTripLists::tripLabel(const QString &raw) const
{
    const qsizetype at = fc90BuffNo.indexOf(raw);
    return at > 0 ? fc90Buff.value(at) : QString();
}

std::optional<QString> AlarmTripLists::tripName(qint64 code) const
{
    const qsizetype at = fc90BuffNo.indexOf(QString::number(code));
    if (at < 0)
        return std::nullopt;
    return fc90Buff.value(at);
}
