#include "ParameterValues.h"

#include "DriveData.h"
#include "NumberText.h"
#include "app/MessageTable.h"
#include "base/Prompter.h"

namespace {

const QString Zero = QStringLiteral("0");
const QString One = QStringLiteral("1");
const QString MinusOne = QStringLiteral("-1");

}  // namespace

ParameterValues::ParameterValues(DriveData &data, const MessageTable &messages, Prompter &prompter)
    : m_data(data)
    , m_messages(messages)
    , m_prompter(prompter)
{
}

void ParameterValues::showMessage(int k, bool stop) const
{
    m_prompter.message(m_messages.text(k), m_messages.caption(),
                       stop ? Prompter::Icon::Stop : Prompter::Icon::Warning, Prompter::Buttons::Ok);
    m_prompter.pump();
}

QString ParameterValues::CurrentValueOf(QStringView comNo) const
{
    const int index = m_data.IndexOfComNo(comNo);
    return index < 0 ? QString() : m_data.uPara.at(index, UPara::Value);
}

qint64 ParameterValues::IntValueOfComNo(QStringView comNo) const
{
    if (comNo.isEmpty())
        return -1;
    QString padded = comNo.toString();
    while (padded.size() < 4)
        padded.prepend(QLatin1Char('0'));
    int index = m_data.IndexOfComNo(padded);
    // The text search also matches inside a longer number; only an equal number counts.
    if (index >= 0 && m_data.paraDat.at(index, ParaDat::ComNo) != padded) {
        index = -1;
        for (int i = 0; i <= m_data.lastIndex && index < 0; ++i) {
            if (m_data.paraDat.at(i, ParaDat::ComNo) == padded)
                index = i;
        }
    }
    if (index < 0)
        return -1;
    return NumberText::parseTruncated(m_data.uPara.at(index, UPara::Value)).value_or(-1);
}

QString ParameterValues::FactoryValueOf(QStringView comNo) const
{
    // A chain of references visits each parameter at most once; a longer walk has looped.
    QString current = comNo.toString();
    for (int steps = 0; steps <= m_data.lastIndex; ++steps) {
        const int index = m_data.IndexOfComNo(current);
        if (index < 0)
            break;
        const QString &indicator = m_data.paraDat.at(index, ParaDat::DIndex);
        if (indicator == Zero)
            return m_data.paraDat.at(index, ParaDat::Default);
        if (indicator != One)
            break;
        current = m_data.paraDat.at(index, ParaDat::Default);
    }
    showMessage(32);
    return QStringLiteral("Error.");
}

int ParameterValues::MarkChanged(QStringView comNo, double value)
{
    const int index = m_data.IndexOfComNo(comNo);
    const std::optional<double> factory = NumberText::parse(FactoryValueOf(comNo));
    const int changed = (factory && *factory == value) ? 0 : 1;
    if (index >= 0)
        m_data.uPara.setFlag(index, UPara::ChangeIndex, changed == 1);
    return changed;
}

std::optional<double> ParameterValues::upperLimit(int index) const
{
    const ParaDat &p = m_data.paraDat;
    if (p.at(index, ParaDat::HIndex) == Zero)
        return NumberText::parse(p.at(index, ParaDat::High));
    return NumberText::parse(CurrentValueOf(p.at(index, ParaDat::High)));
}

std::optional<double> ParameterValues::lowerLimit(int index) const
{
    const ParaDat &p = m_data.paraDat;
    const QString &indicator = p.at(index, ParaDat::LIndex);
    if (indicator == Zero)
        return NumberText::parse(p.at(index, ParaDat::Low));
    if (indicator != One && indicator != MinusOne)
        return std::nullopt;
    const std::optional<double> v = NumberText::parse(CurrentValueOf(p.at(index, ParaDat::Low)));
    if (v && indicator == MinusOne)
        return -*v;
    return v;
}

double ParameterValues::ClampToLimits(QStringView raw, int index)
{
    const std::optional<double> v = NumberText::parse(raw);
    if (!v) {
        showMessage(42);
        return double(NumberText::leadingWhole(m_data.uPara.at(index, UPara::Value)));
    }
    const std::optional<double> upper = upperLimit(index);
    const std::optional<double> lower = lowerLimit(index);
    if (upper && *v > *upper) {
        m_data.limitClamped = true;
        return *upper;
    }
    if (lower && *v < *lower) {
        m_data.limitClamped = true;
        return *lower;
    }
    return *v;
}

QString ParameterValues::linkedLowText(int index, const QString &referenced) const
{
    return m_data.paraDat.at(index, ParaDat::LIndex) == MinusOne ? QLatin1Char('-') + referenced : referenced;
}

void ParameterValues::RefreshLinkedLimits(int index)
{
    if (!m_data.isIndex(index))
        return;
    const ParaDat &p = m_data.paraDat;
    if (p.at(index, ParaDat::HIndex) != Zero)
        m_data.uPara.setAt(index, UPara::HValue, CurrentValueOf(p.at(index, ParaDat::High)));
    if (p.at(index, ParaDat::LIndex) != Zero)
        m_data.uPara.setAt(index, UPara::LValue, linkedLowText(index, CurrentValueOf(p.at(index, ParaDat::Low))));
}

ParameterValues::SetUpResult ParameterValues::SetUpValues()
{
    UPara &u = m_data.uPara;
    const ParaDat &p = m_data.paraDat;
    u.setRowCount(1);  // no cell of an earlier drive survives
    u.setRowCount(m_data.lastIndex + 2);
    u.writeTitles();
    for (int i = 0; i <= m_data.lastIndex; ++i) {
        const std::optional<qint64> dIndex = NumberText::parseWhole(p.at(i, ParaDat::DIndex));
        if (!dIndex) {
            showMessage(67, true);
            return SetUpResult::BadDIndex;
        }
        const QString &def = p.at(i, ParaDat::Default);
        u.setAt(i, UPara::Value, *dIndex != 0 ? FactoryValueOf(def) : def);
        const QString &high = p.at(i, ParaDat::High);
        u.setAt(i, UPara::HValue, p.at(i, ParaDat::HIndex) != Zero ? FactoryValueOf(high) : high);
        const QString &low = p.at(i, ParaDat::Low);
        u.setAt(i, UPara::LValue, p.at(i, ParaDat::LIndex) != Zero ? linkedLowText(i, FactoryValueOf(low)) : low);
        for (int c = UPara::ChangeIndex; c <= UPara::CommErrIndex; ++c)
            u.setAt(i, UPara::Column(c), Zero);
        u.setAt(i, UPara::No, QString::number(i));
    }
    return SetUpResult::Done;
}
