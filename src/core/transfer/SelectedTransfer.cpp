#include "SelectedTransfer.h"

#include "TransferRows.h"
#include "app/MessageTable.h"
#include "base/Prompter.h"
#include "model/DriveData.h"
#include "model/EditBuffer.h"
#include "model/NumberText.h"
#include "model/ParameterValues.h"
#include "model/ValueConversion.h"

#include <cmath>

namespace {
constexpr double WordLimit = 9.0e15;  // far beyond any 32-bit drive value, safe to round
}

SelectedTransfer::SelectedTransfer(DriveData &data, CommExchange &exchange, const MessageTable &messages,
                                   Prompter &prompter)
    : m_data(data)
    , m_exchange(exchange)
    , m_messages(messages)
    , m_prompter(prompter)
{
}

void SelectedTransfer::show(int message, bool stop) const
{
    m_prompter.message(m_messages.text(message), m_messages.caption(),
                       stop ? Prompter::Icon::Stop : Prompter::Icon::Warning, Prompter::Buttons::Ok);
    m_prompter.pump();
}

bool SelectedTransfer::mayWrite(const QList<int> &rows)
{
    QList<int> written;
    for (const int index : rows) {
        if (!TransferRows::isFixed(m_data, index))
            written.append(index);
    }
    return !beforeWriting || beforeWriting(written);
}

bool SelectedTransfer::connected()
{
    if (connectionCheck && connectionCheck())
        return true;
    show(3, false);
    return false;
}

int SelectedTransfer::markChanged(int index, const QString &value)
{
    ParameterValues values(m_data, m_messages, m_prompter);
    return values.MarkChanged(m_data.paraDat.at(index, ParaDat::ComNo), NumberText::parse(value).value_or(0));
}

SelectedTransfer::Row SelectedTransfer::importRow(int index)
{
    Row row;
    UPara &u = m_data.uPara;
    if (const std::optional<quint32> word = TransferRows::read(m_exchange, index)) {
        row.exchanged = true;
        row.value = ValueConversion(m_data).RawToValueText(*word, index);
        u.setAt(index, UPara::CommErrIndex, QStringLiteral("0"));
        u.setAt(index, UPara::WriteIndex, QStringLiteral("0"));
        TransferRows::setFlag(m_data, index, "0");
    } else {
        // Nothing arrived: the row keeps its value, and whether it still has to be written
        // is as unknown as before.
        row.value = u.at(index, UPara::Value);
        u.setAt(index, UPara::CommErrIndex, QStringLiteral("1"));
    }
    row.changed = markChanged(index, row.value);
    u.setAt(index, UPara::Value, row.value);
    return row;
}

SelectedTransfer::Row SelectedTransfer::write(int index, const QString &raw)
{
    Row row;
    UPara &u = m_data.uPara;
    if (const std::optional<quint32> echo = TransferRows::write(m_exchange, index, raw, eeprom ? 'W' : 'P')) {
        // The table takes the value the drive answered with, which is what it holds now.
        row.exchanged = true;
        row.value = ValueConversion(m_data).RawToValueText(*echo, index);
        u.setAt(index, UPara::WriteIndex, QStringLiteral("0"));
        u.setAt(index, UPara::CommErrIndex, QStringLiteral("0"));
        TransferRows::setFlag(m_data, index, "0");
    } else {
        row.value = u.at(index, UPara::Value);
        u.setAt(index, UPara::WriteIndex, QStringLiteral("1"));
        u.setAt(index, UPara::CommErrIndex, QStringLiteral("1"));
    }
    row.changed = markChanged(index, row.value);
    return row;
}

SelectedTransfer::Exported SelectedTransfer::exportShown(int index, const QString &shownText)
{
    Exported out;
    if (TransferRows::isFixed(m_data, index)) {
        show(46, true);
        out.outcome = Outcome::Fixed;
        return out;
    }
    // The shown text is taken as if typed, without the limits: message 40 or 42 skips the row.
    EditBuffer entry(m_data, m_messages, m_prompter);
    const std::optional<double> raw = entry.EntryRaw(index, shownText.trimmed());
    if (!raw || std::fabs(*raw) > WordLimit) {
        if (raw)
            show(42, false);
        out.outcome = Outcome::Refused;
        return out;
    }
    // The cell shows raw / Mul with the decimals Mul allows, so rounding gives the raw value back.
    out.row = write(index, QString::number(std::llround(*raw)));
    m_data.uPara.setAt(index, UPara::Value, out.row.value);
    return out;
}

SelectedTransfer::Typed SelectedTransfer::exportTyped(int index, EditBuffer &edit)
{
    Typed out;
    std::optional<double> raw = edit.EntryRaw(index, edit.buffer());
    if (!raw) {
        out.outcome = TypedOutcome::Refused;
        return out;
    }
    ParameterValues values(m_data, m_messages, m_prompter);
    m_data.limitClamped = false;
    values.ClampToLimits(NumberText::format(*raw), index);
    if (m_data.limitClamped) {
        show(41, false);
        out.outcome = TypedOutcome::Clamped;
        return out;
    }
    if (!connected()) {
        out.outcome = TypedOutcome::NotConnected;
        return out;
    }
    if (TransferRows::isFixed(m_data, index)) {
        show(46, true);
        m_data.uPara.setFlag(index, UPara::OneSelectIndex, false);
        out.outcome = TypedOutcome::Fixed;
        return out;
    }
    if (!mayWrite({index})) {
        out.outcome = TypedOutcome::Stopped;
        return out;
    }
    const QString before = m_data.uPara.at(index, UPara::Value);
    out.row = write(index, NumberText::format(*raw));
    m_data.undoRedo.RecordEntry(m_data.paraDat.at(index, ParaDat::ComNo), before);
    m_data.uPara.setAt(index, UPara::Value, out.row.value);
    edit.finish();
    return out;
}
