#include "GridMarks.h"

#include "ParameterGridModel.h"
#include "app/MessageTable.h"
#include "base/Prompter.h"
#include "model/DriveData.h"
#include "model/NumberText.h"
#include "model/ParameterValues.h"
#include "model/ValueConversion.h"

#include <QItemSelectionModel>
#include <QTableView>

#include <cmath>

namespace {
const QString SixBlanks = QStringLiteral("      ");
constexpr double WordLimit = 9.0e15;  // far beyond any 32-bit drive value, safe to round
}  // namespace

GridMarks::GridMarks(DriveData &data, const MessageTable &messages, Prompter &prompter, ParameterGridModel &model,
                     QTableView &grid)
    : m_data(data)
    , m_messages(messages)
    , m_prompter(prompter)
    , m_model(model)
    , m_grid(grid)
{
}

QList<int> GridMarks::selectedGridRows() const
{
    QList<int> rows;
    const QItemSelection selection = m_grid.selectionModel()->selection();
    for (const QItemSelectionRange &range : selection) {
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows << r + 1;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void GridMarks::MarkSelection(int currentRow, bool filtered)
{
    for (int r : selectedGridRows()) {
        const int index = m_model.parameterOf(r);
        if (!m_data.isIndex(index) || (filtered && m_data.uPara.flag(index, UPara::BlindIndex)))
            continue;
        m_data.uPara.setFlag(index, UPara::OneSelectIndex, true);
    }
    const int current = m_model.parameterOf(currentRow);
    if (m_data.isIndex(current))
        m_data.uPara.setFlag(current, UPara::OneSelectIndex, true);
}

void GridMarks::toggleSelect()
{
    const QItemSelection selection = m_grid.selectionModel()->selection();
    bool touchesValue = false;
    for (const QItemSelectionRange &range : selection)
        touchesValue = touchesValue || (range.left() <= 3 && range.right() > 2);
    if (!touchesValue)
        return;
    for (int r : selectedGridRows()) {
        const int index = m_model.parameterOf(r);
        if (m_data.isIndex(index))
            m_data.uPara.setFlag(index, UPara::SelectIndex, !m_data.uPara.flag(index, UPara::SelectIndex));
    }
    m_model.redraw();
}

void GridMarks::walk(int currentRow, bool filtered, const std::function<bool(int, int)> &step)
{
    MarkSelection(currentRow, filtered);
    UPara &u = m_data.uPara;
    bool going = true;
    for (int r = 1; r < m_model.gridRowCount(); ++r) {
        const int index = m_model.parameterOf(r);
        if (!m_data.isIndex(index) || (!u.flag(index, UPara::SelectIndex) && !u.flag(index, UPara::OneSelectIndex)))
            continue;
        u.setFlag(index, UPara::OneSelectIndex, false);
        going = going && step(r, index);
    }
    const int current = m_model.parameterOf(currentRow);
    if (m_data.isIndex(current))
        u.setFlag(current, UPara::OneSelectIndex, false);
}

bool GridMarks::hex(int currentRow, bool filtered)
{
    bool stopped = false;
    const ValueConversion conv(m_data);
    walk(currentRow, filtered, [&](int r, int index) {
        if (m_data.uPara.flag(index, UPara::HexIndex))
            return true;
        QString text = m_model.cell(r, 3).trimmed();
        text.replace(QLatin1Char(','), QLatin1Char('.'));
        const std::optional<double> shown = NumberText::parse(text);
        const double raw = shown ? *shown * conv.mulOf(index) : 0;
        if (!shown || !std::isfinite(raw) || std::fabs(raw) > WordLimit) {
            m_prompter.message(m_messages.text(42), m_messages.caption(), Prompter::Icon::Warning,
                               Prompter::Buttons::Ok);
            m_prompter.pump();
            stopped = true;
            return false;
        }
        // The cell shows raw / Mul with the decimals Mul allows, so rounding gives the raw value back.
        m_model.setCell(r, 3, QLatin1Char('h') + ValueConversion::HexText(std::llround(raw)));
        m_data.uPara.setFlag(index, UPara::HexIndex, true);
        return true;
    });
    return !stopped;
}

void GridMarks::dec(int currentRow, bool filtered)
{
    const ValueConversion conv(m_data);
    walk(currentRow, filtered, [&](int r, int index) {
        if (!m_data.uPara.flag(index, UPara::HexIndex))
            return true;
        QString text = m_model.cell(r, 3).trimmed();
        if (text.isEmpty())
            text = QStringLiteral("0000");
        const std::optional<qint64> raw = conv.HexToValue(QStringView(text).mid(1), index);
        if (!raw)
            return true;
        m_model.setCell(r, 3, conv.FormatScaled(index, double(*raw) / conv.mulOf(index)));
        m_data.uPara.setFlag(index, UPara::HexIndex, false);
        return true;
    });
}

void GridMarks::shipment(int currentRow, bool filtered)
{
    ParameterValues values(m_data, m_messages, m_prompter);
    const ValueConversion conv(m_data);
    walk(currentRow, filtered, [&](int r, int index) {
        const ParaDat &p = m_data.paraDat;
        const QString &def = p.at(index, ParaDat::Default);
        const QString factoryText = p.at(index, ParaDat::DIndex) == QLatin1String("0") ? def : values.FactoryValueOf(def);
        const std::optional<double> factory = NumberText::parse(factoryText);
        if (!factory)
            return true;
        const QString whole = QString::number(NumberText::truncate(*factory));
        UPara &u = m_data.uPara;
        if (u.at(index, UPara::Value) != whole)
            u.setFlag(index, UPara::WriteIndex, true);
        u.setFlag(index, UPara::ChangeIndex, false);
        u.setAt(index, UPara::Value, whole);
        m_model.setCell(r, 7, SixBlanks);
        m_model.setCell(r, 3, conv.ValueText(whole, index));
        return true;
    });
}
