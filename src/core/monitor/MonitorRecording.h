#pragma once

#include <QVector>
#include <array>
#include <deque>

// The samples of one run, as a chart draws them and a file keeps them: per sample the elapsed
// milliseconds, and per selected channel the item value (before multiplier and offset), the
// drawn point and whether its read failed. A triggered run first collects samples in the
// pre-trigger buffer and moves the last of them in front of the recorded ones at its end.
class MonitorRecording
{
public:
    static constexpr int Channels = 10;
    /// Samples a window's recording can hold ("SampleTimes" has this many entries).
    static constexpr int MaxSamples = 11000;

    struct Channel {
        bool selected = false;
        QVector<double> values;  // item values; a failed read keeps what the run used instead
        QVector<double> points;  // y drawn at x = sample index
        QVector<bool> failed;
    };
    struct Buffered {
        int elapsedMs = 0;
        std::array<double, Channels> values{};
    };

    /// Empties the recording for a run of `pointsPerChannel` + 1 samples. With `keep` off
    /// only the latest sample is held (a command-line log of any length).
    void start(int pointsPerChannel, const std::array<bool, Channels> &selected, bool keep = true);

    /// Sample `index` taken at `elapsedMs`; values follow with setValue().
    void beginSample(int index, int elapsedMs);
    void setValue(int channel, double value, double point, bool failed);
    /// A sample had at least one failed read: the error counter goes up and the current
    /// sample is marked. Called once per sample.
    void markErroneous();

    int SamplesTaken() const { return m_samplesTaken; }
    int sampleCount() const { return m_samplesTaken + 1; }
    int pointsPerChannel() const { return m_pointsPerChannel; }
    int errorCount() const { return m_errorCount; }
    bool keeps() const { return m_keep; }
    const QVector<qint32> &SampleTimes() const { return m_sampleTimes; }
    const Channel &channel(int c) const { return m_channels[size_t(c)]; }
    bool erroneous(int index) const;
    /// The last drawn point of channel c, 0 before the first.
    double lastPoint(int c) const { return m_lastPoint[size_t(c)]; }
    double lastValue(int c) const { return m_lastValue[size_t(c)]; }

    // Pre-trigger buffer of a triggered run.
    void clearPretrigger() { m_pretrigger.clear(); }
    void pushPretrigger(const Buffered &sample, int keepAtMost);
    const std::deque<Buffered> &pretrigger() const { return m_pretrigger; }
    /// Moves the buffered samples to indexes 0..kept-1 (their points drawn with the channels'
    /// multipliers and offsets); the recorded samples must already start at index kept.
    void placePretrigger(const std::array<double, Channels> &multipliers, const std::array<int, Channels> &offsets);
    int pretriggerSamples() const { return m_pretriggerPlaced; }

    /// Draws channel c again with another multiplier and offset (a failed sample repeats the
    /// point before it).
    void redrawChannel(int c, double multiplier, int offset);

private:
    void ensureSize(int index);

    int m_pointsPerChannel = 0;
    bool m_keep = true;
    int m_samplesTaken = -1;
    int m_current = -1;
    int m_errorCount = 0;
    int m_pretriggerPlaced = 0;
    QVector<qint32> m_sampleTimes;
    QVector<bool> m_erroneous;
    std::array<Channel, Channels> m_channels;
    std::array<double, Channels> m_lastPoint{};
    std::array<double, Channels> m_lastValue{};
    std::deque<Buffered> m_pretrigger;
};
