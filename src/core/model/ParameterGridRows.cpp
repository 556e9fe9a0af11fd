#include "ParameterGridRows.h"

#include "DriveData.h"
#include "NumberText.h"
#include "ParameterValues.h"
#include "ValueConversion.h"
#include "app/MessageTable.h"

#include <limits>

namespace {
const QString SixBlanks = QStringLiteral("      ");
}

ParameterGridRows::ParameterGridRows(DriveData &data, const MessageTable &messages, Prompter &prompter)
    : m_data(data)
    , m_messages(messages)
    , m_prompter(prompter)
{
}

QStringList ParameterGridRows::titles(const MessageTable &messages)
{
    return {messages.text(21), messages.text(22), messages.text(23), messages.text(25),
            messages.text(26), messages.text(27), messages.text(28), QString()};
}

int ParameterGridRows::gridRowCount(const Switches &s) const
{
    if (s.changedOnly)
        return s.changedCount + 1;
    if (s.blind)
        return m_data.lastShownIndex - s.blindCount + 2;
    if (s.quick)
        return s.quickCount + 1;
    return m_data.lastShownIndex + 2;
}

bool ParameterGridRows::kept(const DriveData &data, int index, const Switches &s)
{
    if (s.changedOnly && !data.uPara.flag(index, UPara::ChangeIndex))
        return false;
    if (s.blind && data.uPara.flag(index, UPara::BlindIndex))
        return false;
    if (s.quick && data.paraDat.at(index, ParaDat::Quick) == QLatin1String("0"))
        return false;
    return true;
}

QVector<ParameterGridRows::Row> ParameterGridRows::rows(const Switches &s)
{
    const int count = qMax(0, gridRowCount(s) - 1);
    QVector<Row> out(count);
    const int last = qMin(m_data.lastShownIndex, m_data.lastIndex);
    int next = 0;
    for (int i = 0; i <= last && next < count; ++i) {
        if (kept(m_data, i, s))
            fillRow(i, out[next++]);
    }
    return out;
}

void ParameterGridRows::fillRow(int index, Row &row)
{
    const ParaDat &p = m_data.paraDat;
    const ValueConversion conv(m_data);
    row.index = index;
    row.cells[0] = p.at(index, ParaDat::FTitle);
    row.cells[1] = p.at(index, ParaDat::ComNo);
    row.cells[2] = p.at(index, ParaDat::FName);
    const QString &raw = m_data.uPara.at(index, UPara::Value);
    row.cells[3] = conv.ValueText(raw, index);
    row.cells[4] = conv.LimitText(m_data.uPara.at(index, UPara::LValue), index);
    row.cells[5] = conv.LimitText(m_data.uPara.at(index, UPara::HValue), index);
    const QString cvUnit = m_data.cvDisplay ? conv.CVUnitText(index) : QString();
    row.cells[6] = cvUnit.isEmpty() ? p.at(index, ParaDat::Unit) : cvUnit;
    const double value = NumberText::parse(raw).value_or(std::numeric_limits<double>::quiet_NaN());
    ParameterValues(m_data, m_messages, m_prompter).MarkChanged(p.at(index, ParaDat::ComNo), value);
    const bool shownChanged =
        m_data.uPara.flag(index, UPara::ChangeIndex) && p.at(index, ParaDat::Flag) != QLatin1String("2");
    row.cells[7] = shownChanged ? m_messages.text(30) : SixBlanks;
}

std::array<QString, 2> ParameterGridRows::refreshedLimits(int index)
{
    ParameterValues(m_data, m_messages, m_prompter).RefreshLinkedLimits(index);
    const ValueConversion conv(m_data);
    return {conv.LimitText(m_data.uPara.at(index, UPara::LValue), index),
            conv.LimitText(m_data.uPara.at(index, UPara::HValue), index)};
}

QVector<ParameterGridRows::Row> ParameterGridRows::filledRows(const Switches &s)
{
    QVector<Row> out = rows(s);
    for (Row &row : out) {
        const int index = m_data.IndexOfComNo(row.cells[1]);
        if (index < 0)
            continue;
        const std::array<QString, 2> limits = refreshedLimits(index);
        row.cells[4] = limits[0];
        row.cells[5] = limits[1];
    }
    return out;
}
