#include "MonitorValues.h"

#include "MonitorReadSlot.h"
#include "MonitorSetup.h"
#include "model/DriveData.h"
#include "model/NumberText.h"

double ItemValue(const MonitorReadSlot &slot, const QString &raw, int terminalLevel)
{
    const qint64 whole = NumberText::parseWhole(raw).value_or(0);
    if (slot.bitText.isEmpty())
        return double(whole) / double(slot.divisor);
    // The bit of a 16-character binary text, most significant first; bit numbers beyond 15
    // fall outside that text and read as 0.
    bool ok = false;
    const int bit = slot.bitText.toInt(&ok);
    if (!ok || bit < 0 || bit > 15)
        return 0;
    return (quint64(whole) >> bit) & 1U ? double(terminalLevel) : 0.0;
}

double ScaleToDisplayUnit(const MonitorChannel &channel, const QString &altUnit, double value,
                          const MonitorDisplayOptions &options)
{
    if (options.freeUnit)
        return value * options.freeUnitFactor;
    if (channel.selected && channel.unitChange) {
        if (altUnit == QLatin1String("(A)"))
            return value * options.currentBase * 0.01;
        if (altUnit == QLatin1String("(V)"))
            return value * options.voltageBase * 0.01;
    }
    return value;
}

int ItemDecimals(const QString &mulText)
{
    const QString mul = mulText.trimmed();
    if (mul == QLatin1String("10"))
        return 1;
    if (mul == QLatin1String("100"))
        return 2;
    if (mul == QLatin1String("1000"))
        return 3;
    return 0;
}

QString FormatItemValue(const DriveData &data, int row, double value)
{
    const int decimals = data.isIndex(row) ? ItemDecimals(data.paraDat.at(row, ParaDat::Mul)) : 0;
    QString text = NumberText::fixed(value, decimals);
    if (data.decimalComma) {
        const int point = int(text.indexOf(QLatin1Char('.')));
        if (point >= 0)
            text[point] = QLatin1Char(',');
    }
    return text;
}
