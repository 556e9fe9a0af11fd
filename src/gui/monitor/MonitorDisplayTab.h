#pragma once

#include <QWidget>

class LanguageFile;
class QCheckBox;
class QLabel;
class QPushButton;
class MonitorChart;
class UpDownEdit;

// The "Display" tab of the monitoring window: the chart with a value field per channel
// beside it, the chart entries ("Max.", "Time", scope), "Zoom" and "Use Level Trigger", the
// trigger source and slope, and the run buttons. It only builds and lays out the controls.
class MonitorDisplayTab : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Channels = 10;

    explicit MonitorDisplayTab(QWidget *parent);

    /// Captions from the language file's [Monitor] section.
    void applyTexts(const LanguageFile &lang);
    /// The slope picture for 0 "Up", 1 "Down" or 2 "Both", with its text as hint.
    void showSlope(int slope, const QString &hint);

    MonitorChart *Chart2 = nullptr;
    QLabel *CHLabel[Channels] = {};     // "CHn"; a click chooses the trigger source
    QLabel *ValueField[Channels] = {};  // latest value, bold, in the channel's colour
    QLabel *UnitLabel[Channels] = {};
    QLabel *Label11 = nullptr, *Label12 = nullptr;  // headings "Trigger" and "Value"
    QLabel *Label21 = nullptr, *Label22 = nullptr, *Label23 = nullptr, *Label24 = nullptr, *ScopeUnit = nullptr;
    UpDownEdit *XValMax = nullptr;  // "Max."
    UpDownEdit *TimeVal = nullptr;  // seconds per division; up-down in milliseconds
    UpDownEdit *ZoomVal = nullptr;  // scope in percent
    QLabel *TimeFixed = nullptr;    // continuous mode: the time base, not editable
    QCheckBox *CheckBoxZoom = nullptr, *Trigger = nullptr;
    QLabel *Label42 = nullptr, *TrgCHDisp = nullptr, *Label43 = nullptr, *Image6 = nullptr;
    QLabel *Label41 = nullptr;  // "Continuous Monitoring"
    QPushButton *MonStart = nullptr, *MonStop = nullptr, *MonOpen = nullptr, *MonSave = nullptr, *MonPrint = nullptr;

signals:
    void channelLabelClicked(int channel);
    void sourceDoubleClicked();
    void slopeDoubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *createChannelPanel();
    QWidget *createEntryRow();
    QWidget *createButtonRow();
};
