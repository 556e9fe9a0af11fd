#include "RatingBases.h"

#include "DriveData.h"
#include "NumberText.h"

namespace {

constexpr double MissingDivisor = 10;

double divisorOf(const DriveData &data, int index)
{
    if (index < 0)
        return MissingDivisor;
    const std::optional<double> mul = NumberText::parse(data.paraDat.at(index, ParaDat::Mul));
    return (mul && *mul != 0) ? *mul : 1.0;
}

double tableValue(const DriveData &data, int index, double divisor)
{
    if (index < 0)
        return 0;
    return NumberText::parse(data.uPara.at(index, UPara::Value)).value_or(0) / divisor;
}

// The voltage class digit of the form name ("-4..." is a 400 V form).
double formVoltage(const QString &formName)
{
    const int position = formName.startsWith(QLatin1Char('S')) ? 2 : 1;
    if (position >= formName.size() || !formName.at(position).isDigit())
        return 0;
    return formName.at(position).digitValue() * 100.0;
}

}  // namespace

void RatingBases(DriveData &data, const QString &formName, const DriveReader &readOnLine)
{
    const QString voltageNo = QStringLiteral("FE71");
    const int voltageRow = data.IndexOfComNo(voltageNo);
    const double voltageDivisor = divisorOf(data, voltageRow);
    data.voltageBase = voltageRow >= 0 ? tableValue(data, voltageRow, voltageDivisor) : formVoltage(formName);

    QString currentNo = QStringLiteral("FE70");
    int currentRow = data.IndexOfComNo(currentNo);
    if (currentRow < 0 && data.IndexOfComNo(u"FB58") >= 0) {
        currentNo = QStringLiteral("FB58");
        currentRow = data.IndexOfComNo(currentNo);
    }
    const double currentDivisor = divisorOf(data, currentRow);
    data.currentBase = tableValue(data, currentRow, currentDivisor);

    if (!readOnLine)
        return;
    const std::optional<qint64> volts = readOnLine(voltageNo);
    data.voltageBase = volts ? double(*volts) / voltageDivisor : formVoltage(formName);
    const std::optional<qint64> amperes = readOnLine(currentNo);
    if (amperes)
        data.currentBase = double(*amperes) / currentDivisor;
}
