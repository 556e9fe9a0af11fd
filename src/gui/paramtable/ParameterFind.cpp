#include "ParameterFind.h"

#include "ParameterGridModel.h"
#include "TParameter.h"
#include "app/Session.h"
#include "base/Prompter.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

ParameterFind::ParameterFind(TParameter &table, Session &session, Prompter &prompter)
    : QObject(&table)
    , m_table(table)
    , m_session(session)
    , m_prompter(prompter)
{
    createDialog();
}

void ParameterFind::createDialog()
{
    m_dialog = new QDialog(&m_table);
    m_dialog->setObjectName(QStringLiteral("FindDialog1"));
    m_dialog->setWindowTitle(tr("Find"));
    m_text = new QLineEdit(m_dialog);
    m_text->setObjectName(QStringLiteral("FindText"));
    m_matchCase = new QCheckBox(tr("Match &case"), m_dialog);
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));
    m_wholeWord = new QCheckBox(tr("Match &whole word only"), m_dialog);
    m_wholeWord->setObjectName(QStringLiteral("WholeWord"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_dialog);
    QPushButton *next = buttons->addButton(tr("&Find Next"), QDialogButtonBox::ActionRole);
    next->setObjectName(QStringLiteral("FindNext"));
    next->setDefault(true);
    auto *form = new QFormLayout;
    form->addRow(tr("Find what:"), m_text);
    auto *layout = new QVBoxLayout(m_dialog);
    layout->addLayout(form);
    layout->addWidget(m_matchCase);
    layout->addWidget(m_wholeWord);
    layout->addWidget(buttons);
    connect(next, &QPushButton::clicked, this, &ParameterFind::findNext);
    connect(buttons, &QDialogButtonBox::rejected, m_dialog, &QDialog::reject);
    connect(m_dialog, &QDialog::finished, this, &ParameterFind::closed);
}

void ParameterFind::open()
{
    m_list.setLines(m_table.DummyList);
    const QModelIndexList selected = m_table.StringGrid1()->selectionModel()->selectedIndexes();
    if (!selected.isEmpty()) {
        QModelIndex topLeft = selected.first();
        for (const QModelIndex &i : selected) {
            if (i.row() < topLeft.row() || (i.row() == topLeft.row() && i.column() < topLeft.column()))
                topLeft = i;
        }
        const QString text = m_table.model().cell(topLeft.row() + 1, topLeft.column()).trimmed();
        if (!text.isEmpty())
            m_text->setText(text);
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void ParameterFind::findNext()
{
    // The list follows the display; the search position stays where the last match left it.
    if (m_list.lines() != m_table.DummyList)
        m_list.setLines(m_table.DummyList, true);
    const int line = m_list.findNext(m_text->text(), m_matchCase->isChecked(), m_wholeWord->isChecked());
    if (line < 0) {
        m_prompter.message(m_session.messages.text(45), m_session.messages.caption(), Prompter::Icon::Stop,
                           Prompter::Buttons::Ok);
        m_prompter.pump();
        return;
    }
    const int row = line + 1;
    QTableView *grid = m_table.StringGrid1();
    m_table.CurrentRow = row;
    const QModelIndex at = m_table.model().index(row - 1, 3);
    grid->setCurrentIndex(at);
    grid->selectionModel()->select(at, QItemSelectionModel::ClearAndSelect);
    grid->scrollTo(at, QAbstractItemView::PositionAtTop);
}

void ParameterFind::closed()
{
    m_table.StringGrid1()->setFocus();
}
