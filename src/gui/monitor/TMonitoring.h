#pragma once

#include "monitor/MonitorItems.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorRun.h"
#include "monitor/MonitorSetup.h"

#include <QWidget>
#include <memory>

class CommLink;
class MonitorDisplayTab;
class MonitorEntryFields;
class MonitorFileCommands;
class MonitorReader;
class MonitorRunView;
class MonitorSettingTab;
class MonitorWatchView;
class Prompter;
class QTabWidget;
class Session;

// The monitoring window: up to ten drive quantities as values and as lines of a chart. The
// item catalogue, the set-up in [Monitor], the reads and the runs are the core's; the window
// shows them, takes the entries and starts and stops runs.
class TMonitoring : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Channels = MonitorSetup::Channels;

    TMonitoring(Session &session, Prompter &prompter, QWidget *parent = nullptr);
    ~TMonitoring() override;

    /// The line the window reads through (none: always off-line).
    void setCommLink(CommLink *link);
    /// Reads the drive type's monitor items and, when there are any, the saved set-up; false
    /// when the type has no items (monitoring is then unavailable).
    bool LoadMonitorItems();
    bool hasItems() const { return !m_items.isEmpty(); }
    /// Another drive was chosen with "New" since the items were read: reads them again.
    /// False when the new type has none.
    bool reloadIfDriveChanged();

    MonitorDisplayTab *display() const { return m_display; }
    MonitorSettingTab *setting() const { return m_setting; }
    MonitorFileCommands *files() const { return m_files; }
    QTabWidget *pages() const { return m_pages; }
    MonitorWatchView *watch() const { return m_watch; }
    const MonitorSetup &setup() const { return m_setup; }
    const MonitorItemList &items() const { return m_items; }
    const MonitorRecording &recording() const { return m_recording; }
    bool InputErrorPending() const;
    bool running() const;
    int ReadsPerSample() const { return m_readsPerSample; }
    int PointsPerChannel() const { return m_pointsPerChannel; }
    int MinExchangeTime() const { return m_minExchangeTime; }

    /// The window became the active one: colours, the line's exchange time, the selection.
    void FormActivate();
    /// The environment options were changed: colours, continuous mode and recording points
    /// take effect at once.
    void OptionsChanged();
    void MonStartClick();
    void MonStopClick();
    /// Writes the set-up into [Monitor].
    void SaveMonitorSetup();

signals:
    void shownChanged(bool visible);
    /// A run starts (true) or has ended (false).
    void runningChanged(bool running);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class ContinuousFileCommands;
    friend class MonitorEntryFields;
    friend class MonitorFileCommands;
    friend class MonitorRunView;
    friend class MonitorWatchView;
    friend class MonitorPicture;

    void FormCreate();
    void applyTexts();
    void connectHandlers();
    void applyColors();
    void showSetup();
    void showChannel(int c);
    void AryCheckBoxClick();
    void AryMonNameChange(int c);
    void AryDispClick(int c);
    void AryMonCHSetDblClick(int c);
    void refreshUnitLabel(int c);
    void TriggerClick();
    void showContinuousMode();
    void chooseSource(int c);
    void nextSource();
    void nextSlope();
    void showSlope();
    void CheckBoxZoomClick();
    void Chart2ClickSeries(int channel, int index);
    void setSetupEnabled(bool enabled);
    bool lineOnline();
    void measureExchangeTime();
    void drawRecording();

    Session &m_session;
    Prompter &m_prompter;
    CommLink *m_link = nullptr;
    QTabWidget *m_pages = nullptr;
    MonitorDisplayTab *m_display = nullptr;
    MonitorSettingTab *m_setting = nullptr;
    MonitorEntryFields *m_entries = nullptr;
    MonitorFileCommands *m_files = nullptr;
    MonitorWatchView *m_watch = nullptr;
    std::unique_ptr<MonitorReader> m_reader;
    MonitorItemList m_items;
    MonitorSetup m_setup = MonitorSetup::defaults();
    MonitorRecording m_recording;
    MonitorRunFlags m_flags;
    int m_minExchangeTime = 500;
    int m_readsPerSample = 5;
    int m_pointsPerChannel = 600;
    bool m_online = false;
    bool m_filling = false;  // the set-up is being shown: control signals change nothing
    QString m_loadedFor;      // type and CPU version the items were read for
    QString m_texts[4];      // captions of "Value", "Multi.", "Offset", "Passed Time"
};
