#pragma once

#include "model/FindList.h"

#include <QObject>

class Prompter;
class QCheckBox;
class QDialog;
class QLineEdit;
class Session;
class TParameter;

// "Find" of the parameter table: a modeless dialog whose searches run forward only over the
// table's find list ("ComNo,FName" per grid row); a match becomes the current row, its value
// cell selected and the row scrolled to the top.
class ParameterFind : public QObject
{
    Q_OBJECT

public:
    ParameterFind(TParameter &table, Session &session, Prompter &prompter);

    /// Starts from the first line again, proposes the text of the top-left selected cell and
    /// shows the dialog.
    void open();
    /// One search request of the dialog.
    void findNext();

    QDialog *FindDialog1() const { return m_dialog; }
    QLineEdit *searchText() const { return m_text; }
    QCheckBox *matchCase() const { return m_matchCase; }
    QCheckBox *wholeWord() const { return m_wholeWord; }

private:
    void createDialog();
    void closed();

    TParameter &m_table;
    Session &m_session;
    Prompter &m_prompter;
    FindList m_list;
    QDialog *m_dialog = nullptr;
    QLineEdit *m_text = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWord = nullptr;
};
