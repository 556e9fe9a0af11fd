#include "TParameters.h"

#include "TextTableModel.h"
#include "app/Session.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>

TParameters::TParameters(Session &session, Prompter &prompter, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , m_session(session)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TParameters"));
    setWindowTitle(QStringLiteral("Parameters"));
    if (mainWindow)
        move(mainWindow->geometry().bottomLeft() + QPoint(0, 1));
    m_paraDatModel = new TextTableModel(session.data.paraDat, this);
    m_uParaModel = new TextTableModel(session.data.uPara, this);
    m_paraDat = createGrid(m_paraDatModel, QStringLiteral("ParaDat"));
    m_uPara = createGrid(m_uParaModel, QStringLiteral("UPara"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_paraDat, 19);
    layout->addWidget(m_uPara, 11);
    resize(900, 400);
}

QTableView *TParameters::createGrid(TextTableModel *model, const QString &name)
{
    auto *grid = new QTableView(this);
    grid->setObjectName(name);
    grid->setModel(model);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(16);
    grid->horizontalHeader()->hide();
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(grid, &QTableView::pressed, this, [this](const QModelIndex &at) { selectRow(at.row()); });
    return grid;
}

bool TParameters::FormCreate()
{
    return m_session.loadLanguage(m_prompter);
}

bool TParameters::hasCurrentVoltageList() const
{
    return !m_session.data.listBuff.isEmpty();
}

void TParameters::showBuffer()
{
    m_paraDatModel->refresh();
    m_uParaModel->refresh();
    show();
    shareWidths();
}

void TParameters::selectRow(int row)
{
    for (QTableView *grid : {m_paraDat, m_uPara}) {
        const QModelIndex at = grid->model()->index(row, 0);
        if (!at.isValid())
            continue;
        grid->selectRow(row);
        grid->scrollTo(at, QAbstractItemView::PositionAtTop);
    }
}

void TParameters::shareWidths()
{
    for (QTableView *grid : {m_paraDat, m_uPara}) {
        const int columns = grid->model()->columnCount();
        for (int c = 0; c < columns; ++c)
            grid->setColumnWidth(c, grid->viewport()->width() / columns);
    }
}

void TParameters::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    shareWidths();
}

void TParameters::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}
