// TRunPRKP: the keyboard and "FC Direct Input".
#include "TRunPRKP.h"

#include "PanelDisplay.h"
#include "PanelLamp.h"
#include "app/InverterCatalog.h"
#include "app/Session.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"

#include <QAction>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>

bool TRunPRKP::panelKeyFor(const QKeyEvent *event, PanelKey *key) const
{
    switch (event->key()) {
    case Qt::Key_R: *key = PanelKey::Run; return true;
    case Qt::Key_S:
    case Qt::Key_Space: *key = PanelKey::Stop; return true;
    case Qt::Key_Up: *key = PanelKey::Up; return true;
    case Qt::Key_Down: *key = PanelKey::Down; return true;
    case Qt::Key_M: *key = PanelKey::Mon; return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: *key = PanelKey::Ent; return true;
    default: return false;
    }
}

void TRunPRKP::keyPressEvent(QKeyEvent *event)
{
    if (m_entry.active()) {
        entryKey(event);
        return;
    }
    PanelKey key;
    if (panelKeyFor(event, &key)) {
        // A held arrow key repeats by the polling cycles, not by the keyboard's repeat.
        if (!event->isAutoRepeat() && m_keys.value(int(key))->isEnabled()) {
            if (PanelKeys::isHeld(key))
                m_keys.value(int(key))->setDown(true);
            keyDown(key);
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TRunPRKP::keyReleaseEvent(QKeyEvent *event)
{
    PanelKey key;
    if (!m_entry.active() && panelKeyFor(event, &key) && PanelKeys::isHeld(key)) {
        if (!event->isAutoRepeat()) {
            m_keys.value(int(key))->setDown(false);
            keyUp(key);
        }
        event->accept();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void TRunPRKP::PopMenu1Click()
{
    DisplayDblClick();
}

void TRunPRKP::DisplayDblClick()
{
    if (m_entry.active()) {
        leaveEntry(true);
    } else if (m_polling) {
        // Entry begins when the current polling cycle has ended.
        m_entryRequested = true;
        m_loop.stop();
    } else {
        m_start.stop();
        beginEntry();
    }
    m_popMenu1->setChecked(m_entry.active() || m_entryRequested);
}

void TRunPRKP::beginEntry()
{
    m_entryRequested = false;
    m_entry.begin();
    m_popMenu1->setChecked(true);
    showImage(PanelImage());
    m_display->setText(m_entry.text());
    setFocus();
}

void TRunPRKP::leaveEntry(bool restart)
{
    if (!m_entry.active())
        return;
    m_entry.leave();
    m_popMenu1->setChecked(false);
    m_display->setText(QStringLiteral("    "));
    if (restart)
        m_start.start();
}

void TRunPRKP::entryKey(QKeyEvent *event)
{
    const QString text = event->text();
    const int k = event->key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        m_entry.typeDigit(QChar(u'0' + (k - Qt::Key_0)));
    } else if (text == QLatin1String(".") || text == QLatin1String(",")) {
        if (!m_entry.typePoint())
            stopMessage(67);
    } else if (k == Qt::Key_Backspace) {
        m_entry.backspace();
    } else if (k == Qt::Key_Delete) {
        m_entry.clear();
    } else if (k == Qt::Key_Escape) {
        leaveEntry(true);
        return;
    } else if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        enterFrequency();
        return;
    }
    if (m_entry.active())
        m_display->setText(m_entry.text());
}

void TRunPRKP::enterFrequency()
{
    InverterCatalog catalog;
    catalog.scan(m_session.folders.dataFolder, m_session.folders.catalogFile());
    const int wireBits = m_link.settings().isModbus() ? 16 : 32;
    const DirectEntry::Outcome out =
        m_entry.enter(m_session.data, catalog.freqCommNo(m_session.selection.typeName), wireBits);
    switch (out.verdict) {
    case DirectEntry::Verdict::NoParameter: stopMessage(40); return;
    case DirectEntry::Verdict::NotANumber: stopMessage(67); return;
    case DirectEntry::Verdict::OutsideLimits: stopMessage(41); return;
    case DirectEntry::Verdict::Write: break;
    }
    bool failed = true;
    const char command = m_session.options.on(Opt::EEPWriteEnable) ? 'W' : 'P';
    m_link.exchange().exchange(out.index, out.raw, failed, command);
    if (failed) {
        // The drive did not take the value: say so and keep the entry for another try.
        m_prompter.message(m_session.messages.text(3), m_session.messages.caption(), Prompter::Icon::Warning,
                           Prompter::Buttons::Ok);
        return;
    }
    flashEntry(m_entry.text());
    emit frequencyWritten(out.raw);
    leaveEntry(true);
}

void TRunPRKP::flashEntry(const QString &entered)
{
    for (int i = 0; i < 3 && isVisible(); ++i) {
        m_display->setText(entered);
        waitMs(m_ledDispTime);
        m_display->setText(DirectEntry::prompt());
        waitMs(m_ledDispTime);
    }
}

void TRunPRKP::waitMs(int ms)
{
    if (ms <= 0)
        return;
    QEventLoop wait;
    QTimer::singleShot(ms, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

void TRunPRKP::stopMessage(int message)
{
    m_prompter.message(m_session.messages.text(message), m_session.messages.caption(), Prompter::Icon::Stop,
                       Prompter::Buttons::Ok);
}
