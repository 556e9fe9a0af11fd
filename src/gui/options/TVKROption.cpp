#include "TVKROption.h"

#include "app/Session.h"
#include "base/IniFile.h"
#include "base/Prompter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>

using namespace OptionDefs;

namespace {

constexpr int WindowWidth = 640;  // the window is centred on this width at the top of the screen
constexpr int StretchRow = 29;  // below every option; the "Master's" button sits under it

// The option that starts the second column of its page.
bool startsSecondColumn(Opt id)
{
    return id == Opt::MonInvDrive || id == Opt::ComSpMarg;
}
const char *const Section = "Options";

QColor colourOf(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int bgrOf(const QColor &c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

}  // namespace

TVKROption::TVKROption(Session &session, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_session(session), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TVKROption"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    chooseColor = [this](int current) {
        const QColor c = QColorDialog::getColor(colourOf(current), this);
        return c.isValid() ? bgrOf(c) : -1;
    };
    auto *outer = new QGridLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    for (Page p : {Page::StartupComm, Page::FileParameter, Page::KeyPadMonitor, Page::Master})
        m_pages->addTab(createPage(p), QString());
    m_masterPage = m_pages->widget(3);
    outer->addWidget(m_pages, 0, 0, 1, 4);
    createButtons(outer);
    applyTexts();
    FormCreate();
}

QString TVKROption::text(const char *key, const char *def) const
{
    return m_session.language.text(QLatin1String(Section), QLatin1String(key), QString::fromUtf8(def));
}

QWidget *TVKROption::createPage(Page page)
{
    auto *w = new QWidget(m_pages);
    auto *grid = new QGridLayout(w);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    int row = 0, column = 0;
    for (int i = 0; i < Count; ++i) {
        const Def &d = def(Opt(i));
        if (d.page != page)
            continue;
        if (startsSecondColumn(d.id)) {
            row = 0;
            column = 3;
        }
        addOption(grid, row, column, d);
    }
    grid->setRowStretch(StretchRow, 1);
    return w;
}

void TVKROption::addOption(QGridLayout *grid, int &row, int column, const Def &d)
{
    // The free-unit factor and the current/voltage colour sit beside the option they belong to.
    const bool beside = d.id == Opt::ValMulti || d.id == Opt::PCVCellC;
    if (beside)
        --row;
    QWidget *label = nullptr;
    if (d.kind == Kind::Bool) {
        auto *box = new QCheckBox(grid->parentWidget());
        box->setObjectName(QLatin1String(d.component));
        const bool partnerBeside = d.id == Opt::FreeUnitMon || d.id == Opt::CheckBox2;
        grid->addWidget(box, row, column, 1, partnerBeside ? 1 : 2);
        m_checks.insert(d.id, box);
        connect(box, &QCheckBox::clicked, this, [this, id = d.id](bool on) { checkClicked(id, on); });
        label = box;
    } else if (!beside) {
        auto *l = new QLabel(grid->parentWidget());
        l->setObjectName(QLatin1String(d.component) + QStringLiteral("Label"));
        grid->addWidget(l, row, column);
        m_labels.insert(d.id, l);
        label = l;
    }
    if (d.kind == Kind::Int)
        addField(grid, row, column + 1, d, label);
    else if (d.kind == Kind::Color)
        addSwatch(grid, row, column + 1, d, label);
    ++row;
    if (d.id == Opt::MonInvDrive) {
        m_runLabel = new QLabel(grid->parentWidget());
        m_runLabel->setObjectName(QStringLiteral("Label37"));
        m_stopLabel = new QLabel(grid->parentWidget());
        m_stopLabel->setObjectName(QStringLiteral("Label38"));
        auto *keys = new QHBoxLayout;
        keys->setContentsMargins(24, 0, 0, 0);
        keys->addWidget(m_runLabel);
        keys->addWidget(m_stopLabel);
        keys->addStretch();
        grid->addLayout(keys, row++, column, 1, 2);
    }
}

void TVKROption::addField(QGridLayout *grid, int row, int column, const Def &d, QWidget *label)
{
    auto *box = new QHBoxLayout;
    auto *edit = new QLineEdit(grid->parentWidget());
    edit->setObjectName(QLatin1String(d.component));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    edit->setAlignment(Qt::AlignRight);
    auto *upDown = new QSpinBox(grid->parentWidget());
    upDown->setObjectName(QLatin1String(d.component) + QStringLiteral("UpDown"));
    upDown->setRange(d.min, d.max);
    upDown->setSingleStep(d.step);
    upDown->setFixedWidth(20);
    upDown->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    if (auto *l = qobject_cast<QLabel *>(label))
        l->setBuddy(edit);
    box->addWidget(edit);
    box->addWidget(upDown);
    box->addStretch();
    grid->addLayout(box, row, column);
    m_fields.insert(d.id, edit);
    m_upDowns.insert(d.id, upDown);
    connect(upDown, &QSpinBox::valueChanged, this, [this, id = d.id](int v) {
        if (m_showing)
            return;
        m_session.options.set(id, v);
        m_fields.value(id)->setText(shownText(id, v));
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, id = d.id] { checkField(id); });
}

void TVKROption::addSwatch(QGridLayout *grid, int row, int column, const Def &d, QWidget *label)
{
    auto *b = new QPushButton(grid->parentWidget());
    b->setObjectName(QLatin1String(d.component));
    b->setFixedSize(48, 20);
    b->setAccessibleName(label ? QLatin1String(d.caption) : QStringLiteral("Current/Voltage cell colour"));
    grid->addWidget(b, row, column, Qt::AlignLeft);
    m_swatches.insert(d.id, b);
    connect(b, &QPushButton::clicked, this, [this, id = d.id] { pickColor(id); });
}

void TVKROption::createButtons(QGridLayout *outer)
{
    m_option2 = new QCheckBox(this);
    m_option2->setObjectName(QStringLiteral("Option2Chk"));
    m_option2->setEnabled(false);
    m_defBtn = new QPushButton(this);
    m_defBtn->setObjectName(QStringLiteral("DefBtn"));
    m_colorsBtn = new QPushButton(m_masterPage);
    m_colorsBtn->setObjectName(QStringLiteral("Button1"));
    static_cast<QGridLayout *>(m_masterPage->layout())->addWidget(m_colorsBtn, StretchRow + 1, 3, 1, 2,
                                                                   Qt::AlignRight);
    m_closeBtn = new QPushButton(this);
    m_closeBtn->setObjectName(QStringLiteral("OkBtn"));
    m_closeBtn->setDefault(true);
    outer->addWidget(m_option2, 1, 0);
    outer->setColumnStretch(1, 1);
    outer->addWidget(m_defBtn, 1, 2);
    outer->addWidget(m_closeBtn, 1, 3);
    connect(m_defBtn, &QPushButton::clicked, this, &TVKROption::DefBtnClick);
    connect(m_colorsBtn, &QPushButton::clicked, this, &TVKROption::Button1Click);
    connect(m_closeBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TVKROption::applyTexts()
{
    setWindowTitle(text("Form", "Environment Options"));
    const char *tabs[][2] = {{"Tab1", "Startup/Comm."}, {"Tab2", "File/Parameter"}, {"Tab3", "Key Pad/Monitor"},
                             {"Tab4", "Master's"}};
    for (int i = 0; i < 4; ++i)
        m_pages->setTabText(i, text(tabs[i][0], tabs[i][1]));
    for (int i = 0; i < Count; ++i) {
        const Def &d = def(Opt(i));
        if (QCheckBox *box = m_checks.value(d.id))
            box->setText(text(d.captionKey, d.caption));
        if (QLabel *l = m_labels.value(d.id))
            l->setText(text(d.captionKey, d.caption));
    }
    m_runLabel->setText(text("Label37", "RUN:[Shift]+[F9]"));
    m_stopLabel->setText(text("Label38", "STOP:[F9]"));
    m_option2->setText(text("Check47", "Option2 for QLX"));
    m_defBtn->setText(text("Button", "Restore to factory settings"));
    m_colorsBtn->setText(text("Button1", "Set default colors"));
    m_closeBtn->setText(QStringLiteral("OK"));
}

OptionInterlocks::Context TVKROption::context() const
{
    OptionInterlocks::Context c;
    c.option1 = m_option1;
    c.option2 = m_option2->isChecked();
    c.hasAlarmWord = m_session.data.IndexOfComNo(u"FC91") >= 0;
    c.hasTripWord = m_session.data.IndexOfComNo(u"FC90") >= 0;
    c.maintenanceActive = m_session.MainteFlag;
    return c;
}

void TVKROption::FormCreate()
{
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + qMax(0, (WindowWidth - sizeHint().width()) / 2), area.top());
    }
    m_session.options.load(m_session.settings());
    const IniFile info(m_session.folders.infoFile, CodePages::forPrefix(m_session.selection.languagePrefix));
    m_option1 = info.readInt(QStringLiteral("Setup"), QStringLiteral("Option1"), 0) != 0;
    m_option2->setChecked(info.readInt(QStringLiteral("Setup"), QStringLiteral("Option2"), 0) != 0);
    m_pages->setTabVisible(3, m_session.SMainteFlag);
    showValues();
}

bool TVKROption::masterPageVisible() const
{
    return m_pages->isTabVisible(3);
}

void TVKROption::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TVKROption::FormShow()
{
    m_validating = false;
    m_pages->setTabVisible(3, m_session.SMainteFlag);
    OptionInterlocks::keepComparisonOutput(m_session.options, Opt::CompResult);
    showValues();
}

void TVKROption::showValues()
{
    m_showing = true;
    const Options &o = m_session.options;
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
        it.value()->setChecked(o.on(it.key()));
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        it.value()->setText(shownText(it.key(), o.value(it.key())));
        m_upDowns.value(it.key())->setValue(o.value(it.key()));
    }
    for (auto it = m_swatches.cbegin(); it != m_swatches.cend(); ++it)
        paintSwatch(it.key());
    m_showing = false;
    applyInterlocks();
}

void TVKROption::applyInterlocks()
{
    const OptionInterlocks::Enabling e = OptionInterlocks::enabling(m_session.options, context());
    m_checks.value(Opt::ParaSkipSave)->setEnabled(e.saveResult);
    m_checks.value(Opt::MonAlrmDisp)->setEnabled(e.alarm);
    m_checks.value(Opt::MonTripDisp)->setEnabled(e.trip);
    m_checks.value(Opt::MonTripDataDisp)->setEnabled(e.tripData);
    for (Opt id : {Opt::ValMulti})
        m_fields.value(id)->setEnabled(e.freeUnitFactor), m_upDowns.value(id)->setEnabled(e.freeUnitFactor);
    for (Opt id : {Opt::CntMonTime, Opt::CntMonSmp}) {
        m_fields.value(id)->setEnabled(e.continuousFields);
        m_upDowns.value(id)->setEnabled(e.continuousFields);
        m_labels.value(id)->setEnabled(e.continuousFields);
    }
    m_checks.value(Opt::MonInvDrive)->setEnabled(e.runStop);
    for (QLabel *l : {m_runLabel, m_stopLabel}) {
        l->setEnabled(e.runStop);
        l->setVisible(e.runStopLabelsVisible);
    }
}

void TVKROption::checkClicked(Opt id, bool on)
{
    m_session.options.set(id, on);
    if (id == Opt::CompResult || id == Opt::CompMsgDisp) {
        if (OptionInterlocks::keepComparisonOutput(m_session.options, id))
            showValues();
    }
    if (id == Opt::FileRegist)
        emit fileTypeRegistration(on);
    if (id == Opt::DispBuffer)
        emit bufferTableWanted(on);
    applyInterlocks();
}

bool TVKROption::checkField(Opt id)
{
    if (m_validating || m_showing)
        return true;  // a message box took the focus: the check is already running
    QLineEdit *edit = m_fields.value(id);
    const Options::Entry e = Options::check(id, edit->text());
    if (e.message() >= 0) {
        m_validating = true;
        m_prompter.message(m_session.messages.text(e.message()), m_session.messages.caption(),
                           Prompter::Icon::Stop, Prompter::Buttons::Ok);
        m_validating = false;
    }
    if (e.verdict != Options::Entry::Verdict::NotNumber) {
        m_session.options.set(id, e.value);
        m_showing = true;
        m_upDowns.value(id)->setValue(e.value);
        m_showing = false;
        edit->setText(shownText(id, e.value));
    }
    if (!e.accepted()) {
        m_pages->setCurrentWidget(edit->parentWidget());
        edit->setFocus();
    }
    return e.accepted();
}

bool TVKROption::checkAllFields()
{
    for (Opt id : {Opt::UndoMaxSet, Opt::LedDispTime, Opt::TBValSet, Opt::CntMonTime, Opt::CntMonSmp, Opt::ValMulti,
                   Opt::MonRecPoint, Opt::ComSpMarg, Opt::ComChkTimes}) {
        if (!checkField(id))
            return false;
    }
    return true;
}

void TVKROption::done(int result)
{
    if (!checkAllFields())
        return;
    m_session.options.save(m_session.settings(), m_session.MainteFlag);
    QDialog::done(result);
    emit optionsClosed();
}

void TVKROption::closeEvent(QCloseEvent *event)
{
    // Closing by the title bar goes through the same checks as the button.
    event->ignore();
    done(QDialog::Accepted);
}

void TVKROption::pickColor(Opt id)
{
    const int chosen = chooseColor ? chooseColor(m_session.options.value(id)) : -1;
    if (chosen < 0)
        return;
    m_session.options.set(id, chosen);
    paintSwatch(id);
}

void TVKROption::paintSwatch(Opt id)
{
    QPushButton *b = m_swatches.value(id);
    const QString name = colourOf(m_session.options.value(id)).name();
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid palette(mid); }").arg(name));
    b->setToolTip(name.toUpper());
}

void TVKROption::DefBtnClick()
{
    const bool buffer = m_session.options.on(Opt::DispBuffer);
    m_session.options.restoreFactory();
    showValues();
    if (buffer)
        emit bufferTableWanted(false);
}

void TVKROption::Button1Click()
{
    m_session.options.setDefaultColors();
    showValues();
}
