#pragma once

#include <QObject>
#include <QString>

class ParameterEditor;
class ParameterFind;
class Prompter;
class SelectedTransferCommands;
class Session;
class TParameter;

// The parameter table's editing commands: typing and Enter, Undo and Redo, Copy, Find and
// the parameter help. Connects the table's pop-up items and keys to them and keeps their
// enabled state.
class ParameterCommands : public QObject
{
    Q_OBJECT

public:
    ParameterCommands(TParameter &table, Session &session, Prompter &prompter);

    ParameterEditor &editor() const { return *m_editor; }
    ParameterFind &find() const { return *m_find; }
    /// Selected import and export of the marked rows.
    SelectedTransferCommands &selected() const { return *m_selected; }

    /// The table view was reset: undo lists emptied with the depth read again, the edit
    /// ended, the help item enabled when the model has its help file.
    void viewReset();
    /// The help file for this drive and language, empty when there is none.
    const QString &helpFile() const { return m_helpFile; }

    void PopUndoClick();
    void PopRedoClick();
    void PopCopyClick();
    void PopFindClick();
    void PopParaHelpClick();

private:
    void connectItems();
    void addKey(const QString &item, const QKeySequence &key, void (ParameterCommands::*handler)());
    void focusGrid();

    TParameter &m_table;
    Session &m_session;
    ParameterEditor *m_editor;
    ParameterFind *m_find;
    SelectedTransferCommands *m_selected;
    QString m_helpFile;
};
