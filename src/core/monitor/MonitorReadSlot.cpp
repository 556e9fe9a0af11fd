#include "MonitorReadSlot.h"

#include "MonitorItems.h"
#include "model/DriveData.h"
#include "model/NumberText.h"

MonitorReadSlot MonitorReadSlot::forCode(const DriveData &data, const QString &code)
{
    MonitorReadSlot slot;
    QString comNo;
    SplitMonitorItemCode(code, &comNo, &slot.bitText);
    slot.row = rowOf(data, comNo);
    if (slot.row < 0)
        return slot;
    slot.dataSize = int(NumberText::leadingWhole(data.paraDat.at(slot.row, ParaDat::Byte)));
    slot.minimum = int(NumberText::leadingWhole(data.paraDat.at(slot.row, ParaDat::Low)));
    const auto mul = NumberText::parse(data.paraDat.at(slot.row, ParaDat::Mul));
    // A missing or zero "Mul" would divide by zero; such a parameter is shown unscaled.
    slot.divisor = mul && *mul != 0 ? float(*mul) : 1.0f;
    return slot;
}

int MonitorReadSlot::rowOf(const DriveData &data, const QString &comNo)
{
    if (comNo.size() != 4)
        return -1;
    const int row = data.IndexOfComNo(comNo);
    return data.isIndex(row) ? row : -1;
}

QString MonitorReadSlot::rawText(int32_t value) const
{
    if (dataSize == 4)
        return minimum < 0 ? QString::number(value) : QString::number(uint32_t(value));
    return minimum < 0 ? QString::number(int16_t(uint16_t(value))) : QString::number(uint16_t(value));
}
