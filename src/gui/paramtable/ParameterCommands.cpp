#include "ParameterCommands.h"

#include "ParameterCopy.h"
#include "ParameterEditor.h"
#include "ParameterFind.h"
#include "ParameterGridModel.h"
#include "SelectedTransferCommands.h"
#include "TParameter.h"
#include "app/ParameterHelp.h"
#include "app/Session.h"
#include "main/HelpViewer.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTableView>

ParameterCommands::ParameterCommands(TParameter &table, Session &session, Prompter &prompter)
    : QObject(&table)
    , m_table(table)
    , m_session(session)
    , m_editor(new ParameterEditor(table, session, prompter))
    , m_find(new ParameterFind(table, session, prompter))
    , m_selected(new SelectedTransferCommands(table, session, prompter, *m_editor))
{
    connectItems();
    m_table.setCommandEnabled(QStringLiteral("PopFind"), true);
}

void ParameterCommands::connectItems()
{
    const std::pair<const char *, void (ParameterCommands::*)()> handlers[] = {
        {"PopUndo", &ParameterCommands::PopUndoClick},  {"PopRedo", &ParameterCommands::PopRedoClick},
        {"PopCopy", &ParameterCommands::PopCopyClick},  {"PopFind", &ParameterCommands::PopFindClick},
        {"PopParaHelp", &ParameterCommands::PopParaHelpClick},
    };
    for (const auto &[name, handler] : handlers)
        connect(m_table.item(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    // Hidden pop-up items take no shortcut; the table window keeps their keys all the same.
    addKey(QStringLiteral("PopUndo"), QKeySequence(QStringLiteral("Ctrl+Z")), &ParameterCommands::PopUndoClick);
    addKey(QStringLiteral("PopRedo"), QKeySequence(QStringLiteral("Ctrl+Alt+Z")), &ParameterCommands::PopRedoClick);
    addKey(QStringLiteral("PopFind"), QKeySequence(QStringLiteral("Ctrl+F")), &ParameterCommands::PopFindClick);
    connect(m_table.StringGrid1(), &QAbstractItemView::doubleClicked, this, &ParameterCommands::PopParaHelpClick);
    connect(&m_table, &TParameter::activated, m_editor, &ParameterEditor::readUndoDepth);
}

void ParameterCommands::addKey(const QString &item, const QKeySequence &key, void (ParameterCommands::*handler)())
{
    m_table.item(item)->setShortcut(QKeySequence());
    auto *shortcut = new QAction(&m_table);
    shortcut->setObjectName(item + QStringLiteral("Key"));
    shortcut->setShortcut(key);
    shortcut->setShortcutContext(Qt::WindowShortcut);
    m_table.addAction(shortcut);
    connect(shortcut, &QAction::triggered, this, handler);
}

void ParameterCommands::viewReset()
{
    m_editor->cancel();
    m_session.data.undoRedo.clear();
    m_editor->readUndoDepth();
    const bool winHelp = m_session.options.on(Opt::WinHelpSlct);
    m_helpFile = ParameterHelp::existingFile(m_session.folders, m_session.selection.typeName,
                                             m_session.selection.languagePrefix, winHelp);
    m_table.setCommandEnabled(QStringLiteral("PopParaHelp"), !m_helpFile.isEmpty());
}

void ParameterCommands::focusGrid()
{
    if (m_table.isVisible())
        m_table.StringGrid1()->setFocus();
}

void ParameterCommands::PopUndoClick()
{
    m_editor->undo();
    focusGrid();
}

void ParameterCommands::PopRedoClick()
{
    m_editor->redo();
    focusGrid();
}

void ParameterCommands::PopCopyClick()
{
    const QString text = ParameterCopy::text(m_table.model(), m_table.StringGrid1()->selectionModel()->selection());
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void ParameterCommands::PopFindClick()
{
    if (m_table.commandEnabled(QStringLiteral("PopFind")))
        m_find->open();
}

void ParameterCommands::PopParaHelpClick()
{
    // The desktop's viewer opens the file itself; it takes no topic from the command line.
    if (!m_helpFile.isEmpty() && m_table.commandEnabled(QStringLiteral("PopParaHelp")))
        HelpViewer::open(m_helpFile);
}
