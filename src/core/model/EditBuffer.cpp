#include "EditBuffer.h"

#include "DriveData.h"
#include "NumberText.h"
#include "ParameterValues.h"
#include "ValueConversion.h"
#include "app/MessageTable.h"
#include "base/Prompter.h"

#include <cmath>

namespace {

bool isHexLetter(QChar c)
{
    return c == QLatin1Char('h') || c == QLatin1Char('H');
}

bool takenAnywhere(QChar c)
{
    static const QString keys = QStringLiteral("0123456789.,-ABCDEFabcdefVv");
    return keys.contains(c);
}

}  // namespace

EditBuffer::EditBuffer(DriveData &data, const MessageTable &messages, Prompter &prompter)
    : m_data(data)
    , m_messages(messages)
    , m_prompter(prompter)
{
}

void EditBuffer::warn(int message) const
{
    m_prompter.message(m_messages.text(message), m_messages.caption(), Prompter::Icon::Warning,
                       Prompter::Buttons::Ok);
    m_prompter.pump();
}

bool EditBuffer::KeyPress(QChar c, const QString &cellText)
{
    const bool taken = (takenAnywhere(c) && m_typed < MaxTyped) || (isHexLetter(c) && m_typed == 0);
    if (!taken)
        return false;
    if (!m_editing) {
        m_saved = cellText;
        m_editing = true;
    }
    if (m_typed == 0)
        m_buffer.clear();
    m_buffer.append(c);
    ++m_typed;
    return true;
}

bool EditBuffer::Backspace()
{
    if (m_buffer.isEmpty())
        return false;
    m_buffer.chop(1);
    m_typed = qMax(0, m_typed - 1);
    return true;
}

bool EditBuffer::Cancel()
{
    const bool was = m_editing;
    finish();
    return was;
}

void EditBuffer::finish()
{
    m_editing = false;
    m_buffer.clear();
    m_typed = 0;
}

QString EditBuffer::enteredText(const QString &shownText) const
{
    return m_editing ? m_buffer : shownText;
}

std::optional<double> EditBuffer::EntryRaw(int index, const QString &text)
{
    if (text.isEmpty() || (text.size() == 1 && isHexLetter(text.front()))) {
        warn(40);
        return std::nullopt;
    }
    QString entry = text;
    if (!isHexLetter(entry.front()))
        entry.replace(QLatin1Char(','), QLatin1Char('.'));
    ValueConversion conv(m_data);
    ValueConversion::EntryError error = ValueConversion::EntryError::None;
    const std::optional<double> raw = conv.EntryToRaw(entry, index, &error);
    if (error == ValueConversion::EntryError::EmptyHex) {
        warn(40);
        return std::nullopt;
    }
    if (!raw || !std::isfinite(*raw)) {
        warn(42);
        return std::nullopt;
    }
    return raw;
}

std::optional<EditBuffer::Converted> EditBuffer::Convert(int index, const QString &text)
{
    m_data.limitClamped = false;
    const std::optional<double> raw = EntryRaw(index, text);
    if (!raw)
        return std::nullopt;
    ParameterValues values(m_data, m_messages, m_prompter);
    Converted out;
    out.raw = values.ClampToLimits(NumberText::format(*raw), index);
    out.clamped = m_data.limitClamped;
    if (out.clamped)
        warn(41);
    return out;
}

EditBuffer::Accepted EditBuffer::Enter(int index, const QString &shownText)
{
    Accepted out;
    const QString restore = m_editing ? m_saved : shownText;
    const std::optional<Converted> converted = m_data.isIndex(index) ? Convert(index, enteredText(shownText))
                                                                     : std::nullopt;
    finish();
    if (!converted) {
        out.cellText = restore;
        return out;
    }
    UPara &u = m_data.uPara;
    const QString comNo = m_data.paraDat.at(index, ParaDat::ComNo);
    const QString newText = NumberText::format(converted->raw);
    ParameterValues values(m_data, m_messages, m_prompter);
    out.changed = values.MarkChanged(comNo, converted->raw);
    const QString before = u.at(index, UPara::Value);
    if (NumberText::parse(before) != std::optional<double>(converted->raw))
        u.setFlag(index, UPara::WriteIndex, true);
    m_data.undoRedo.RecordEntry(comNo, before);
    u.setAt(index, UPara::Value, newText);
    out.stored = true;
    out.cellText = ValueConversion(m_data).ValueText(newText, index);
    return out;
}
