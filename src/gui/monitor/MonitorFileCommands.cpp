#include "MonitorFileCommands.h"

#include "MonitorChart.h"
#include "MonitorDisplayTab.h"
#include "TMonitoring.h"
#include "UpDownEdit.h"
#include "app/Session.h"
#include "base/CodePage.h"
#include "base/Prompter.h"
#include "model/NumberText.h"
#include "monitor/AlarmTripChecks.h"
#include "monitor/AlarmTripLists.h"
#include "monitor/MonitorFile.h"
#include "monitor/MonitorFileOpen.h"
#include "monitor/MonitorTableFile.h"

#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace {

enum Message { FilePrefix = 1, TimeTitle = 55, Incorrect = 67, ErrorsTitle = 84 };

// The first `entries` entries of a "Description|*.ext|..." filter.
QString firstEntries(const QString &filter, int entries)
{
    return filter.split(QLatin1Char('|')).mid(0, 2 * entries).join(QLatin1Char('|'));
}

}  // namespace

MonitorFileCommands::MonitorFileCommands(TMonitoring &window, Prompter &prompter)
    : QObject(&window), m_w(window), m_prompter(prompter)
{
    MonitorDisplayTab *d = m_w.display();
    connect(d->MonOpen, &QPushButton::clicked, this, &MonitorFileCommands::MonFileOpenClick);
    connect(d->MonSave, &QPushButton::clicked, this, &MonitorFileCommands::MonFileClick);
    connect(&m_w, &TMonitoring::runningChanged, this, &MonitorFileCommands::refresh);
    m_w.installEventFilter(this);
    refresh();
}

bool MonitorFileCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_w && (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show))
        refresh();
    return QObject::eventFilter(watched, event);
}

void MonitorFileCommands::setPictureWriter(PictureWriter writer)
{
    m_pictureWriter = std::move(writer);
    refresh();
}

QString MonitorFileCommands::text(const char *section, const char *key, const char *def) const
{
    return m_w.m_session.language.text(QString::fromLatin1(section), QString::fromLatin1(key), QString::fromLatin1(def));
}

bool MonitorFileCommands::continuous() const
{
    return m_w.m_session.options.on(Opt::CntMon);
}

void MonitorFileCommands::refresh()
{
    const bool idle = !m_w.running() && m_w.hasItems();
    MonitorDisplayTab *d = m_w.display();
    d->MonOpen->setEnabled(idle && !continuous());
    // In continuous mode "Save As" writes pictures only.
    d->MonSave->setEnabled(idle && (!continuous() || m_pictureWriter));
}

void MonitorFileCommands::remember(const QString &path)
{
    const QFileInfo info(path);
    m_w.m_session.monPath = info.absolutePath();
    m_w.m_session.monFile = info.fileName();
}

QString MonitorFileCommands::caption(const QString &fileName) const
{
    return text("Monitor", "Form", "Monitoring") + QLatin1Char(' ') + m_w.m_session.messages.text(FilePrefix) + fileName;
}

void MonitorFileCommands::MonFileOpenClick()
{
    if (m_w.running() || continuous() || !m_w.hasItems())
        return;
    const QString path = m_prompter.chooseFile(text("Main", "ToolB3", "Open"), m_w.m_session.monPath,
                                               text("Monitor", "OpenFile1", "Monitor Datas(*.mon)|*.mon"), 0);
    if (path.isEmpty())
        return;
    remember(path);
    openRecording(path);
}

bool MonitorFileCommands::openRecording(const QString &path)
{
    Session &session = m_w.m_session;
    MonitorFileOpen open(session.selection, session.messages, m_prompter);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const MonitorFileOpen::Result result = open.OpenRecording(path, CodePages::forPrefix(session.selection.languagePrefix));
    QGuiApplication::restoreOverrideCursor();
    if (result != MonitorFileOpen::Result::Loaded)
        return false;
    const MonitorFile &file = open.file();
    if (file.layout == MonitorFile::Layout::Current)
        takeDisplayOptions(file);
    MonitorFileOpen::apply(file, m_w.m_items.size(), m_w.m_setup, m_w.m_recording);
    showRecording(file);
    m_w.setWindowTitle(caption(QFileInfo(path).fileName()) + QStringLiteral(" (") + open.fileDrive()
                       + QLatin1Char(')'));
    emit recordingOpened();
    return true;
}

void MonitorFileCommands::takeDisplayOptions(const MonitorFile &file)
{
    // The file's alarm, trip and data-at-trip display stay in force after it is closed.
    Session &session = m_w.m_session;
    const std::pair<Opt, bool> options[] = {{Opt::MonAlrmDisp, file.alarmCheck},
                                            {Opt::MonTripDisp, file.tripCheck},
                                            {Opt::MonTripDataDisp, file.tripDatas}};
    for (const auto &[id, on] : options) {
        session.options.set(id, on ? 1 : 0);
        session.options.save(session.settings(), id);
    }
}

void MonitorFileCommands::showRecording(const MonitorFile &file)
{
    m_w.showSetup();
    MonitorDisplayTab *d = m_w.display();
    MonitorChart *chart = d->Chart2;
    const QString time = file.layout == MonitorFile::Layout::Current
        ? file.timePerDivision
        : TimePerDivisionText(NumberText::parse(file.legacyTimeMs).value_or(0) / 1000.0);
    chart->setTimePerDivision(time);
    chart->setErrorCount(int(NumberText::leadingWhole(file.errorCounter)));
    chart->clearLines();
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        chart->setLineVisible(c, m_w.m_setup.channels[size_t(c)].selected);
        d->ValueField[c]->setText(QStringLiteral("0"));
    }
    m_w.drawRecording();
    chart->setFullRange(std::max(ChartScope::ScreenSamples, m_w.m_recording.SamplesTaken() + ChartScope::GridStep));
    chart->setRange({0, double(chart->fullRange())});
    chart->setScope(ChartScope::MaxScope);
    d->ZoomVal->setText(QString::number(ChartScope::MaxScope));
    d->ZoomVal->setPosition(ChartScope::MaxScope);
    chart->replotNow();
}

void MonitorFileCommands::armedChecks(MonitorFile &file) const
{
    const Session &session = m_w.m_session;
    const AlarmTripLists &lists = m_w.m_items.alarmTrips;
    AlarmTripChecks checks(lists);
    AlarmTripChecks::Options checked;
    checked.displayAlarm = session.options.on(Opt::MonAlrmDisp);
    checked.displayTrip = session.options.on(Opt::MonTripDisp);
    checked.displayTripData = session.options.on(Opt::MonTripDataDisp);
    checks.Arm(checked, AlarmTripChecks::enabledOptions(lists, session.data.IndexOfComNo(u"FC91") >= 0,
                                                        session.data.IndexOfComNo(u"FC90") >= 0, checked.displayTrip));
    file.alarmCheck = checks.AlarmChk;
    file.tripCheck = checks.TripChk;
    file.tripDatas = checks.TripDatas;
}

MonitorFile MonitorFileCommands::recordingFile() const
{
    MonitorFile file = MonitorFile::of(m_w.m_session.selection, m_w.m_setup, m_w.m_recording);
    // The texts as the window shows them.
    const MonitorChart *chart = m_w.display()->Chart2;
    file.timePerDivision = chart->timePerDivision();
    file.errorCounter = chart->label(QStringLiteral("Label_ErrNo"))->text();
    file.maxText = m_w.display()->XValMax->text();
    armedChecks(file);
    return file;
}

QByteArray MonitorFileCommands::recordingBytes() const
{
    if (m_w.m_recording.SamplesTaken() <= 0)
        return {};
    return recordingFile().build(CodePages::forPrefix(m_w.m_session.selection.languagePrefix));
}

bool MonitorFileCommands::write(const QString &path, MonitorFileSave::Format format, QString *error)
{
    const Session &session = m_w.m_session;
    const CodePage page = CodePages::forPrefix(session.selection.languagePrefix);
    if (MonitorFileSave::isPicture(format)) {
        if (m_pictureWriter)
            return m_pictureWriter(path, format, error);
        *error = QStringLiteral("pictures of the chart are not written by this window");
        return false;
    }
    const MonitorFile file = recordingFile();
    if (format == MonitorFileSave::Format::Mon)
        return MonitorFileSave::SaveRecording(path, file, page, error);
    MonitorTableFile::Captions captions;
    captions.monitoring = text("PrintMon", "Label3", "Monitoring");
    captions.multiplier = text("PrintMon", "Label4", "Multi.");
    captions.offset = text("PrintMon", "Label5", "Offset");
    captions.time = session.messages.text(TimeTitle);
    captions.errors = session.messages.text(ErrorsTitle);
    const QByteArray bytes =
        MonitorTableFile::build(file, m_w.m_items.names(), captions, session.selection.decimalComma, page);
    return MonitorTableFile::WriteTable(path, bytes, error);
}

void MonitorFileCommands::MonFileClick()
{
    if (m_w.running() || !m_w.hasItems())
        return;
    using MonitorFileSave::Dialog;
    const Dialog dialog = continuous() ? Dialog::Picture : Dialog::Save;
    if (dialog == Dialog::Picture && !m_pictureWriter)
        return;
    QString filter = dialog == Dialog::Picture
        ? text("Monitor", "SaveFile3", "Monitor Picture(*.bmp)|*.bmp")
        : text("Monitor", "SaveFile1",
               "Monitor Datas(*.mon)|*.mon|Monitor Datas(*.csv)|*.csv|Monitor Picture(*.bmp)|*.bmp|"
               "Monitor Picture(*.jpg)|*.jpg");
    if (!m_pictureWriter)
        filter = firstEntries(filter, 2);
    const int entries = int(filter.count(QLatin1Char('|')) + 1) / 2;
    int index = std::min(MonitorFileSave::preselectedFilter(dialog, m_w.m_session.monFile), std::max(0, entries - 1));
    QString path = m_prompter.chooseSaveFile(text("Main", "ToolB5", "Save As"), m_w.m_session.monPath,
                                             m_w.m_session.monFile, filter, &index);
    if (path.isEmpty())
        return;
    path = MonitorFileSave::withExtension(dialog, path, index);
    remember(path);
    const MonitorFileSave::Format format = MonitorFileSave::formatOf(path);
    QString error;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = write(path, format, &error);
    QGuiApplication::restoreOverrideCursor();
    const MessageTable &messages = m_w.m_session.messages;
    if (!ok) {
        m_prompter.message(messages.text(Incorrect) + QLatin1Char('\n') + path + QLatin1Char('\n') + error,
                           messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        m_prompter.pump();
        return;
    }
    if (format == MonitorFileSave::Format::Mon)
        m_w.setWindowTitle(caption(QFileInfo(path).fileName()));
}
