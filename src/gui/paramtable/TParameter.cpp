#include "TParameter.h"

#include "GridMarks.h"
#include "ParameterDisplaySwitches.h"
#include "ParameterCellDelegate.h"
#include "ParameterGridModel.h"
#include "ParameterPopupItems.h"
#include "ParameterCommands.h"
#include "app/Session.h"
#include "main/CommandAvailability.h"
#include "base/IniFile.h"
#include "base/Prompter.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr float ColumnRatios[ParameterGridModel::Columns] = {0.0889f, 0.0973f, 0.354f, 0.0889f,
                                                              0.0889f, 0.0889f, 0.0889f, 0.095f};
constexpr int NameColumn = 2;
constexpr int RowHeight = 16;
constexpr int MinimumWidth = 639;
constexpr int MinimumHeight = 250;
constexpr const char *CommandEnabled = "commandEnabled";

QColor colourOf(int bgr)
{
    return QColor(BgrColor::red(bgr), BgrColor::green(bgr), BgrColor::blue(bgr));
}

}  // namespace

TParameter::TParameter(Session &session, Prompter &prompter, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                              | Qt::WindowCloseButtonHint)
    , m_session(session)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TParameter"));
    setMinimumSize(MinimumWidth, MinimumHeight);
    createGrid();
    createPopup();
    m_commands = new ParameterCommands(*this, m_session, m_prompter);
}

TParameter::~TParameter() = default;

void TParameter::createGrid()
{
    m_model = new ParameterGridModel(this);
    m_delegate = new ParameterCellDelegate(m_session.data, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(m_delegate);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->viewport()->installEventFilter(this);
    m_marks = std::make_unique<GridMarks>(m_session.data, m_session.messages, m_prompter, *m_model, *m_grid);
    connect(m_grid, &QTableView::pressed, this, &TParameter::onGridPressed);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        onGridPressed();
        m_popup->popup(m_grid->viewport()->mapToGlobal(at));
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
}

void TParameter::createPopup()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    for (const PopItem &def : PopItems) {
        QAction *a = m_popup->addAction(QString::fromUtf8(def.caption));
        if (qstrcmp(def.component, "-") == 0) {
            a->setSeparator(true);
        } else {
            a->setObjectName(QString::fromLatin1(def.component));
            m_items.insert(a->objectName(), a);
        }
        if (*def.shortcut) {
            a->setShortcut(QKeySequence(QString::fromLatin1(def.shortcut)));
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            addAction(a);
        }
        a->setVisible(def.visible);
        a->setCheckable(def.checkable);
    }
    item(QStringLiteral("PopUndo"))->setEnabled(false);
    item(QStringLiteral("PopDisp"))->setEnabled(false);
    for (QAction *a : std::as_const(m_items)) {
        if (!itemBuilt(a))
            a->setEnabled(false);
    }
    m_switches = std::make_unique<ParameterDisplaySwitches>(*this, m_session);
    for (auto &[name, handler] : ParameterDisplaySwitches::handlers()) {
        QAction *a = item(QString::fromLatin1(name));
        // The check mark is set by the handler, not by the click.
        connect(a, &QAction::triggered, this, [this, a, handler = handler] {
            if (a->isCheckable())
                a->setChecked(!a->isChecked());
            (m_switches.get()->*handler)();
        });
    }
    connect(item(QStringLiteral("PopClose")), &QAction::triggered, this, &TParameter::PopCloseClick);
    // Delete in the grid resets the marked rows to their factory values.
    auto *shipment = new QAction(this);
    shipment->setShortcut(QKeySequence(Qt::Key_Delete));
    shipment->setShortcutContext(Qt::WidgetShortcut);
    m_grid->addAction(shipment);
    connect(shipment, &QAction::triggered, this, [this] { m_switches->PopDefClick(); });
}

void TParameter::loadPopupCaptions()
{
    for (const PopItem &def : PopItems) {
        if (qstrcmp(def.component, "-") == 0)
            continue;
        item(QString::fromLatin1(def.component))
            ->setText(m_session.language.text(QString::fromLatin1(def.section), QString::fromLatin1(def.key),
                                              QString::fromUtf8(def.caption)));
    }
}

void TParameter::readColours()
{
    const Options &o = m_session.options;
    ParameterCellDelegate::Colours &c = m_delegate->colours;
    c.otherCell = colourOf(o.value(Opt::PNCellC));
    c.settingCell = colourOf(o.value(Opt::PSCellC));
    c.selectedText = colourOf(o.value(Opt::PSlctTextC));
    c.settingText = colourOf(o.value(Opt::PSTextC));
    c.otherText = colourOf(o.value(Opt::PNTextC));
    c.cvCellOn = o.on(Opt::CheckBox2);
    c.cvCell = colourOf(o.value(Opt::PCVCellC));
}

void TParameter::placeUnder(const QRect &mainFrame)
{
    // move() places the frame, title bar included, right under the main window's frame.
    move(mainFrame.left(), mainFrame.top() + mainFrame.height());
    resize(qMax(MinimumWidth, mainFrame.width()), qMax(MinimumHeight, 480 - mainFrame.height()));
    m_placedAt = QRect(pos(), size());
}

bool TParameter::whereItWasPlaced() const
{
    return QRect(pos(), size()) == m_placedAt;
}

void TParameter::FormCreate(const QRect &mainFrame, bool keepMarks)
{
    placeUnder(mainFrame);
    loadPopupCaptions();
    driveChanged(keepMarks);
    CurrentRow = 1;
    setAcceptDrops(true);
}

void TParameter::driveChanged(bool keepMarks)
{
    readColours();
    const IniFile info(m_session.folders.infoFile, CodePages::forPrefix(m_session.selection.languagePrefix));
    QuickCount = qMax(0, info.readInt(QStringLiteral("Setup"), QStringLiteral("Quick"), 0));
    item(QStringLiteral("PopQuick"))->setVisible(QuickCount > 0);
    ResetView(keepMarks);
}

void TParameter::setItem(const char *component, int enabled, int check)
{
    QAction *a = item(QString::fromLatin1(component));
    if (enabled >= 0) {
        a->setEnabled(enabled == 1 && itemBuilt(a));
        // A hidden action always reports itself disabled; the command's own state is kept here.
        a->setProperty(CommandEnabled, enabled == 1 && itemBuilt(a));
    }
    if (check >= 0)
        a->setChecked(check == 1);
    emit itemStateChanged(a->objectName(), enabled, check);
}

bool TParameter::itemBuilt(const QAction *item)
{
    // Every pop-up item but Close stands for the main menu item of its name with a "2".
    return item->objectName() == QLatin1String("PopClose")
           || CommandAvailability::built(item->objectName() + QLatin1Char('2'));
}

void TParameter::setCommandEnabled(const QString &component, bool enabled)
{
    setItem(component.toLatin1().constData(), enabled ? 1 : 0);
}

bool TParameter::commandEnabled(const QString &component) const
{
    const QAction *a = item(component);
    const QVariant kept = a ? a->property(CommandEnabled) : QVariant();
    return kept.isValid() ? kept.toBool() : (a && a->isEnabled());
}

bool TParameter::checked(const char *component) const
{
    return item(QString::fromLatin1(component))->isChecked();
}

bool TParameter::filterOn() const
{
    return checked("PopChgDisp") || checked("PopBlind") || checked("PopQuick");
}

void TParameter::warn(int message)
{
    m_prompter.message(m_session.messages.text(message), m_session.messages.caption(), Prompter::Icon::Warning,
                       Prompter::Buttons::Ok);
    m_prompter.pump();
}

void TParameter::ResetView(bool keepMarks)
{
    setItem("PopChgDisp", 1, 0);
    setItem("PopBlind", 1, m_session.blindMode ? 1 : 0);
    setItem("PopDisp", m_session.blindMode ? 1 : 0);
    setItem("PopQuick", 1, 0);
    m_session.data.cvDisplay = false;
    setItem("PopCVDisp", m_session.data.listBuff.isEmpty() ? 0 : 1, 0);
    setItem("PopHexDisp", 1);
    setItem("PopDecDisp", 1);
    setItem("PopUndo", 0);
    setItem("PopRedo", 0);
    clearMarks(keepMarks || m_session.blindMode);
    refreshRatingBases();
    FillGrid();
    const DriveSelection &sel = m_session.selection;
    setWindowTitle(m_session.messages.text(20) + QLatin1Char(' ') + sel.typeName + sel.formName
                   + QStringLiteral(" (CPU Ver.") + sel.cpuVersion + QLatin1Char(')'));
    BuildFindList();
    m_commands->viewReset();
}

void TParameter::refreshRatingBases()
{
    DriveData &d = m_session.data;
    const double voltage = d.voltageBase, current = d.currentBase;
    RatingBases(d, m_session.selection.formName, m_ratingSource ? m_ratingSource() : DriveReader{});
    if (d.cvDisplay && (voltage != d.voltageBase || current != d.currentBase))
        FillGrid();
}

void TParameter::clearMarks(bool keepMarks)
{
    DriveData &d = m_session.data;
    const int last = qMin(d.lastShownIndex, d.lastIndex);
    for (int i = 0; i <= last; ++i) {
        d.uPara.setFlag(i, UPara::ChangeIndex, false);
        d.uPara.setFlag(i, UPara::WriteIndex, false);
        if (keepMarks)
            continue;
        for (UPara::Column c : {UPara::HexIndex, UPara::BlindIndex, UPara::SelectIndex})
            d.uPara.setFlag(i, c, false);
    }
}

void TParameter::FillGrid()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ParameterGridFiller filler(m_session.data, m_session.messages, m_prompter);
    ParameterGridFiller::Switches s;
    s.changedOnly = checked("PopChgDisp");
    s.blind = checked("PopBlind");
    s.quick = checked("PopQuick");
    s.changedCount = ChangedCount;
    s.blindCount = m_session.blindCount;
    s.quickCount = QuickCount;
    m_delegate->filterOn = filterOn();
    m_model->setRows(filler.rows(s), ParameterGridFiller::titles(m_session.messages));
    filler.refreshLimits(*m_model);
    QGuiApplication::restoreOverrideCursor();
}

void TParameter::RefreshLimitCells()
{
    ParameterGridFiller(m_session.data, m_session.messages, m_prompter).refreshLimits(*m_model);
}

void TParameter::BuildFindList()
{
    DummyList.clear();
    const int last = qMin(m_model->gridRowCount() - 1, m_session.data.lastShownIndex + 1);
    for (int r = 1; r <= last; ++r)
        DummyList << m_model->cell(r, 1) + QLatin1Char(',') + m_model->cell(r, 2);
}

int TParameter::GridRowOfIndex(int index)
{
    const DriveData &d = m_session.data;
    for (int r = m_searchCursor + 1; r < m_model->gridRowCount(); ++r) {
        if (d.IndexOfComNo(m_model->cell(r, 1)) == index) {
            m_searchCursor = r;
            return r - 1;
        }
    }
    return index;
}

void TParameter::applyColumnRatios(int clientWidth)
{
    // Every title fits its column; the name column, by far the widest, gives up what the
    // others need beyond their share.
    const QHeaderView *header = m_grid->horizontalHeader();
    int widths[ParameterGridModel::Columns];
    int needed = 0;
    for (int c = 0; c < ParameterGridModel::Columns; ++c) {
        widths[c] = int(float(clientWidth) * ColumnRatios[c]);
        const int title = header->sectionSizeHint(c);
        if (c != NameColumn && widths[c] < title) {
            needed += title - widths[c];
            widths[c] = title;
        }
    }
    widths[NameColumn] = qMax(widths[NameColumn] - needed, header->sectionSizeHint(NameColumn));
    for (int c = 0; c < ParameterGridModel::Columns; ++c)
        m_grid->setColumnWidth(c, widths[c]);
}

bool TParameter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        applyColumnRatios(m_grid->viewport()->width());
    return QWidget::eventFilter(watched, event);
}

void TParameter::onGridPressed()
{
    const QModelIndexList selected = m_grid->selectionModel()->selectedIndexes();
    int top = m_grid->currentIndex().isValid() ? m_grid->currentIndex().row() : 0;
    for (const QModelIndex &i : selected)
        top = qMin(top, i.row());
    CurrentRow = top + 1;
}

void TParameter::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    emit shown();
}

void TParameter::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}

void TParameter::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        refreshRatingBases();
        emit activated();
    }
}

void TParameter::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TParameter::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        paths << url.toLocalFile();
    event->acceptProposedAction();
    dropFiles(paths);
}

void TParameter::dropFiles(const QStringList &paths)
{
    if (paths.size() != 1) {
        warn(79);
        return;
    }
    const QString &path = paths.first();
    const QString ext = path.right(4).toUpper();
    if (ext != QLatin1String(".VKR") && ext != QLatin1String(".DAT")) {
        warn(67);
        return;
    }
    emit fileDropped(path);
}

void TParameter::MarkSelection()
{
    m_marks->MarkSelection(CurrentRow, filterOn());
}

void TParameter::forEachMarked(const std::function<bool(int, int)> &step)
{
    m_marks->walk(CurrentRow, filterOn(), step);
}

void TParameter::PopCloseClick()
{
    close();
}
