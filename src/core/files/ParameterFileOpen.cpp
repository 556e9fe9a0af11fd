#include "ParameterFileOpen.h"

#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/Prompter.h"
#include "model/DriveData.h"
#include "model/NumberText.h"
#include "model/ParameterValues.h"
#include "model/SplitFields.h"
#include "model/ValueConversion.h"

#include <limits>

namespace {
const QString Zero = QStringLiteral("0");
const QChar Newline(QLatin1Char('\n'));
constexpr UPara::Column MarkColumns[] = {UPara::ChangeIndex,    UPara::WriteIndex,   UPara::HexIndex,
                                         UPara::BlindIndex,     UPara::SelectIndex,  UPara::OneSelectIndex,
                                         UPara::CommErrIndex};
}  // namespace

ParameterFileOpen::ParameterFileOpen(DriveData &data, const DriveSelection &selection, const MessageTable &messages,
                                     Prompter &prompter)
    : m_data(data)
    , m_selection(selection)
    , m_messages(messages)
    , m_prompter(prompter)
{
}

ParameterFileOpen::Result ParameterFileOpen::open(const QStringList &lines)
{
    m_skipCapacity = false;
    m_header = ParameterFile::parseHeader(lines);
    if (m_header.layout != ParameterFile::Layout::Unknown && !checkSpecialSetup(lines))
        return Result::Refused;
    if (m_header.layout == ParameterFile::Layout::Unknown) {
        if (ParameterFile::looksLikeConfigFile(lines))
            return Result::ConfigFile;
        m_prompter.message(m_messages.text(67), m_messages.caption(), Prompter::Icon::Warning,
                           Prompter::Buttons::Ok);
        m_prompter.pump();
        return Result::Refused;
    }
    if (!checkType() || !checkValues(lines))
        return Result::Refused;
    if (askForm() == Result::Cancelled || askCpu() == Result::Cancelled)
        return Result::Cancelled;
    resetToFactory();
    return readParameterLines(lines, false);
}

ParameterFileOpen::Result ParameterFileOpen::openAtStart(const QStringList &lines)
{
    m_skipCapacity = false;
    m_header = ParameterFile::parseHeader(lines);
    if (m_header.layout != ParameterFile::Layout::Current || !checkValues(lines))
        return Result::Refused;
    resetToFactory();
    return readParameterLines(lines, true);
}

ParameterFileOpen::Result ParameterFileOpen::checkDrive(const QString &typeName, const QString &formName,
                                                        const QString &cpuVersion)
{
    m_skipCapacity = false;
    m_header = ParameterFile();
    m_header.layout = ParameterFile::Layout::Current;
    m_header.typeName = typeName;
    m_header.formName = formName;
    m_header.cpuVersion = cpuVersion;
    if (!checkType())
        return Result::Refused;
    if (askForm() == Result::Cancelled || askCpu() == Result::Cancelled)
        return Result::Cancelled;
    return Result::Loaded;
}

bool ParameterFileOpen::checkSpecialSetup(const QStringList &lines)
{
    const int k = ParameterFile::specialSetupMessage(lines);
    if (k == 0)
        return true;
    const QString text = m_messages.text(k) + Newline + Newline + m_messages.text(105);
    m_prompter.message(text, m_messages.caption(), Prompter::Icon::None, Prompter::Buttons::Ok);
    m_prompter.pump();
    return false;
}

QString ParameterFileOpen::fileDrive(bool withCpu) const
{
    if (withCpu)
        return m_header.typeName + m_header.formName + QStringLiteral(" (") + m_header.cpuVersion
            + QStringLiteral(") ");
    return m_header.typeName + m_header.formName + QLatin1Char(' ');
}

bool ParameterFileOpen::checkType()
{
    if (m_header.typeName == m_selection.typeName)
        return true;
    const bool current = m_header.layout == ParameterFile::Layout::Current;
    const QString text = m_messages.text(9) + Newline + fileDrive(current) + m_messages.text(86);
    m_prompter.message(text, m_messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
    m_prompter.pump();
    return false;
}

ParameterFileOpen::Result ParameterFileOpen::askForm()
{
    if (m_header.layout == ParameterFile::Layout::Oldest || m_header.formName == m_selection.formName)
        return Result::Loaded;
    const bool current = m_header.layout == ParameterFile::Layout::Current;
    const QString text = m_messages.text(10) + Newline + QStringLiteral("* ") + fileDrive(current)
        + m_messages.text(87) + Newline + Newline + m_messages.text(11) + Newline + m_messages.text(12) + Newline
        + m_messages.text(13);
    const Prompter::Answer answer =
        m_prompter.message(text, m_messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::YesNoCancel);
    m_prompter.pump();
    if (answer == Prompter::Answer::Cancel)
        return Result::Cancelled;
    m_skipCapacity = answer == Prompter::Answer::No;
    return Result::Loaded;
}

ParameterFileOpen::Result ParameterFileOpen::askCpu()
{
    if (m_header.layout != ParameterFile::Layout::Current || m_header.cpuVersion == m_selection.cpuVersion)
        return Result::Loaded;
    const QString text = m_messages.text(14) + Newline + QStringLiteral("* ") + fileDrive(true) + m_messages.text(87);
    const Prompter::Answer answer =
        m_prompter.message(text, m_messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::OkCancel);
    m_prompter.pump();
    return answer == Prompter::Answer::Ok ? Result::Loaded : Result::Cancelled;
}

qsizetype ParameterFileOpen::parameterLinesEnd(const QStringList &lines) const
{
    const qsizetype end = qMin<qsizetype>(lines.size(), ParameterFile::MaxLines);
    for (qsizetype i = m_header.firstParameterLine; i < end; ++i) {
        if (lines.at(i).isEmpty())
            return i;
    }
    return qMax<qsizetype>(end, m_header.firstParameterLine);
}

bool ParameterFileOpen::valueFits(const QStringList &fields) const
{
    const int index = m_data.IndexOfComNo(fields.first());
    if (index < 0)
        return true;  // asked about when the line is read
    const QString value = fields.value(1);
    const std::optional<qint64> raw = NumberText::parseWhole(value);
    return raw && value.trimmed() == value && ValueConversion(m_data).fitsDataSize(*raw, index);
}

bool ParameterFileOpen::checkValues(const QStringList &lines)
{
    // A value that is no whole number, or one the parameter's data size cannot hold, would be
    // sent to the drive as it is: the whole file is refused before anything is applied.
    const qsizetype end = parameterLinesEnd(lines);
    for (qsizetype i = m_header.firstParameterLine; i < end; ++i) {
        if (valueFits(SplitFields(lines.at(i))))
            continue;
        const QString text = m_messages.text(67) + Newline + QString::number(i + 1) + QStringLiteral(": ") + lines.at(i);
        m_prompter.message(text, m_messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        m_prompter.pump();
        return false;
    }
    return true;
}

void ParameterFileOpen::resetToFactory()
{
    // Every row starts from its factory value with no marks, so marks of the previous set
    // never survive into rows the file does not list.
    ParameterValues values(m_data, m_messages, m_prompter);
    UPara &u = m_data.uPara;
    for (int i = 0; i <= m_data.lastIndex; ++i) {
        const QString &def = m_data.paraDat.at(i, ParaDat::Default);
        const bool referenced = m_data.paraDat.at(i, ParaDat::DIndex) != Zero;
        u.setAt(i, UPara::Value, referenced ? values.FactoryValueOf(def) : def);
        for (UPara::Column c : MarkColumns)
            u.setAt(i, c, Zero);
    }
}

ParameterFileOpen::Result ParameterFileOpen::readParameterLines(const QStringList &lines, bool atStart)
{
    const qsizetype end = parameterLinesEnd(lines);
    for (qsizetype i = m_header.firstParameterLine; i < end; ++i) {
        const QStringList fields = SplitFields(lines.at(i));
        const QString &comNo = fields.first();
        if (m_skipCapacity && (m_data.capPara.contains(comNo) || m_data.capParaR.contains(comNo)))
            continue;
        if (applyLine(fields))
            continue;
        if (atStart) {
            m_prompter.message(m_messages.text(67), m_messages.caption(), Prompter::Icon::Warning,
                               Prompter::Buttons::Ok);
            m_prompter.pump();
            return Result::Stopped;
        }
        const QString text = m_messages.text(67) + Newline + m_messages.text(80) + QLatin1Char(' ') + comNo + Newline
            + Newline + m_messages.text(81) + Newline + m_messages.text(82);
        const Prompter::Answer answer =
            m_prompter.message(text, m_messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::OkCancel);
        m_prompter.pump();
        if (answer != Prompter::Answer::Ok)
            return Result::Stopped;
    }
    return Result::Loaded;
}

bool ParameterFileOpen::applyLine(const QStringList &fields)
{
    const QString &comNo = fields.first();
    const int index = m_data.IndexOfComNo(comNo);
    if (index < 0)
        return false;
    UPara &u = m_data.uPara;
    const QString value = fields.value(1);
    const QString select = fields.value(2);
    const QString blind = fields.value(3);
    u.setAt(index, UPara::Value, value);
    u.setAt(index, UPara::SelectIndex, select.isEmpty() ? Zero : select);
    u.setAt(index, UPara::BlindIndex, blind.isEmpty() ? Zero : blind);
    const double number = NumberText::parse(value).value_or(std::numeric_limits<double>::quiet_NaN());
    ParameterValues(m_data, m_messages, m_prompter).MarkChanged(comNo, number);
    for (UPara::Column c : {UPara::WriteIndex, UPara::HexIndex, UPara::OneSelectIndex, UPara::CommErrIndex})
        u.setAt(index, c, Zero);
    return true;
}
