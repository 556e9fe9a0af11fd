#include "CommSetup.h"

#include "app/Settings.h"
#include "base/IniFile.h"

#include <cmath>

namespace {

const QString DefComms = QStringLiteral("Def Comms");

// One setting of [Def Comms]: its plain key, default for Button1, and its valid range.
struct DefKey {
    const char *name;
    int buttonDefault;
    int low, high;
};
enum Which { Protocol, Baudrate, Parity, InvNo, KeyCount };
constexpr DefKey DefKeys[KeyCount] = {
    {"Protocol", 0, 0, 1},
    {"Baudrate", 4, 0, 5},
    {"Parity", 1, 0, 2},
    {"InvNo", 0, 0, CommSetup::MaxInverterNumber},
};

int readInt(const IniFile &info, const QString &key, int def)
{
    bool ok = false;
    const int value = info.readString(DefComms, key, QString()).trimmed().toInt(&ok);
    return ok ? value : def;
}

int offset(const IniFile &info, Which which)
{
    return readInt(info, QLatin1String(DefKeys[which].name) + QStringLiteral("_B"), 0);
}

int &field(CommSettings &record, Which which)
{
    switch (which) {
    case Protocol:
        return record.protocol;
    case Baudrate:
        return record.baudIndex;
    case Parity:
        return record.parityIndex;
    default:
        return record.inverterNumber;
    }
}

// Out-of-range results (an offset that does not fit the value) change nothing.
void put(CommSettings &record, Which which, qint64 value)
{
    if (value >= DefKeys[which].low && value <= DefKeys[which].high)
        field(record, which) = int(value);
}

void numberFollows(CommSettings &record)
{
    record.setNumber = record.inverterNumber != 0;
    if (record.setNumber)
        record.broadcast = false;
    record.updateGap();
}

QString paraKey(Which which)
{
    return QStringLiteral("Para_") + QLatin1String(DefKeys[which].name);
}

}  // namespace

namespace CommSetup {

CommSettings load(const Settings &s)
{
    return CommSettings::fromValues(s.get(Keys::Prtocol), s.get(Keys::Commport), s.get(Keys::Baudrate),
                                    s.get(Keys::Parity), s.get(Keys::Stopbits), s.get(Keys::Bytesize), s.get(Keys::ID),
                                    s.get(Keys::AppendNo), s.get(Keys::Douhou), s.get(Keys::Delay));
}

void save(Settings &s, CommSettings record)
{
    record.updateGap();
    s.set(Keys::Prtocol, record.protocol);
    s.set(Keys::Commport, record.portIndex);
    s.set(Keys::Baudrate, record.baudIndex);
    s.set(Keys::Parity, record.parityIndex);
    s.set(Keys::Stopbits, record.stopBitsIndex);
    s.set(Keys::Bytesize, record.byteSizeIndex);
    s.set(Keys::ID, record.inverterNumber);
    s.set(Keys::AppendNo, record.setNumber);
    s.set(Keys::Douhou, record.broadcast);
    s.set(Keys::Delay, record.timeoutMs);
}

Field checkNumber(const QString &text, int low, int high)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return {Field::NotANumber, 0};
    if (value < low)
        return {Field::Clamped, low};
    if (value > high)
        return {Field::Clamped, high};
    return {Field::Ok, int(std::lround(value))};
}

bool defaultsOffered(const IniFile &info)
{
    for (const DefKey &key : DefKeys) {
        if (readInt(info, QLatin1String(key.name), -1) < 0)
            return false;
    }
    return true;
}

bool tableValuesOffered(const IniFile &info)
{
    for (int w = 0; w < KeyCount; ++w) {
        if (info.readString(DefComms, paraKey(Which(w)), QStringLiteral("-")) != QLatin1String("-"))
            return true;
    }
    return false;
}

void applyDefaults(const IniFile &info, CommSettings &record)
{
    for (int w = 0; w < KeyCount; ++w) {
        const Which which = Which(w);
        put(record, which, qint64(readInt(info, QLatin1String(DefKeys[w].name), DefKeys[w].buttonDefault))
                               + offset(info, which));
    }
    numberFollows(record);
}

void applyTableValues(const IniFile &info, const std::function<qint64(const QString &)> &tableValue,
                      CommSettings &record)
{
    if (!tableValuesOffered(info))
        return;
    for (int w = 0; w < KeyCount; ++w) {
        const Which which = Which(w);
        const QString para = info.readString(DefComms, paraKey(which), QStringLiteral("-"));
        if (para.contains(QLatin1String("Fixed"))) {
            const int fixed = readInt(info, QLatin1String(DefKeys[w].name), -1);
            if (fixed > 0)
                put(record, which, qint64(fixed) + offset(info, which));
        } else if (para != QLatin1String("-")) {
            const qint64 value = tableValue(para);
            if (value >= 0)
                put(record, which, value + offset(info, which));
        }
    }
    numberFollows(record);
}

void applyScan(const CommScan::Result &found, CommSettings &record)
{
    if (!found.found())
        return;
    record.protocol = found.protocol;
    record.portIndex = found.portIndex;
    record.baudIndex = found.baudIndex;
    record.parityIndex = found.parityIndex;
    record.updateGap();
}

Changes compare(const CommSettings &a, const CommSettings &b)
{
    return {a.protocol != b.protocol,   a.inverterNumber != b.inverterNumber, a.setNumber != b.setNumber,
            a.portIndex != b.portIndex, a.baudIndex != b.baudIndex,           a.parityIndex != b.parityIndex};
}

}  // namespace CommSetup
