#include "MonitorItems.h"

#include "MonitorReadSlot.h"
#include "base/IniFile.h"
#include "model/DriveData.h"

int MonitorItem::bitNumber() const
{
    bool ok = false;
    const int n = bitText.toInt(&ok);
    return ok && n >= 0 && n <= 15 ? n : -1;
}

QString MonitorItem::titleWithUnit() const
{
    return normalUnit.isEmpty() ? name : name + QLatin1Char(' ') + normalUnit;
}

const MonitorItem *MonitorItemList::at(int index) const
{
    return index >= 0 && index < size() ? &items[size_t(index)] : nullptr;
}

int MonitorItemList::indexOfCode(const QString &code) const
{
    for (int i = 0; i < size(); ++i) {
        if (items[size_t(i)].code.compare(code, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList MonitorItemList::names() const
{
    QStringList out;
    for (const MonitorItem &item : items)
        out << item.name;
    return out;
}

void SplitMonitorItemCode(const QString &code, QString *comNo, QString *bitText)
{
    *comNo = code.left(4);
    // The bit number is the sixth and seventh characters, one or two digits.
    *bitText = code.size() > 5 && code.at(4) == QLatin1Char('-') ? code.mid(5, 2).trimmed() : QString();
}

bool LoadMonitorItems(const IniFile &info, const QString &typeName, const QString &languagePrefix,
                      const DriveData &data, MonitorItemList &list)
{
    list = MonitorItemList();
    const QString itemSection = typeName + QStringLiteral(" Monitor (") + languagePrefix + QLatin1Char(')');
    const QString unitSection = typeName + QStringLiteral(" Monitor Unit");
    const QStringList codes = info.keys(itemSection);
    const QStringList unitKeys = info.keys(unitSection);
    list.hasUnits = !unitKeys.isEmpty();
    for (int n = 0; n < codes.size(); ++n) {
        MonitorItem item;
        item.code = codes[n];
        item.name = info.readString(itemSection, item.code);
        SplitMonitorItemCode(item.code, &item.comNo, &item.bitText);
        item.row = MonitorReadSlot::rowOf(data, item.comNo);
        if (n < unitKeys.size()) {
            item.normalUnit = unitKeys[n].mid(2);
            item.altUnit = info.readString(unitSection, unitKeys[n], QStringLiteral("(-)"));
            if (item.altUnit.isEmpty())
                item.altUnit = QStringLiteral("(-)");
        } else {
            item.altUnit = QStringLiteral("(-)");
        }
        list.items.push_back(item);
    }
    list.alarmTrips.load(info, typeName, languagePrefix);
    return !list.isEmpty();
}

std::optional<MonitorItem> ResolveMonitorItem(const MonitorItemList &list, const DriveData &data, const QString &code)
{
    if (const MonitorItem *known = list.at(list.indexOfCode(code)))
        return *known;
    MonitorItem item;
    item.code = code.trimmed().toUpper();
    SplitMonitorItemCode(item.code, &item.comNo, &item.bitText);
    item.row = MonitorReadSlot::rowOf(data, item.comNo);
    const bool wellFormed = item.code.size() == 4 || (item.isBitItem() && item.bitNumber() >= 0
                                                      && item.code.size() == 5 + item.bitText.size());
    if (item.row < 0 || !wellFormed)
        return std::nullopt;
    item.name = data.paraDat.at(item.row, ParaDat::FName);
    const QString unit = data.paraDat.at(item.row, ParaDat::Unit).trimmed();
    if (item.isBitItem())
        item.name += QStringLiteral(" bit ") + QString::number(item.bitNumber());
    else if (!unit.isEmpty() && unit != QLatin1String("-"))
        item.normalUnit = QLatin1Char('(') + unit + QLatin1Char(')');
    item.altUnit = QStringLiteral("(-)");
    return item;
}
