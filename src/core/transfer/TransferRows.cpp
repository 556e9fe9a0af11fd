#include "TransferRows.h"

#include "comm/CommExchange.h"
#include "model/DriveData.h"
#include "model/NumberText.h"
#include "model/ParameterValues.h"

namespace TransferRows {

bool isWide(const DriveData &data, int index)
{
    return data.paraDat.at(index, ParaDat::Byte).trimmed() == QLatin1String("4");
}

bool hasNegativeLow(const DriveData &data, int index)
{
    const std::optional<qint64> low = NumberText::parseWhole(data.uPara.at(index, UPara::LValue));
    return low && *low < 0;
}

bool isFixed(const DriveData &data, int index)
{
    return data.paraDat.at(index, ParaDat::Flag) == QLatin1String("1");
}

bool exportWrites(const DriveData &data, int index, bool changedOnly)
{
    return !isFixed(data, index) && !(changedOnly && data.uPara.at(index, UPara::ChangeIndex) == QLatin1String("0"));
}

void setFlag(DriveData &data, int index, const char *flag)
{
    if (!isFixed(data, index))
        data.paraDat.setAt(index, ParaDat::Flag, QString::fromLatin1(flag));
}

std::optional<quint32> write(CommExchange &exchange, int index, const QString &raw, char command)
{
    bool &error = exchange.CommErrorFlag();
    const int32_t word = exchange.exchange(index, raw, error, command);
    if (error)
        return std::nullopt;
    return quint32(word);
}

std::optional<quint32> read(CommExchange &exchange, int index)
{
    return write(exchange, index, QString(), 'R');
}

QString readText(const DriveData &data, int index, quint32 word)
{
    if (isWide(data, index))
        return QString::number(qint32(word));
    const quint16 low = quint16(word & 0xFFFFu);
    return hasNegativeLow(data, index) ? QString::number(qint16(low)) : QString::number(low);
}

quint32 defaultWord(DriveData &data, int index, const ParameterValues &values)
{
    const QString &def = data.paraDat.at(index, ParaDat::Default);
    const QString text = data.paraDat.at(index, ParaDat::DIndex) == QLatin1String("0") ? def
                                                                                       : values.FactoryValueOf(def);
    // A factory value that is no number ("Error.") leaves 0.
    return quint32(qint32(NumberText::parseTruncated(text).value_or(0)));
}

std::optional<qint64> tableWhole(const DriveData &data, int index)
{
    return NumberText::parseTruncated(data.uPara.at(index, UPara::Value));
}

Naming failedNaming(const DriveData &data, int index, bool maintenanceActive, const QString &hiddenName)
{
    const QString &comNo = data.paraDat.at(index, ParaDat::ComNo);
    Naming n{data.paraDat.at(index, ParaDat::FTitle), data.paraDat.at(index, ParaDat::FName), true};
    const bool maintenanceRow = comNo.startsWith(u'F');
    if (maintenanceRow || n.title.isEmpty()) {
        if (!maintenanceActive)
            n.name = hiddenName;
        if (n.title.isEmpty())
            n.title = comNo;
    }
    n.listed = !maintenanceRow || maintenanceActive;
    return n;
}

}  // namespace TransferRows
