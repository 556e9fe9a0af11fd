#include "TRunPRKP.h"

#include "PanelDisplay.h"
#include "PanelLamp.h"
#include "app/Session.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"
#include "model/ModelInfo.h"

#include <QAction>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct LampDef {
    PanelImage::Lamp lamp;
    const char *caption;
    QColor color;
};

const LampDef Lamps[] = {
    {PanelImage::FRUN, "RUN", QColor(60, 230, 80)}, {PanelImage::FVEC, "VEC", QColor(255, 170, 40)},
    {PanelImage::FECN, "ECN", QColor(255, 170, 40)}, {PanelImage::FMON, "MON", QColor(255, 170, 40)},
    {PanelImage::FPRG, "PRG", QColor(255, 170, 40)}, {PanelImage::FPC, "PC", QColor(80, 170, 255)},
    {PanelImage::FPF, "PF", QColor(255, 70, 50)},
};

struct KeyDef {
    PanelKey key;
    const char *text;
    const char *hint;
    int row, column;
    const char *style;
};

const char *const KeyStyle = "QPushButton { color: #f0f0f0; font-weight: 600; border: 1px solid #111;"
                             " border-radius: 9px; padding: 8px 4px; min-width: 54px; min-height: 24px;"
                             " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); }"
                             "QPushButton:pressed { background: %2; padding-top: 10px; padding-bottom: 6px; }"
                             "QPushButton:disabled { color: #777; }";

const KeyDef PanelKeyDefs[] = {
    {PanelKey::Mon, "MON", "MON (M)", 0, 0, nullptr}, {PanelKey::Up, "\u25B2", "UP (Up arrow, hold to repeat)", 0, 1, nullptr},
    {PanelKey::Ent, "ENT", "ENT (Enter)", 0, 2, nullptr}, {PanelKey::Run, "RUN", "RUN (R)", 1, 0, "run"},
    {PanelKey::Down, "\u25BC", "DOWN (Down arrow, hold to repeat)", 1, 1, nullptr},
    {PanelKey::Stop, "STOP", "STOP (S, or Space)", 1, 2, "stop"},
};

QString keyStyle(const char *kind)
{
    if (kind && qstrcmp(kind, "run") == 0)
        return QString::fromLatin1(KeyStyle).arg(QStringLiteral("#2f8a3c"), QStringLiteral("#1d5c27"));
    if (kind && qstrcmp(kind, "stop") == 0)
        return QString::fromLatin1(KeyStyle).arg(QStringLiteral("#b8322a"), QStringLiteral("#7c1d18"));
    return QString::fromLatin1(KeyStyle).arg(QStringLiteral("#5a5f66"), QStringLiteral("#3a3e44"));
}

}  // namespace

TRunPRKP::TRunPRKP(Session &session, CommLink &link, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_session(session), m_link(link), m_prompter(prompter),
      m_loop(link.exchange(), *link.exchange().items())
{
    setObjectName(QStringLiteral("TRunPRKP"));
    setModal(true);
    m_start.setSingleShot(true);
    m_start.setInterval(KeypadLoop::StartDelayMs);
    createControls();
    applyTexts();
    connectHandlers();
    m_loop.show = [this](const std::optional<PanelBlock> &block) { showPanel(block); };
    m_loop.pump = [] { QCoreApplication::processEvents(QEventLoop::AllEvents); };
}

TRunPRKP::~TRunPRKP() = default;

void TRunPRKP::createControls()
{
    setStyleSheet(QStringLiteral("TRunPRKP { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3b3f45,"
                                 " stop:1 #24272b); } QLabel { color: #d8d8d8; }"));
    m_display = new PanelDisplay(this);
    m_unit = new QLabel(QStringLiteral("Hz"), this);
    m_unit->setObjectName(QStringLiteral("Unit2005"));
    m_unit->setVisible(ModelInfo(m_session.folders.infoFile).unit() != 0);
    auto *top = new QHBoxLayout;
    top->addWidget(m_display, 1);
    top->addWidget(m_unit, 0, Qt::AlignBottom);
    auto *lamps = new QHBoxLayout;
    lamps->setSpacing(2);
    for (const LampDef &def : Lamps) {
        auto *lamp = new PanelLamp(QLatin1String(def.caption), def.color, this);
        lamp->setObjectName(QLatin1String("F") + QLatin1String(def.caption));
        m_lamps.insert(def.lamp, lamp);
        lamps->addWidget(lamp);
    }
    m_closeLabel = new QPushButton(this);
    m_closeLabel->setObjectName(QStringLiteral("CloseLabel"));
    m_closeLabel->setFlat(true);
    m_closeLabel->setCursor(Qt::PointingHandCursor);
    m_closeLabel->setFocusPolicy(Qt::NoFocus);
    m_closeLabel->setStyleSheet(QStringLiteral("QPushButton { color: #c8c8c8; text-decoration: underline; border: none; }"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 10);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addLayout(lamps);
    layout->addWidget(createKeys());
    layout->addWidget(m_closeLabel, 0, Qt::AlignRight);
    m_popMenu1 = new QAction(this);
    m_popMenu1->setObjectName(QStringLiteral("PopMenu1"));
    m_popMenu1->setCheckable(true);
    m_rkpExit = new QAction(this);
    m_rkpExit->setObjectName(QStringLiteral("RKPExit"));
    m_onLine = new QAction(QStringLiteral("On-line"), this);
    m_offLine = new QAction(QStringLiteral("Off-line"), this);
    m_onLine->setVisible(false);
    m_offLine->setVisible(false);
    setFocusPolicy(Qt::StrongFocus);
    resize(380, 330);
}

QWidget *TRunPRKP::createKeys()
{
    auto *keys = new QWidget(this);
    auto *grid = new QGridLayout(keys);
    grid->setContentsMargins(8, 0, 8, 0);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(10);
    for (const KeyDef &def : PanelKeyDefs) {
        auto *button = new QPushButton(QString::fromUtf8(def.text), keys);
        button->setObjectName(PanelKeys::name(def.key));
        button->setToolTip(QString::fromUtf8(def.hint));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setStyleSheet(keyStyle(def.style));
        button->setEnabled(false);
        grid->addWidget(button, def.row, def.column);
        m_keys.insert(int(def.key), button);
    }
    return keys;
}

void TRunPRKP::applyTexts()
{
    const LanguageFile &lng = m_session.language;
    setWindowTitle(lng.text(QStringLiteral("KeyPad"), QStringLiteral("Form"), QStringLiteral("Key Pad")));
    m_popMenu1->setText(lng.text(QStringLiteral("KeyPad"), QStringLiteral("PopMenu1"), QStringLiteral("FC Direct Input")));
    const QString close = lng.text(QStringLiteral("KeyPad"), QStringLiteral("PopMenu2"), QStringLiteral("Close"));
    m_rkpExit->setText(close);
    m_closeLabel->setText(close);
}

void TRunPRKP::connectHandlers()
{
    connect(&m_start, &QTimer::timeout, this, &TRunPRKP::Timer2Timer);
    connect(&m_blink, &QTimer::timeout, this, &TRunPRKP::Timer1Timer);
    connect(m_popMenu1, &QAction::triggered, this, &TRunPRKP::PopMenu1Click);
    connect(m_rkpExit, &QAction::triggered, this, &TRunPRKP::RKPExitClick);
    connect(m_closeLabel, &QPushButton::clicked, this, &TRunPRKP::RKPExitClick);
    connect(m_display, &PanelDisplay::doubleClicked, this, &TRunPRKP::DisplayDblClick);
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
        const PanelKey key = PanelKey(it.key());
        if (PanelKeys::isHeld(key)) {
            connect(it.value(), &QPushButton::pressed, this, [this, key] { keyDown(key); });
            connect(it.value(), &QPushButton::released, this, [this, key] { keyUp(key); });
        } else {
            connect(it.value(), &QPushButton::clicked, this, [this, key] { keyDown(key); });
        }
    }
}

void TRunPRKP::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    emit becameActive();
    m_ledDispTime = m_session.options.value(Opt::LedDispTime);
    m_blink.setInterval(m_ledDispTime);
    if (!m_polling && !m_entry.active())
        m_start.start();
}

void TRunPRKP::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit becameActive();
}

void TRunPRKP::Timer2Timer()
{
    startPolling();
}

void TRunPRKP::startPolling()
{
    if (m_polling || !isVisible())
        return;
    leaveEntry(false);
    if (!m_link.connectionCheck().run()) {
        m_prompter.message(m_session.messages.text(3), m_session.messages.caption(), Prompter::Icon::Warning,
                           Prompter::Buttons::Ok);
        done(QDialog::Rejected);
        return;
    }
    m_polling = true;
    m_closeRequested = m_entryRequested = false;
    setKeysEnabled(true);
    m_ledBlinkPhase = true;
    // With "LED Display Timer" 0 the phase never changes: image A only.
    if (m_ledDispTime > 0)
        m_blink.start();
    emit pollingChanged(true);
    m_loop.start();
    m_loop.run();
    stopPolling();
}

void TRunPRKP::stopPolling()
{
    m_polling = false;
    m_blink.stop();
    m_reading.reset();
    showImage(PanelImage());
    setKeysEnabled(false);
    m_link.connectionCheck().run();
    emit pollingChanged(false);
    if (m_closeRequested)
        done(QDialog::Rejected);
    else if (m_entryRequested)
        beginEntry();
}

void TRunPRKP::done(int result)
{
    // Polling ends at the end of its cycle; the window closes after that.
    if (m_polling) {
        m_closeRequested = true;
        m_loop.stop();
        return;
    }
    m_start.stop();
    m_blink.stop();
    m_entry.leave();
    QDialog::done(result);
}

void TRunPRKP::showPanel(const std::optional<PanelBlock> &block)
{
    m_reading = block;
    if (!m_entry.active())
        showImage(block ? block->image(m_ledBlinkPhase) : PanelBlock::lineLost(m_ledBlinkPhase));
}

void TRunPRKP::showImage(const PanelImage &image)
{
    m_display->setText(image.text);
    for (auto it = m_lamps.cbegin(); it != m_lamps.cend(); ++it)
        it.value()->setLit(image.lit(PanelImage::Lamp(it.key())));
}

void TRunPRKP::Timer1Timer()
{
    m_ledBlinkPhase = !m_ledBlinkPhase;
    if (m_polling && !m_entry.active())
        showImage(m_reading ? m_reading->image(m_ledBlinkPhase) : PanelBlock::lineLost(m_ledBlinkPhase));
}

void TRunPRKP::setKeysEnabled(bool enabled)
{
    for (QPushButton *button : std::as_const(m_keys))
        button->setEnabled(enabled);
}

void TRunPRKP::keyDown(PanelKey key)
{
    if (m_polling)
        m_loop.press(key);
}

void TRunPRKP::keyUp(PanelKey key)
{
    if (m_polling)
        m_loop.release(key);
}

void TRunPRKP::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(m_popMenu1);
    menu.addAction(m_onLine);
    menu.addAction(m_offLine);
    menu.addAction(m_rkpExit);
    menu.exec(event->globalPos());
}

void TRunPRKP::RKPExitClick()
{
    close();
}
