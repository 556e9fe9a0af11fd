#pragma once

#include "base/CodePage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>
#include <QVector>
#include <array>

struct DriveSelection;
struct MonitorSetup;
class MonitorRecording;

// A monitor recording as the ".mon" file keeps it: the drive it came from, the armed checks,
// the chart and trigger set-up as the window's texts, the ten channels' set-up and, per
// sample, the elapsed milliseconds and the value of every channel before multiplier and
// offset. The file is text, one field per line for the head, then the comma-separated
// "Data1".."Data4" lines and one line per sample; numbers always with "." and CR LF after
// every line. An older layout without the "###" mark (five channels) is read, never written.
struct MonitorFile {
    static constexpr int Channels = 10;
    static constexpr int LegacyChannels = 5;
    /// Comma-separated lines a legacy file may hold after its two names.
    static constexpr int LegacyLines = 499;
    /// The set-up lines before the samples: Data1..Data4, or the legacy file's four lines.
    static constexpr int SetupLines = 4;
    static inline const QString Mark = QStringLiteral("###");

    enum class Layout { Current, Legacy };

    struct Channel {
        int item = 0;               // position in MonitorItemList
        int multiplierTenths = 10;  // 1..100
        int offset = 0;             // 0..500
        bool selected = false;
        QVector<double> values;     // one per sample; empty for a channel without data
    };

    Layout layout = Layout::Current;
    QString typeName, formName, cpuVersion;
    bool alarmCheck = false;  // "Alarm Check" armed
    bool tripCheck = false;   // "Trip Check" armed
    bool tripDatas = false;   // "Trip Datas" armed
    QString maxText = QStringLiteral("100");  // "Max."
    QString timePerDivision;                  // the chart's time label, seconds
    int triggerSource = 0;                    // 0 = CH1
    int triggerSlope = 0;                     // 0 Up, 1 Down, 2 Both
    QString levelText = QStringLiteral("0");
    QString delayText = QStringLiteral("0");
    bool useTrigger = false;
    QString errorCounter = QStringLiteral("0");
    /// Legacy files: the time per division in milliseconds, as its fourth line gives it.
    QString legacyTimeMs;
    std::array<Channel, Channels> channels;
    QVector<qint32> times;  // elapsed milliseconds of each sample

    int sampleCount() const { return int(times.size()); }
    /// Channels the layout carries: ten, or five for a legacy file.
    int channelCount() const { return layout == Layout::Legacy ? LegacyChannels : Channels; }

    /// The file of a recording as the window holds it: the set-up's texts and channels and,
    /// for samples 0..SamplesTaken, each selected channel's value (0 for the others and for
    /// samples its line does not have).
    static MonitorFile of(const DriveSelection &drive, const MonitorSetup &setup, const MonitorRecording &recording);
    /// The value a channel's line stands for at sample i: (y - offset) / multiplier of its
    /// point, which is the value read unless the read failed and the point repeats another.
    static double sampleValue(const MonitorSetup &setup, const MonitorRecording &recording, int channel, int i);

    /// The bytes of the file, names encoded in `page`.
    QByteArray build(CodePage page) const;

    // Reading happens in two steps, so that the drive checks come before the data are read.
    /// The layout and the names of the drive; false when the lines are no recording at all.
    bool parseHead(const QStringList &lines);
    /// The set-up and the samples. False with *problem set when a sample holds a field that
    /// is not a number, or there are more samples than a recording holds; nothing is then
    /// usable.
    bool parseData(const QStringList &lines, QString *problem);

private:
    void parseCurrentHead(const QStringList &lines);
    /// Splits the set-up lines from `first` into the time list and `channelCount` channel
    /// lists, as far as the first empty line or `last`.
    void splitLists(const QStringList &lines, int first, int last, QStringList *timeList,
                    std::array<QStringList, Channels> *channelLists) const;
    void parseChannelSetup(const std::array<QStringList, Channels> &lists);
    /// The sample lines first..last-1, as far as the first empty line or empty time field.
    bool parseSamples(const QStringList &lines, int first, int last, QString *problem);
    static void splitSample(const QString &line, QStringList *split, QVarLengthArray<QStringView, Channels + 2> *fields);
};
