#include "SelectedTransferCommands.h"

#include "ParameterEditor.h"
#include "ParameterGridModel.h"
#include "TParameter.h"
#include "app/Session.h"
#include "model/ValueConversion.h"
#include "transfer/ExportSnapshot.h"
#include "transfer/SelectedTransfer.h"
#include "transfer/TransferOptions.h"

#include <QAction>

namespace {
const QString SixBlanks = QStringLiteral("      ");
constexpr int ComNoColumn = 1;
constexpr int ValueColumn = 3;
constexpr int MarkColumn = 7;
}  // namespace

SelectedTransferCommands::SelectedTransferCommands(TParameter &table, Session &session, Prompter &prompter,
                                                   ParameterEditor &editor)
    : QObject(&table)
    , m_table(table)
    , m_session(session)
    , m_prompter(prompter)
    , m_editor(editor)
{
    const std::pair<const char *, void (SelectedTransferCommands::*)()> items[] = {
        {"PopDownLoad", &SelectedTransferCommands::PopDownLoadClick},
        {"PopUpLoad", &SelectedTransferCommands::PopUpLoadClick},
    };
    for (const auto &[name, handler] : items) {
        QAction *item = table.item(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, handler);
        // A hidden pop-up item takes no shortcut: the window keeps its key instead.
        auto *key = new QAction(&table);
        key->setObjectName(item->objectName() + QStringLiteral("Key"));
        key->setShortcut(item->shortcut());
        key->setShortcutContext(Qt::WindowShortcut);
        item->setShortcut(QKeySequence());
        table.addAction(key);
        connect(key, &QAction::triggered, this, handler);
    }
    // Enabled by the connection check once the line exists.
    table.setCommandEnabled(QStringLiteral("PopDownLoad"), false);
    table.setCommandEnabled(QStringLiteral("PopUpLoad"), false);
}

void SelectedTransferCommands::setLine(CommExchange *exchange, std::function<bool()> connectionCheck)
{
    m_exchange = exchange;
    m_connectionCheck = std::move(connectionCheck);
}

SelectedTransfer SelectedTransferCommands::transfer() const
{
    SelectedTransfer t(m_session.data, *m_exchange, m_session.messages, m_prompter);
    t.connectionCheck = m_connectionCheck;
    t.eeprom = m_session.options.on(Opt::EEPWriteEnable);
    t.beforeWriting = [this](const QList<int> &rows) {
        return ExportSnapshot::forSession(m_session, *m_exchange, m_prompter).guard(rows);
    };
    return t;
}

void SelectedTransferCommands::showRow(int gridRow, int index, const QString &value, int changed)
{
    ParameterGridModel &model = m_table.model();
    QString text = ValueConversion(m_session.data).ValueText(value, index);
    // A hexadecimal cell keeps the prefix letter it was given.
    if (model.cell(gridRow, ValueColumn).trimmed().startsWith(u'H') && text.startsWith(u'h'))
        text[0] = u'H';
    model.setCell(gridRow, ValueColumn, text);
    model.setCell(gridRow, MarkColumn, changed == 1 ? m_session.messages.text(30) : SixBlanks);
}

void SelectedTransferCommands::PopDownLoadClick()
{
    if (m_table.commandEnabled(QStringLiteral("PopDownLoad")))
        ImportMarked();
}

void SelectedTransferCommands::PopUpLoadClick()
{
    if (!m_table.commandEnabled(QStringLiteral("PopUpLoad")))
        return;
    if (m_editor.buffer().typedCount() > 0)
        ExportTyped();
    else
        ExportMarked();
}

void SelectedTransferCommands::ImportMarked()
{
    if (!m_exchange || m_session.monitoringRunning)
        return;
    SelectedTransfer t = transfer();
    if (!t.connected())
        return;
    // The rows about to be filled from the drive: an edit in progress is dropped first.
    m_editor.cancel();
    m_table.forEachMarked([&](int gridRow, int index) {
        const SelectedTransfer::Row row = t.importRow(index);
        showRow(gridRow, index, row.value, row.changed);
        return true;
    });
    m_table.RefreshLimitCells();
}

void SelectedTransferCommands::ExportTyped()
{
    const int gridRow = m_editor.editRow();
    if (!m_exchange || m_session.monitoringRunning || gridRow < 0)
        return;
    const int index = m_session.data.IndexOfComNo(m_table.model().cell(gridRow, ComNoColumn));
    if (index < 0) {
        m_editor.cancel();
        return;
    }
    SelectedTransfer t = transfer();
    const SelectedTransfer::Typed typed = t.exportTyped(index, m_editor.buffer());
    if (typed.outcome == SelectedTransfer::TypedOutcome::Refused) {
        m_editor.cancel();
        return;
    }
    if (typed.outcome != SelectedTransfer::TypedOutcome::Written)
        return;
    m_editor.ended();
    showRow(gridRow, index, typed.row.value, typed.row.changed);
    m_table.RefreshLimitCells();
    m_editor.updateUndoItems();
}

void SelectedTransferCommands::ExportMarked()
{
    if (!m_exchange)
        return;
    SelectedTransfer t = transfer();
    if (!t.connected())
        return;
    QList<int> marked;
    m_table.forEachMarked([&](int, int index) {
        marked.append(index);
        return true;
    });
    if (!t.mayWrite(marked))
        return;
    m_table.forEachMarked([&](int gridRow, int index) {
        const SelectedTransfer::Exported exported = t.exportShown(index, m_table.model().cell(gridRow, ValueColumn));
        if (exported.outcome == SelectedTransfer::Outcome::Refused && m_editor.editRow() == gridRow)
            m_editor.cancel();
        if (exported.outcome == SelectedTransfer::Outcome::Written)
            showRow(gridRow, index, exported.row.value, exported.row.changed);
        return true;
    });
    m_table.RefreshLimitCells();
}
