#include "MonitorWatchView.h"

#include "ColorBox.h"
#include "MonitorChart.h"
#include "MonitorDisplayTab.h"
#include "MonitorSettingTab.h"
#include "TMonitoring.h"
#include "UpDownEdit.h"
#include "app/InverterCatalog.h"
#include "app/Session.h"
#include "base/CodePage.h"
#include "base/IniFile.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"
#include "comm/DetectExchange.h"
#include "monitor/DriveCommandSender.h"
#include "monitor/InverterInfo.h"
#include "monitor/MonitorReader.h"
#include "monitor/MonitorRunWatch.h"
#include "transfer/TResultForm1.h"
#include "transfer/TransferTexts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

MonitorWatchView::MonitorWatchView(TMonitoring &window)
    : QObject(&window), m_w(window), m_checks(std::make_unique<AlarmTripChecks>(window.m_items.alarmTrips))
{
    auto make = [&window](const char *name, const char *text, QKeySequence key) {
        auto *action = new QAction(QString::fromLatin1(text), &window);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
        // Not shown in any menu: only the shortcut acts.
        window.addAction(action);
        return action;
    };
    InvRun = make("InvRun", "Inverter Run", QKeySequence(Qt::SHIFT | Qt::Key_F9));
    InvStop = make("InvStop", "Inverter Stop", QKeySequence(Qt::Key_F9));
    connect(InvRun, &QAction::triggered, this, [this] { driveCommand(DriveCommand::Run); });
    connect(InvStop, &QAction::triggered, this, [this] { driveCommand(DriveCommand::Stop); });
}

MonitorWatchView::~MonitorWatchView() = default;

void MonitorWatchView::linkChanged()
{
    m_watch.reset();
    m_sender.reset();
    if (!m_w.m_reader)
        return;
    m_watch = std::make_unique<MonitorRunWatch>(*m_w.m_reader, *m_checks, m_w.m_flags);
    m_sender = std::make_unique<DriveCommandSender>(m_w.m_session.data, m_w.m_link->exchange());
    m_watch->setDriveCommands(m_sender.get());
    m_watch->armSlots();
}

void MonitorWatchView::ArmAlarmTripChecks()
{
    const Session &s = m_w.m_session;
    const bool trip = s.options.on(Opt::MonTripDisp);
    const AlarmTripChecks::Enabled enabled = AlarmTripChecks::enabledOptions(
        m_w.m_items.alarmTrips, s.data.IndexOfComNo(u"FC91") >= 0, s.data.IndexOfComNo(u"FC90") >= 0, trip);
    m_checks->Arm({s.options.on(Opt::MonAlrmDisp), trip, s.options.on(Opt::MonTripDataDisp)}, enabled);
    if (m_watch)
        m_watch->armSlots();
    const int usable = TMonitoring::Channels - m_checks->hiddenChannels();
    for (int c = 0; c < TMonitoring::Channels; ++c) {
        const bool shown = c < usable;
        MonitorSettingTab *t = m_w.m_setting;
        MonitorDisplayTab *d = m_w.m_display;
        for (QWidget *w : {static_cast<QWidget *>(t->AryCheckBox[c]), static_cast<QWidget *>(t->AryMonName[c]),
                           static_cast<QWidget *>(t->AryDisp[c]), static_cast<QWidget *>(t->AryTCMax[c]),
                           static_cast<QWidget *>(t->AryPlus[c]), static_cast<QWidget *>(t->AryMonCHSet[c]),
                           static_cast<QWidget *>(d->CHLabel[c]), static_cast<QWidget *>(d->ValueField[c]),
                           static_cast<QWidget *>(d->UnitLabel[c])})
            w->setHidden(!shown);
    }
}

void MonitorWatchView::enableDriveCommands()
{
    const Session &s = m_w.m_session;
    const IniFile info(s.folders.infoFile, CodePages::forPrefix(s.selection.languagePrefix));
    const bool option2 = info.readInt(QStringLiteral("Setup"), QStringLiteral("Option2"), 0) != 0;
    const bool enabled = DriveCommandSender::optionEnabled(s.data.IndexOfComNo(u"FA10") >= 0,
                                                           s.data.IndexOfComNo(u"FA11") >= 0,
                                                           s.options.on(Opt::CntMon), option2, s.MainteFlag);
    const bool on = enabled && s.options.on(Opt::MonInvDrive) && m_sender;
    InvRun->setEnabled(on);
    InvStop->setEnabled(on);
}

void MonitorWatchView::driveCommand(DriveCommand command)
{
    if (!m_watch || !m_sender)
        return;
    if (m_w.running()) {
        m_watch->request(command);
        return;
    }
    const auto kind = command == DriveCommand::Run ? DriveCommandSender::Kind::Run : DriveCommandSender::Kind::Stop;
    m_sender->SendDriveCommand(kind, m_meanExchangeMs);
}

void MonitorWatchView::startRun(const MonitorRunSettings &settings, MonitorRunCallbacks &callbacks)
{
    if (m_watch)
        m_watch->startRun(settings, callbacks);
}

void MonitorWatchView::sampleTaken()
{
    m_w.m_display->Chart2->setAlarmTrip(m_checks->alarmLabel, m_checks->tripLabel);
}

void MonitorWatchView::finishRun()
{
    const bool report = m_watch && m_watch->finishRun();
    m_w.m_display->Chart2->setAlarmTrip(QString(), QString());
    if (report)
        showTripReport();
}

void MonitorWatchView::showTripReport()
{
    Session &s = m_w.m_session;
    CommLink *link = m_w.m_link;
    const DriveSelection &drive = s.selection;
    InverterCatalog catalog;
    catalog.scan(s.folders.dataFolder, s.folders.catalogFile());
    DetectExchange detect(link->port().port(), link->settings());
    InverterInfo info(s.data, link->exchange(), detect, catalog, m_w.m_items.alarmTrips, s.messages, m_w.m_prompter);
    TransferReport report;
    MonitorRunWatch::CollectTripReport(info, s.language.ini(), drive.typeName, m_w.m_items, report);
    // "Trip Datas" is armed only while "Display Data at Trip" is checked and enabled.
    const TransferTexts texts = TransferTexts::load(s.language, s.messages);
    TResultForm1::Setup setup;
    setup.mode = TransferMode::TripInfo;
    setup.appFolder = s.folders.appFolder;
    setup.codePage = CodePages::forLanguage(drive.languageName);
    TResultForm1 result(texts, m_w.m_prompter, setup, &m_w);
    result.setReport(report);
    emit tripReportOpening(&result);
    result.exec();
    m_w.m_prompter.pump();
}
