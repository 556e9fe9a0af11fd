#include "ContinuousFileCommands.h"

#include "TMonitoring.h"
#include "app/Session.h"
#include "base/CodePage.h"
#include "base/Prompter.h"
#include "monitor/ContinuousMonitoring.h"

#include <QFileInfo>

namespace {
enum Message { Incorrect = 67 };
// As the other runs of the window: a line silent this long ends the run, here at least three
// sampling periods.
constexpr int SilenceLimitMs = 10000;
}  // namespace

ContinuousFileCommands::ContinuousFileCommands(TMonitoring &window) : m_w(window) {}

MonitorTiming::Continuous ContinuousFileCommands::timeBase(const TMonitoring &window)
{
    const Options &options = window.m_session.options;
    return MonitorTiming::ContinuousTimeBase(options.value(Opt::CntMonTime), options.value(Opt::CntMonSmp),
                                             window.PointsPerChannel());
}

QString ContinuousFileCommands::timePerDivisionText(const TMonitoring &window)
{
    return TimePerDivisionText(timeBase(window).timePerDivisionS);
}

bool ContinuousFileCommands::begin()
{
    Session &session = m_w.m_session;
    Prompter &prompter = m_w.m_prompter;
    m_minutes = session.options.value(Opt::CntMonTime);
    m_seconds = session.options.value(Opt::CntMonSmp);
    m_base = timeBase(m_w);
    const QString note =
        ContinuousMonitoring::ConfirmationText(session.messages, m_minutes, m_seconds, m_base.estimatedFileSizeKb);
    const Prompter::Answer answer =
        prompter.message(note, session.messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::OkCancel);
    prompter.pump();
    if (answer != Prompter::Answer::Ok)
        return false;
    auto text = [&](const char *section, const char *key, const char *def) {
        return session.language.text(QString::fromLatin1(section), QString::fromLatin1(key), QString::fromLatin1(def));
    };
    int index = 0;
    QString path = prompter.chooseSaveFile(text("Main", "ToolB5", "Save As"), session.monPath, QString(),
                                           text("Monitor", "SaveFile2", "Monitor Datas(*.csv)|*.csv"), &index);
    prompter.pump();
    if (path.isEmpty())
        return false;
    path = ContinuousMonitoring::WithCsvExtension(path);
    session.monPath = QFileInfo(path).absolutePath();
    const MonitorTableFile::ContinuousHead head = ContinuousMonitoring::Head(
        session.selection, m_w.setup(), m_w.items().names(), m_minutes, m_seconds, session.messages);
    if (!m_table.create(path, head, session.selection.decimalComma,
                        CodePages::forPrefix(session.selection.languagePrefix))) {
        reportFailure();
        return false;
    }
    return true;
}

void ContinuousFileCommands::attach(MonitorRunSettings &settings, MonitorRunCallbacks &callbacks)
{
    ContinuousMonitoring::ApplyTimeBase(settings, m_base, m_minutes, m_seconds);
    settings.silenceLimitMs = ContinuousMonitoring::SilenceLimitMs(SilenceLimitMs, m_seconds);
    callbacks.continuousLine = [this](qint64 elapsedMs, const std::array<double, MonitorSetup::Channels> &values) {
        return m_table.append(elapsedMs, values);
    };
}

void ContinuousFileCommands::finish(MonitorRun::Ending ending)
{
    const bool closed = m_table.close();
    if (ending == MonitorRun::Ending::LineNotWritten || !closed)
        reportFailure();
}

void ContinuousFileCommands::reportFailure()
{
    const MessageTable &messages = m_w.m_session.messages;
    m_w.m_prompter.message(messages.text(Incorrect) + QLatin1Char('\n') + m_table.path() + QLatin1Char('\n')
                               + m_table.error(),
                           messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
    m_w.m_prompter.pump();
}
