#include "TMonitoring.h"

#include "ColorBox.h"
#include "ContinuousFileCommands.h"
#include "MonitorChart.h"
#include "MonitorDisplayTab.h"
#include "MonitorEntryFields.h"
#include "MonitorFileCommands.h"
#include "MonitorPicture.h"
#include "MonitorRunView.h"
#include "MonitorSettingTab.h"
#include "MonitorWatchView.h"
#include "UpDownEdit.h"
#include "app/Session.h"
#include "base/CodePage.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"
#include "monitor/MonitorReader.h"
#include "monitor/MonitorTiming.h"
#include "monitor/MonitorValues.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

enum Message { NotAnswering = 3, NoItems = 8, NothingToRead = 49 };

QColor fromBgr(int bgr)
{
    return QColor(BgrColor::red(bgr), BgrColor::green(bgr), BgrColor::blue(bgr));
}

void setTextColor(QWidget *w, const QColor &text, const QColor *back = nullptr)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, text);
    if (back)
        p.setColor(QPalette::Window, *back);
    w->setPalette(p);
}

}  // namespace

TMonitoring::TMonitoring(Session &session, Prompter &prompter, QWidget *parent)
    : QWidget(parent, Qt::Window), m_session(session), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TMonitoring"));
    setMinimumSize(639, 403);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_display = new MonitorDisplayTab(m_pages);
    m_setting = new MonitorSettingTab(m_pages);
    m_pages->addTab(m_display, QString());
    m_pages->addTab(m_setting, QString());
    layout->addWidget(m_pages);
    m_entries = new MonitorEntryFields(*this, prompter);
    m_watch = new MonitorWatchView(*this);
    connectHandlers();
    FormCreate();
    m_files = new MonitorFileCommands(*this, prompter);
    m_files->setPictureWriter([this](const QString &path, MonitorFileSave::Format, QString *error) {
        return MonitorPicture::save(*this, path, error);
    });
    connect(m_files, &MonitorFileCommands::recordingOpened, m_watch, &MonitorWatchView::ArmAlarmTripChecks);
}

TMonitoring::~TMonitoring() = default;

void TMonitoring::FormCreate()
{
    applyTexts();
    m_session.settings().eraseMonitorUnlessKept(m_session.options.on(Opt::MonKeep));
    LoadMonitorItems();
    m_display->Chart2->setErrorCount(0);
    m_display->MonStop->setEnabled(false);
    // Monitor files and the monitor report come with their own windows.
    for (QPushButton *b : {m_display->MonOpen, m_display->MonSave, m_display->MonPrint})
        b->setEnabled(false);
    m_pages->setCurrentWidget(m_display);
}

void TMonitoring::applyTexts()
{
    const LanguageFile &lang = m_session.language;
    auto text = [&](const char *key, const char *def) {
        return lang.text(QStringLiteral("Monitor"), QString::fromLatin1(key), QString::fromLatin1(def));
    };
    setWindowTitle(text("Form", "Monitoring"));
    m_pages->setTabText(0, text("Tab2", "Display"));
    m_pages->setTabText(1, text("Tab1", "Setting"));
    m_display->applyTexts(lang);
    m_setting->applyTexts(lang);
    m_texts[0] = text("Label12", "Value");
    m_texts[1] = text("Label62", "Multi.");
    m_texts[2] = text("Label63", "Offset");
    m_texts[3] = text("LabelA", "Passed Time");
}

void TMonitoring::connectHandlers()
{
    for (int c = 0; c < Channels; ++c) {
        connect(m_setting->AryCheckBox[c], &QCheckBox::clicked, this, &TMonitoring::AryCheckBoxClick);
        connect(m_setting->AryMonName[c], &QComboBox::currentIndexChanged, this, [this, c] { AryMonNameChange(c); });
        connect(m_setting->AryDisp[c], &QCheckBox::clicked, this, [this, c] { AryDispClick(c); });
        connect(m_setting->AryMonCHSet[c], &ColorBox::doubleClicked, this, [this, c] { AryMonCHSetDblClick(c); });
    }
    m_entries->connectFields();
    MonitorDisplayTab *d = m_display;
    connect(d->MonStart, &QPushButton::clicked, this, &TMonitoring::MonStartClick);
    connect(d->MonStop, &QPushButton::clicked, this, &TMonitoring::MonStopClick);
    connect(d->Trigger, &QCheckBox::clicked, this, [this](bool on) {
        m_setup.useTrigger = on;
        TriggerClick();
    });
    connect(d->CheckBoxZoom, &QCheckBox::clicked, this, &TMonitoring::CheckBoxZoomClick);
    connect(d, &MonitorDisplayTab::channelLabelClicked, this, &TMonitoring::chooseSource);
    connect(d, &MonitorDisplayTab::sourceDoubleClicked, this, &TMonitoring::nextSource);
    connect(d, &MonitorDisplayTab::slopeDoubleClicked, this, &TMonitoring::nextSlope);
    connect(d->Chart2, &MonitorChart::pointClicked, this, &TMonitoring::Chart2ClickSeries);
    connect(d->Chart2, &MonitorChart::scopeChanged, this, [d](const QString &scope) {
        d->ZoomVal->setText(scope);
        d->ZoomVal->setPosition(scope.toInt());
    });
    connect(d->Chart2, &MonitorChart::markerReleased, this, [this](int level) {
        m_setting->Level->setText(QString::number(level));
        m_entries->checkLevel();
    });
}

void TMonitoring::setCommLink(CommLink *link)
{
    m_link = link;
    m_reader = link ? std::make_unique<MonitorReader>(m_session.data, link->exchange()) : nullptr;
    m_watch->linkChanged();
    for (int c = 0; c < Channels; ++c)
        AryMonNameChange(c);
}

bool TMonitoring::LoadMonitorItems()
{
    const DriveSelection &drive = m_session.selection;
    const IniFile info(m_session.folders.infoFile, CodePages::forPrefix(drive.languagePrefix));
    const bool found = ::LoadMonitorItems(info, drive.typeName, drive.languagePrefix, m_session.data, m_items);
    m_loadedFor = drive.typeName + QLatin1Char('|') + drive.cpuVersion;
    MonitorChart *chart = m_display->Chart2;
    chart->clearLines();
    chart->setFullRange(ChartScope::ScreenSamples);
    chart->setRange({0, ChartScope::ScreenSamples});
    chart->setTimePerDivision(QString());
    chart->setWaiting(false);
    chart->setErrorCount(0);
    for (QLabel *value : m_display->ValueField)
        value->setText(QStringLiteral("0"));
    if (!found) {
        m_prompter.message(m_session.messages.text(NoItems), m_session.messages.caption(), Prompter::Icon::Warning,
                           Prompter::Buttons::Ok);
        return false;
    }
    m_filling = true;
    for (QComboBox *box : m_setting->AryMonName) {
        box->clear();
        box->addItems(m_items.names());
    }
    m_filling = false;
    const int lowestMs = MonitorTiming::LowestTimePerDivisionMs(m_minExchangeTime, std::max(1, m_setup.selectedCount()));
    RestoreMonitorSetup(m_session.settings(), drive, m_items.size(), lowestMs / 1000.0, m_setup);
    showSetup();
    return true;
}

bool TMonitoring::reloadIfDriveChanged()
{
    const DriveSelection &drive = m_session.selection;
    if (m_loadedFor != drive.typeName + QLatin1Char('|') + drive.cpuVersion && !running()) {
        LoadMonitorItems();
        setCommLink(m_link);
    }
    return hasItems();
}

void TMonitoring::showSetup()
{
    m_filling = true;
    for (int c = 0; c < Channels; ++c)
        showChannel(c);
    m_entries->showSetup();
    m_display->CheckBoxZoom->setChecked(m_setup.zoom);
    m_display->Trigger->setChecked(m_setup.useTrigger);
    showSlope();
    m_filling = false;
    AryCheckBoxClick();
    TriggerClick();
    CheckBoxZoomClick();
}

void TMonitoring::showChannel(int c)
{
    const MonitorChannel &ch = m_setup.channels[size_t(c)];
    m_setting->AryCheckBox[c]->setChecked(ch.selected);
    m_setting->AryMonName[c]->setCurrentIndex(ch.item);
    AryMonNameChange(c);
    m_setting->AryDisp[c]->setChecked(ch.unitChange && m_setting->AryDisp[c]->isEnabled());
    refreshUnitLabel(c);
    const QColor color = fromBgr(ch.color);
    m_setting->AryMonCHSet[c]->setColor(color);
    m_display->Chart2->setLineColor(c, color);
    const QColor back = fromBgr(m_session.options.value(Opt::MonCB));
    setTextColor(m_display->ValueField[c], color, &back);
}

void TMonitoring::AryCheckBoxClick()
{
    if (m_filling)
        return;
    int first = -1;
    for (int c = 0; c < Channels; ++c) {
        MonitorChannel &ch = m_setup.channels[size_t(c)];
        // A channel given up to the alarm or trip check does not count, checked or not.
        ch.selected = m_setting->AryCheckBox[c]->isChecked() && !m_setting->AryCheckBox[c]->isHidden();
        const MonitorItem *item = m_items.at(ch.item);
        const bool on = ch.selected && !running();
        m_setting->AryMonName[c]->setEnabled(on);
        m_setting->AryTCMax[c]->setEnabled(on);
        m_setting->AryPlus[c]->setEnabled(on);
        m_setting->AryDisp[c]->setEnabled(on && m_items.hasUnits && item && item->hasAltUnit());
        if (ch.selected && first < 0)
            first = c;
    }
    const AlarmTripChecks &checks = m_watch->checks();
    m_readsPerSample = MonitorTiming::ReadsPerSample(m_setup.selectedCount(), checks.AlarmChk, checks.TripChk);
    m_display->MonStart->setEnabled(m_setup.selectedCount() > 0 && m_online && hasItems() && !running());
    m_display->Chart2->setFollowLine(first < 0 ? 0 : first);
    if (m_readsPerSample > 0) {
        m_pointsPerChannel = MonitorTiming::PointsPerChannel(m_session.options.value(Opt::MonRecPoint), m_readsPerSample);
        m_entries->setLowestTime(MonitorTiming::LowestTimePerDivisionMs(m_minExchangeTime, m_readsPerSample));
    }
    // The continuous time base follows PointsPerChannel.
    showContinuousMode();
}

void TMonitoring::AryMonNameChange(int c)
{
    if (m_filling && m_setting->AryMonName[c]->count() == 0)
        return;
    MonitorChannel &ch = m_setup.channels[size_t(c)];
    ch.item = std::max(0, m_setting->AryMonName[c]->currentIndex());
    const MonitorItem *item = m_items.at(ch.item);
    if (!item)
        return;
    if (m_reader)
        m_reader->refreshSlot(c, item->code);
    m_display->CHLabel[c]->setToolTip(item->name);
    m_display->ValueField[c]->setToolTip(item->name);
    if (!item->hasAltUnit() || !m_items.hasUnits) {
        ch.unitChange = false;
        m_setting->AryDisp[c]->setChecked(false);
        m_setting->AryDisp[c]->setEnabled(false);
    } else {
        m_setting->AryDisp[c]->setEnabled(ch.selected && !running());
    }
    refreshUnitLabel(c);
}

void TMonitoring::AryDispClick(int c)
{
    m_setup.channels[size_t(c)].unitChange = m_setting->AryDisp[c]->isChecked();
    refreshUnitLabel(c);
}

void TMonitoring::refreshUnitLabel(int c)
{
    const MonitorChannel &ch = m_setup.channels[size_t(c)];
    const MonitorItem *item = m_items.at(ch.item);
    m_display->UnitLabel[c]->setText(!item ? QString() : ch.unitChange ? item->altUnit : item->normalUnit);
    m_display->UnitLabel[c]->setEnabled(m_items.hasUnits);
}

void TMonitoring::AryMonCHSetDblClick(int c)
{
    if (running())
        return;
    MonitorChannel &ch = m_setup.channels[size_t(c)];
    const QColor chosen = QColorDialog::getColor(fromBgr(ch.color), this);
    if (!chosen.isValid())
        return;
    ch.color = BgrColor::fromRgb(chosen.red(), chosen.green(), chosen.blue());
    showChannel(c);
    m_display->Chart2->replotLater();
}

bool TMonitoring::InputErrorPending() const
{
    return m_entries->InputErrorPending();
}

bool TMonitoring::running() const
{
    return m_flags.MonitoringRunning;
}

void TMonitoring::SaveMonitorSetup()
{
    if (!hasItems())
        return;
    // A channel hidden for the alarm or trip check keeps its box as the user left it.
    MonitorSetup kept = m_setup;
    for (int c = 0; c < Channels; ++c)
        kept.channels[size_t(c)].selected = m_setting->AryCheckBox[c]->isChecked();
    ::SaveMonitorSetup(m_session.settings(), m_session.selection, kept);
}

void TMonitoring::TriggerClick()
{
    MonitorDisplayTab *d = m_display;
    for (QLabel *label : d->CHLabel) {
        QFont f = label->font();
        f.setBold(false);
        label->setFont(f);
        setTextColor(label, palette().color(QPalette::WindowText));
    }
    // A run disables the check box but keeps the trigger shown; continuous mode hides it.
    const bool on = d->Trigger->isChecked() && !d->Trigger->isHidden();
    for (QWidget *w : {static_cast<QWidget *>(d->Label11), static_cast<QWidget *>(d->Label42),
                       static_cast<QWidget *>(d->TrgCHDisp), static_cast<QWidget *>(d->Label43),
                       static_cast<QWidget *>(d->Image6)})
        w->setVisible(on);
    d->Chart2->setTrigger(on, m_setup.triggerLevel);
    const int source = m_setup.triggerChannel;
    d->TrgCHDisp->setText(QStringLiteral("CH%1").arg(source + 1));
    d->TrgCHDisp->setEnabled(m_setup.channels[size_t(source)].selected);
    if (on) {
        QLabel *label = d->CHLabel[source];
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
        setTextColor(label, Qt::red);
    }
}

void TMonitoring::chooseSource(int c)
{
    const bool continuous = m_session.options.on(Opt::CntMon);
    if (!m_display->Trigger->isChecked() || !m_display->Trigger->isEnabled() || running() || continuous)
        return;
    m_setup.triggerChannel = c;
    TriggerClick();
}

void TMonitoring::nextSource()
{
    if (!m_display->Trigger->isChecked() || !m_display->Trigger->isEnabled())
        return;
    const int usable = Channels - m_watch->checks().hiddenChannels();
    for (int step = 1; step <= usable; ++step) {
        const int c = (m_setup.triggerChannel + step) % usable;
        if (m_setting->AryCheckBox[c]->isChecked()) {
            m_setup.triggerChannel = c;
            break;
        }
    }
    TriggerClick();
}

void TMonitoring::nextSlope()
{
    if (!m_display->Trigger->isEnabled())
        return;
    m_setup.triggerSlope = TriggerSlope((int(m_setup.triggerSlope) + 1) % 3);
    showSlope();
}

void TMonitoring::showSlope()
{
    const int slope = int(m_setup.triggerSlope);
    const char *keys[] = {"Item71", "Item72", "Item73"};
    const char *defaults[] = {"Up", "Down", "Both"};
    m_display->showSlope(slope, m_session.language.text(QStringLiteral("Monitor"), QString::fromLatin1(keys[slope]),
                                                        QString::fromLatin1(defaults[slope])));
}

void TMonitoring::CheckBoxZoomClick()
{
    m_setup.zoom = m_display->CheckBoxZoom->isChecked();
    m_display->Chart2->setZoomMode(m_setup.zoom && m_display->CheckBoxZoom->isEnabled());
}

void TMonitoring::Chart2ClickSeries(int channel, int index)
{
    const MonitorChannel &ch = m_setup.channels[size_t(channel)];
    const MonitorItem *item = m_items.at(ch.item);
    ChartScope::PointInfo info;
    info.channel = channel + 1;
    info.itemName = item ? item->name : QString();
    const double value = (m_display->Chart2->pointY(channel, index) - ch.offset) / ch.multiplier();
    info.valueText = FormatItemValue(m_session.data, item ? item->row : -1, value);
    info.multiplier = ch.multiplier();
    info.offset = ch.offset;
    info.index = index;
    info.secondsPerDivision = m_display->Chart2->timePerDivision().toDouble();
    info.valueCaption = m_texts[0];
    info.multiplierCaption = m_texts[1];
    info.offsetCaption = m_texts[2];
    info.timeCaption = m_texts[3];
    m_prompter.message(ChartScope::pointInfoText(info), m_session.messages.caption(), Prompter::Icon::Information,
                       Prompter::Buttons::Ok);
}

void TMonitoring::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isVisible())
        return;
    if (isActiveWindow())
        FormActivate();
    else
        SaveMonitorSetup();
}

void TMonitoring::FormActivate()
{
    applyColors();
    if (!running() && !reloadIfDriveChanged())
        return;
    if (!running()) {
        measureExchangeTime();
        m_watch->ArmAlarmTripChecks();
        AryCheckBoxClick();
    }
    m_watch->enableDriveCommands();
    showContinuousMode();
}

void TMonitoring::OptionsChanged()
{
    applyColors();
    if (!running())
        AryCheckBoxClick();
    showContinuousMode();
}

void TMonitoring::showContinuousMode()
{
    const bool continuous = m_session.options.on(Opt::CntMon);
    m_display->Label41->setVisible(continuous);
    m_display->Trigger->setVisible(!continuous);
    m_display->TimeVal->setVisible(!continuous);
    m_display->TimeFixed->setVisible(continuous);
    m_display->TimeFixed->setText(continuous ? ContinuousFileCommands::timePerDivisionText(*this) : QString());
    if (continuous)
        m_display->Trigger->setChecked(false);
    TriggerClick();
}

void TMonitoring::applyColors()
{
    const Options &options = m_session.options;
    const QColor back = fromBgr(options.value(Opt::MonCB));
    m_display->Chart2->setBackColor(back);
    for (int c = 0; c < Channels; ++c)
        setTextColor(m_display->ValueField[c], fromBgr(m_setup.channels[size_t(c)].color), &back);
    m_display->Chart2->setLabelColors(fromBgr(options.value(Opt::WaitMsgC)), fromBgr(options.value(Opt::CTimeC)),
                                      fromBgr(options.value(Opt::CErrC)));
    if (m_reader) {
        MonitorDisplayOptions &o = m_reader->display();
        o.terminalLevel = options.value(Opt::TBValSet);
        o.freeUnit = options.on(Opt::FreeUnitMon);
        o.freeUnitFactor = options.value(Opt::ValMulti) / 100.0;
        o.zeroOnError = options.on(Opt::CheckBox1);
        o.voltageBase = m_session.data.voltageBase;
        o.currentBase = m_session.data.currentBase;
    }
}

bool TMonitoring::lineOnline()
{
    return m_link && m_link->connectionCheck().run();
}

void TMonitoring::measureExchangeTime()
{
    m_online = lineOnline();
    const Options &options = m_session.options;
    int mean = 0;
    m_minExchangeTime = m_reader ? m_reader->MinExchangeTime(m_online, 1, options.value(Opt::ComChkTimes),
                                                             options.value(Opt::ComSpMarg), &mean)
                                 : MonitorTiming::OfflineMinExchangeTime;
    m_watch->setMeanExchangeMs(mean);
}

void TMonitoring::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_entries->clearPending();
    m_flags.DriveRunRequest = false;
    m_flags.DriveStopRequest = false;
    emit shownChanged(true);
}

void TMonitoring::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    emit shownChanged(false);
}

void TMonitoring::closeEvent(QCloseEvent *event)
{
    // Refused while a run goes on, and while an entry is rejected.
    if (running() || m_session.monitoringRunning || !m_entries->checkAll()) {
        event->ignore();
        return;
    }
    SaveMonitorSetup();
    event->accept();
}

void TMonitoring::drawRecording()
{
    MonitorChart *chart = m_display->Chart2;
    for (int c = 0; c < Channels; ++c) {
        const MonitorRecording::Channel &ch = m_recording.channel(c);
        if (ch.selected)
            chart->setLinePoints(c, ch.points);
    }
    chart->replotLater();
}

void TMonitoring::MonStartClick()
{
    MonitorRunView(*this).start();
}

void TMonitoring::MonStopClick()
{
    m_flags.StopRequested = true;
}

void TMonitoring::setSetupEnabled(bool enabled)
{
    MonitorDisplayTab *d = m_display;
    for (QWidget *w : {static_cast<QWidget *>(d->XValMax), static_cast<QWidget *>(d->TimeVal),
                       static_cast<QWidget *>(d->ZoomVal), static_cast<QWidget *>(d->CheckBoxZoom),
                       static_cast<QWidget *>(d->Trigger)})
        w->setEnabled(enabled);
    for (int c = 0; c < Channels; ++c) {
        m_setting->AryCheckBox[c]->setEnabled(enabled);
        m_setting->AryMonCHSet[c]->setEnabled(enabled);
    }
    m_display->MonStart->setEnabled(false);
    // Item lists, unit change, multipliers, offsets and "Start" follow the selection.
    AryCheckBoxClick();
}
