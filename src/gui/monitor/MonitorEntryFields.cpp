#include "MonitorEntryFields.h"

#include "MonitorChart.h"
#include "MonitorDisplayTab.h"
#include "MonitorSettingTab.h"
#include "TMonitoring.h"
#include "UpDownEdit.h"
#include "app/Session.h"
#include "base/Prompter.h"
#include "model/NumberText.h"
#include "monitor/MonitorTiming.h"

#include <QLineEdit>
#include <cmath>

namespace {
enum Message { OutOfRange = 41, Incorrect = 67 };
constexpr int MaxTimeMs = MonitorTiming::MaxTimePerDivisionMs;
}  // namespace

MonitorEntryFields::MonitorEntryFields(TMonitoring &window, Prompter &prompter)
    : QObject(&window), m_window(window), m_prompter(prompter)
{
}

void MonitorEntryFields::connectFields()
{
    MonitorSettingTab *s = m_window.setting();
    MonitorDisplayTab *d = m_window.display();
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        connect(s->AryTCMax[c], &UpDownEdit::entered, this, [this, c] { checkMultiplier(c); });
        connect(s->AryTCMax[c], &UpDownEdit::stepped, this, [this, c](int p) { multiplierStepped(c, p); });
        connect(s->AryPlus[c], &UpDownEdit::entered, this, [this, c] { checkOffset(c); });
        connect(s->AryPlus[c], &UpDownEdit::stepped, this, [this, c](int p) { offsetStepped(c, p); });
    }
    auto steppedThenChecked = [this](UpDownEdit *field, bool (MonitorEntryFields::*check)()) {
        connect(field, &UpDownEdit::entered, this, check);
        connect(field, &UpDownEdit::stepped, this, [this, field, check](int p) {
            field->setText(QString::number(p));
            (this->*check)();
        });
    };
    steppedThenChecked(d->XValMax, &MonitorEntryFields::checkMax);
    steppedThenChecked(d->ZoomVal, &MonitorEntryFields::checkScope);
    steppedThenChecked(s->Level, &MonitorEntryFields::checkLevel);
    steppedThenChecked(s->Delay, &MonitorEntryFields::checkDelay);
    connect(d->TimeVal, &UpDownEdit::entered, this, &MonitorEntryFields::checkTime);
    connect(d->TimeVal, &UpDownEdit::stepped, this, [this, d](int ms) {
        d->TimeVal->setText(TimePerDivisionText(ms / 1000.0));
        checkTime();
    });
}

void MonitorEntryFields::showMessage(int number)
{
    const MessageTable &messages = m_window.m_session.messages;
    m_prompter.message(messages.text(number), messages.caption(), Prompter::Icon::Stop, Prompter::Buttons::Ok);
}

MonitorEntry::Status MonitorEntryFields::checkText(UpDownEdit *field, double low, double high, double *value,
                                                   bool wholeMs)
{
    MonitorEntry entry = MonitorEntry::check(field->text(), low, high);
    if (wholeMs && entry.accepted()) {
        // The time base compares whole milliseconds.
        const qint64 ms = NumberText::truncate(entry.value * 1000);
        if (ms < std::llround(low * 1000))
            entry = {MonitorEntry::Status::OutOfRange, low};
        else if (ms > std::llround(high * 1000))
            entry = {MonitorEntry::Status::OutOfRange, high};
    }
    if (entry.status != MonitorEntry::Status::NotNumber)
        *value = entry.value;
    m_pending = !entry.accepted();
    if (entry.accepted())
        return entry.status;
    // The message box takes the focus, which would check the field once more.
    m_checking = true;
    if (entry.status == MonitorEntry::Status::NotNumber) {
        showMessage(Incorrect);
        field->edit()->setFocus();
    } else {
        showMessage(OutOfRange);
    }
    m_checking = false;
    return entry.status;
}

bool MonitorEntryFields::checkMultiplier(int c)
{
    if (m_checking)
        return true;
    UpDownEdit *field = m_window.setting()->AryTCMax[c];
    double v = 0;
    const MonitorEntry::Status status = checkText(field, 0.1, 10.0, &v);
    const int tenths = int(std::lround(v * 10));
    if (status == MonitorEntry::Status::OutOfRange)
        field->setText(MultiplierText(tenths));  // the multiplier in use stays until accepted
    if (status != MonitorEntry::Status::Accepted)
        return false;
    multiplierStepped(c, tenths);
    return true;
}

bool MonitorEntryFields::checkOffset(int c)
{
    if (m_checking)
        return true;
    UpDownEdit *field = m_window.setting()->AryPlus[c];
    double v = 0;
    const MonitorEntry::Status status = checkText(field, MonitorChannel::OffsetMin, MonitorChannel::OffsetMax, &v);
    const int offset = int(NumberText::truncate(v));
    if (status == MonitorEntry::Status::OutOfRange)
        field->setText(QString::number(offset));
    if (status != MonitorEntry::Status::Accepted)
        return false;
    offsetStepped(c, offset);
    return true;
}

void MonitorEntryFields::multiplierStepped(int c, int tenths)
{
    MonitorChannel &ch = m_window.m_setup.channels[size_t(c)];
    UpDownEdit *field = m_window.setting()->AryTCMax[c];
    m_pending = false;
    field->setPosition(tenths);
    field->setText(MultiplierText(tenths));
    if (ch.multiplierTenths == tenths)
        return;
    ch.multiplierTenths = tenths;
    redrawChannel(c);
}

void MonitorEntryFields::offsetStepped(int c, int offset)
{
    MonitorChannel &ch = m_window.m_setup.channels[size_t(c)];
    UpDownEdit *field = m_window.setting()->AryPlus[c];
    m_pending = false;
    field->setPosition(offset);
    field->setText(QString::number(offset));
    if (ch.offset == offset)
        return;
    ch.offset = offset;
    redrawChannel(c);
}

void MonitorEntryFields::redrawChannel(int c)
{
    // A recording already drawn is drawn again with the new scale; a run in progress keeps
    // the scale it started with.
    if (m_window.running() || m_window.m_recording.channel(c).points.isEmpty())
        return;
    const MonitorChannel &ch = m_window.m_setup.channels[size_t(c)];
    m_window.m_recording.redrawChannel(c, ch.multiplier(), ch.offset);
    m_window.drawRecording();
}

bool MonitorEntryFields::checkTime()
{
    if (m_checking)
        return true;
    UpDownEdit *field = m_window.display()->TimeVal;
    double v = 0;
    const MonitorEntry::Status status = checkText(field, m_lowestMs / 1000.0, MaxTimeMs / 1000.0, &v, true);
    if (status == MonitorEntry::Status::NotNumber)
        return false;
    // Out of range, the time base returns to the nearest limit.
    m_window.m_setup.timePerDivisionS = v;
    field->setPosition(int(NumberText::truncate(v * 1000)));
    field->setText(TimePerDivisionText(v));
    return status == MonitorEntry::Status::Accepted;
}

// "Max.", scope, level and delay: a whole number in the up-down; out of range the field
// shows the limit and nothing else changes until it is accepted.
bool MonitorEntryFields::checkWhole(UpDownEdit *field, int low, int high, int *accepted)
{
    if (m_checking)
        return false;
    double v = 0;
    const MonitorEntry::Status status = checkText(field, low, high, &v);
    if (status == MonitorEntry::Status::OutOfRange)
        field->setText(QString::number(int(v)));
    if (status != MonitorEntry::Status::Accepted)
        return false;
    *accepted = int(NumberText::truncate(v));
    field->setPosition(*accepted);
    return true;
}

bool MonitorEntryFields::checkMax()
{
    int max = 0;
    if (!checkWhole(m_window.display()->XValMax, 100, 500, &max))
        return m_checking;
    m_window.m_setup.valueMax = max;
    m_window.display()->Chart2->setValueMax(max);
    return true;
}

bool MonitorEntryFields::checkScope()
{
    int scope = 0;
    if (!checkWhole(m_window.display()->ZoomVal, ChartScope::MinScope, ChartScope::MaxScope, &scope))
        return m_checking;
    m_window.display()->Chart2->setScope(scope);
    return true;
}

bool MonitorEntryFields::checkLevel()
{
    int level = 0;
    if (!checkWhole(m_window.setting()->Level, 0, 500, &level))
        return m_checking;
    m_window.m_setup.triggerLevel = level;
    m_window.TriggerClick();
    return true;
}

bool MonitorEntryFields::checkDelay()
{
    int delay = 0;
    if (!checkWhole(m_window.setting()->Delay, 0, 100, &delay))
        return m_checking;
    m_window.m_setup.triggerDelayPercent = delay;
    return true;
}

bool MonitorEntryFields::checkAll()
{
    // The first rejected entry stops the check: one message at a time.
    bool ok = checkTime();
    for (int c = 0; c < MonitorSetup::Channels; ++c)
        ok = ok && checkMultiplier(c) && checkOffset(c);
    ok = ok && checkMax() && checkScope() && checkLevel() && checkDelay();
    m_pending = !ok;
    return ok;
}

void MonitorEntryFields::setLowestTime(int lowestMs)
{
    m_lowestMs = std::min(lowestMs, MaxTimeMs);
    UpDownEdit *field = m_window.display()->TimeVal;
    field->setLimits(m_lowestMs, MaxTimeMs, 500);
    m_window.m_setup.timePerDivisionS = m_lowestMs / 1000.0;
    field->setPosition(m_lowestMs);
    field->setText(TimePerDivisionText(m_window.m_setup.timePerDivisionS));
}

void MonitorEntryFields::showSetup()
{
    const MonitorSetup &s = m_window.m_setup;
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        const MonitorChannel &ch = s.channels[size_t(c)];
        m_window.setting()->AryTCMax[c]->setPosition(ch.multiplierTenths);
        m_window.setting()->AryTCMax[c]->setText(MultiplierText(ch.multiplierTenths));
        m_window.setting()->AryPlus[c]->setPosition(ch.offset);
        m_window.setting()->AryPlus[c]->setText(QString::number(ch.offset));
    }
    MonitorDisplayTab *d = m_window.display();
    d->XValMax->setPosition(s.valueMax);
    d->XValMax->setText(QString::number(s.valueMax));
    d->Chart2->setValueMax(s.valueMax);
    d->TimeVal->setPosition(int(NumberText::truncate(s.timePerDivisionS * 1000)));
    d->TimeVal->setText(TimePerDivisionText(s.timePerDivisionS));
    d->ZoomVal->setPosition(ChartScope::MaxScope);
    d->ZoomVal->setText(QString::number(ChartScope::MaxScope));
    m_window.setting()->Level->setPosition(s.triggerLevel);
    m_window.setting()->Level->setText(QString::number(s.triggerLevel));
    m_window.setting()->Delay->setPosition(s.triggerDelayPercent);
    m_window.setting()->Delay->setText(QString::number(s.triggerDelayPercent));
}
