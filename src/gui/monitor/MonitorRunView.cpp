#include "MonitorRunView.h"

#include "ContinuousFileCommands.h"
#include "MonitorWatchView.h"
#include "MonitorChart.h"
#include "MonitorDisplayTab.h"
#include "TMonitoring.h"
#include "UpDownEdit.h"
#include "app/Session.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"
#include "monitor/MonitorReader.h"
#include "monitor/MonitorWaits.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace {
enum Message { NotAnswering = 3, NothingToRead = 49 };
constexpr int SilenceLimitMs = 10000;
}

bool MonitorRunView::mayStart()
{
    Session &session = m_w.m_session;
    if (m_w.running() || !m_w.m_reader)
        return false;
    if (!m_w.lineOnline()) {
        // A port that does not open has said so already.
        if (m_w.m_link->port().port().isOpen())
            m_w.m_prompter.message(session.messages.text(NotAnswering), session.messages.caption(),
                                   Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return false;
    }
    // The alarm and trip reads alone make no recording.
    if (m_w.m_readsPerSample <= 0 || m_w.m_setup.selectedCount() <= 0) {
        m_w.m_prompter.message(session.messages.text(NothingToRead), session.messages.caption(),
                               Prompter::Icon::Stop, Prompter::Buttons::Ok);
        return false;
    }
    return true;
}

MonitorRunView::MonitorRunView(TMonitoring &window) : m_w(window) {}

MonitorRunView::~MonitorRunView() = default;

MonitorRun::Kind MonitorRunView::kind() const
{
    if (m_continuous)
        return MonitorRun::Kind::Continuous;
    return m_w.m_display->Trigger->isChecked() ? MonitorRun::Kind::Triggered : MonitorRun::Kind::Plain;
}

void MonitorRunView::start()
{
    if (!mayStart())
        return;
    if (m_w.m_session.options.on(Opt::CntMon)) {
        // The note and the table file come first: cancelling them leaves the window as it was.
        m_continuous = std::make_unique<ContinuousFileCommands>(m_w);
        if (!m_continuous->begin())
            return;
    }
    prepare();
    MonitorRunSettings settings = MonitorRunSettings::fromSetup(m_w.m_setup, m_w.m_pointsPerChannel);
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        const MonitorItem *item = m_w.m_items.at(m_w.m_setup.channels[size_t(c)].item);
        settings.altUnits[size_t(c)] = item ? item->altUnit : QString();
    }
    MonitorRunCallbacks callbacks;
    callbacks.wait = WaitInEventLoop;
    callbacks.sampleTaken = [this](const MonitorSample &sample) { sampleTaken(sample); };
    MonitorChart *chart = m_w.m_display->Chart2;
    callbacks.waitingForTrigger = [chart](bool waiting) { chart->setWaiting(waiting); };
    // A line that stays silent this long (a drive switched off, an adapter pulled) ends the
    // run instead of recording nothing but errors; what was recorded stays.
    settings.silenceLimitMs = SilenceLimitMs;
    if (m_continuous)
        m_continuous->attach(settings, callbacks);
    m_w.m_watch->startRun(settings, callbacks);
    MonitorRun run(*m_w.m_reader, m_w.m_recording, m_w.m_flags, callbacks);
    run.run(kind(), settings);
    finish();
    m_w.m_watch->finishRun();
    if (m_continuous)
        m_continuous->finish(run.ending());
    if (run.ending() == MonitorRun::Ending::LineSilent) {
        Session &session = m_w.m_session;
        m_w.m_prompter.message(session.messages.text(NotAnswering), session.messages.caption(),
                               Prompter::Icon::Warning, Prompter::Buttons::Ok);
    }
}

void MonitorRunView::prepare()
{
    m_w.m_flags.StopRequested = false;
    m_w.m_flags.MonitoringRunning = true;
    m_w.m_session.monitoringRunning = true;
    emit m_w.runningChanged(true);
    MonitorDisplayTab *d = m_w.m_display;
    MonitorChart *chart = d->Chart2;
    chart->setRunning(true);
    chart->setTimePerDivision(m_continuous ? ContinuousFileCommands::timePerDivisionText(m_w)
                                           : TimePerDivisionText(m_w.m_setup.timePerDivisionS));
    chart->setErrorCount(0);
    chart->clearLines();
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        chart->setLineVisible(c, m_w.m_setup.channels[size_t(c)].selected);
        d->ValueField[c]->setText(QStringLiteral("0"));
    }
    chart->setFullRange(ChartScope::ScreenSamples);
    chart->setRange({0, ChartScope::ScreenSamples});
    chart->setZoomMode(false);
    m_w.setSetupEnabled(false);
    d->MonStop->setEnabled(true);
    chart->replotNow();
    QCoreApplication::processEvents();
}

void MonitorRunView::sampleTaken(const MonitorSample &sample)
{
    m_w.m_watch->sampleTaken();
    MonitorDisplayTab *d = m_w.m_display;
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        if (sample.channels[size_t(c)].read)
            d->ValueField[c]->setText(sample.channels[size_t(c)].text);
    }
    MonitorChart *chart = d->Chart2;
    if (sample.phase == MonitorSample::Phase::Continuous) {
        // One point per ContinuousPlotDivider samples.
        for (int c = 0; c < MonitorSetup::Channels && sample.plotted; ++c) {
            if (sample.channels[size_t(c)].read)
                chart->addPoint(c, sample.plotIndex, sample.channels[size_t(c)].point);
        }
        chart->setErrorCount(sample.errorCount);
        chart->replotLater();
        return;
    }
    if (sample.phase != MonitorSample::Phase::Plain && sample.phase != MonitorSample::Phase::Recording)
        return;
    if (sample.phase == MonitorSample::Phase::Recording && !m_recordingShown) {
        // The samples kept before the trigger are drawn at the end; the view starts after them.
        m_recordingShown = true;
        chart->setPretrigger(sample.pretriggerKept);
        chart->setRange({double(sample.pretriggerKept), double(sample.pretriggerKept + ChartScope::ScreenSamples)});
    }
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        if (sample.channels[size_t(c)].read)
            chart->addPoint(c, sample.index, sample.channels[size_t(c)].point);
    }
    chart->setErrorCount(sample.errorCount);
    chart->replotLater();
}

void MonitorRunView::finish()
{
    m_w.m_session.monitoringRunning = false;
    MonitorDisplayTab *d = m_w.m_display;
    MonitorChart *chart = d->Chart2;
    chart->setRunning(false);
    chart->setWaiting(false);
    chart->setPretrigger(0);
    m_w.drawRecording();
    // The whole recording in view.
    chart->setFullRange(std::max(chart->fullRange(), m_w.m_recording.SamplesTaken() + ChartScope::GridStep));
    chart->setRange({0, chart->range().max});
    chart->setScope(ChartScope::MaxScope);
    d->ZoomVal->setText(QString::number(ChartScope::MaxScope));
    d->ZoomVal->setPosition(ChartScope::MaxScope);
    m_w.setSetupEnabled(true);
    d->MonStop->setEnabled(false);
    m_w.CheckBoxZoomClick();
    chart->replotNow();
    emit m_w.runningChanged(false);
}
