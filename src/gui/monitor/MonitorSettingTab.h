#pragma once

#include <QWidget>

class LanguageFile;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class UpDownEdit;
class ColorBox;

// The "Setting" tab of the monitoring window: a row per channel (box "CHn", item list, unit
// change, multiplier, offset, colour) and the group "Trigger Setting" (level and delay).
// It only builds and lays out the controls; TMonitoring reads and fills them.
class MonitorSettingTab : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Channels = 10;

    explicit MonitorSettingTab(QWidget *parent);

    /// Captions from the language file's [Monitor] section.
    void applyTexts(const LanguageFile &lang);

    QCheckBox *AryCheckBox[Channels] = {};
    QComboBox *AryMonName[Channels] = {};
    QCheckBox *AryDisp[Channels] = {};
    UpDownEdit *AryTCMax[Channels] = {};  // multiplier, up-down in tenths
    UpDownEdit *AryPlus[Channels] = {};   // offset
    ColorBox *AryMonCHSet[Channels] = {};
    QLabel *Label61 = nullptr, *Label62 = nullptr, *Label63 = nullptr, *Label64 = nullptr;
    QGroupBox *Group7 = nullptr;
    QLabel *Label71 = nullptr, *Label72 = nullptr;
    UpDownEdit *Level = nullptr;  // "Level" (Edit3, up-down TrigLvl)
    UpDownEdit *Delay = nullptr;  // "Delay (%)" (Edit4, up-down TrigPos)

private:
    void createChannelRow(class QGridLayout *grid, int channel);
    QGroupBox *createTriggerGroup();
};
