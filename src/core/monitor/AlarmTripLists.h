#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class IniFile;

// The alarm names and trip codes of a drive type, from its Info file: the alarm section
// names bit i of the alarm word (FC91) in its i-th entry; the trip section maps decimal trip
// codes (FC90) to names, its first entry being the drive's "no trip" code.
class AlarmTripLists
{
public:
    /// Reads "<type> Alarm (<prefix>)" and "<type> Trip (<prefix>)"; names default to "-".
    void load(const IniFile &info, const QString &typeName, const QString &languagePrefix);

    QStringList fc91BuffNo;  // alarm keys, in file order (not used for look-up)
    QStringList fc91Buff;    // alarm names
    QStringList fc90BuffNo;  // trip codes as text
    QStringList fc90Buff;    // trip names

    bool hasAlarms() const { return !fc91BuffNo.isEmpty(); }
    bool hasTrips() const { return !fc90BuffNo.isEmpty(); }

    /// The alarm label of an alarm word: the name of every set bit 0..15, each followed by
    /// ","; empty when no bit is set. A set bit without a name is left out.
    QString alarmText(qint64 word) const;
    /// The trip label of a trip code read as text: the name of the code when it is listed at
    /// any position but the first; empty otherwise.
    QString tripLabel(const QString &raw) const;
    /// The name of a trip code, the first entry included; nothing when it is not listed.
    std::optional<QString> tripName(qint64 code) const;
};
