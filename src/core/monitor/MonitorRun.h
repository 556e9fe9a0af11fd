#pragma once

#include "MonitorSetup.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QString>
#include <array>
#include <functional>

class MonitorReader;
class MonitorRecording;

// The flags a run shares with the handlers that run while it waits. Handlers only set them;
// the run reads them after every pass of pending events and at the end of each sample.
struct MonitorRunFlags {
    bool MonitoringRunning = false;  // set by the run for its whole length
    bool StopRequested = false;      // "Stop", a trip with "Trip Datas", a signal, a lost line
    bool DriveRunRequest = false;    // "Inverter Run"
    bool DriveStopRequest = false;   // "Inverter Stop"
};

enum class DriveCommand { Run, Stop };

// What one channel gave in one sample.
struct MonitorChannelSample {
    bool read = false;    // the channel is selected and was read
    bool failed = false;  // its exchange failed
    QString raw;          // the raw number as decimal text ("0" after a failure)
    double value = 0;     // the item value the run used
    double point = 0;     // the y drawn (continuous: only when the sample was plotted)
    QString text;         // the value field's text: the formatted display value, or "Err."
};

// One sample of a run, handed to the window (value fields, chart), the command-line log and
// the checks attached to the run.
struct MonitorSample {
    enum class Phase { Plain, Waiting, Recording, Continuous };
    Phase phase = Phase::Plain;
    int index = 0;            // sample index (x); waiting: position in the pre-trigger buffer
    int elapsedMs = 0;        // milliseconds since the start (recording: since the trigger)
    int deadlineMs = 0;       // when the sample was due, on the same clock
    double lateMs = 0;        // how long after its deadline the sample began
    int pretriggerKept = 0;   // triggered: samples kept before the trigger
    bool erroneous = false;   // at least one counted read failed
    int errorCount = 0;       // erroneous samples of the run so far
    bool plotted = true;      // continuous: a point was added with this sample
    int plotIndex = 0;        // continuous: its x
    std::array<MonitorChannelSample, MonitorSetup::Channels> channels;
};

// The callbacks a run is driven through. Only `wait` is required.
struct MonitorRunCallbacks {
    /// Runs pending events; when none are pending, blocks until one arrives or the deadline
    /// passes. An expired deadline only runs what is pending. Must never spin.
    std::function<void(const QDeadlineTimer &deadline)> wait;
    /// After the reads, checks and error count of every sample.
    std::function<void(const MonitorSample &sample)> sampleTaken;
    /// Alarm and trip checks, after the channel reads of each sample. May mark the sample
    /// erroneous or set StopRequested.
    std::function<void(MonitorSample &sample)> checks;
    /// Sends a pending RUN or STOP command; the request flag is cleared before the call.
    std::function<void(DriveCommand command)> driveCommand;
    /// A triggered run starts (true) or ends (false) waiting for its trigger.
    std::function<void(bool waiting)> waitingForTrigger;
    /// Continuous run: one table line of elapsed milliseconds and the ten values. False when
    /// the line could not be written; the run then ends.
    std::function<bool(int elapsedMs, const std::array<double, MonitorSetup::Channels> &values)> continuousLine;
};

// What a run is told to do, fixed at "Start".
struct MonitorRunSettings {
    MonitorSetup setup;               // channel selection, multipliers, offsets, trigger
    std::array<QString, MonitorSetup::Channels> altUnits;  // alternative unit of each channel's item
    int pointsPerChannel = 600;       // the run takes samples 0..pointsPerChannel
    double sampleIntervalMs = 500;    // SampleInterval: time per division x 200
    bool keepSamples = true;          // false: the recording holds the latest sample only
    double recordMinutes = 120;       // continuous: "Record Time (min)"
    double samplingSeconds = 10;      // continuous: "Sampling Time (s/point)"
    int plotDivider = 1;              // continuous: ContinuousPlotDivider
    int silenceLimitMs = 0;           // > 0: the run ends when no channel read succeeded this long

    /// The plain and triggered runs' settings from a set-up: interval = time per division x 200.
    static MonitorRunSettings fromSetup(const MonitorSetup &setup, int pointsPerChannel);
};

// One sampling run on the calling thread. Samples follow absolute deadlines counted from the
// start (next = next + interval, truncated to whole milliseconds), so waiting does not add up;
// between samples the run waits through the `wait` callback and reads the flags after it.
class MonitorRun
{
public:
    enum class Kind { Plain, Triggered, Continuous };
    /// Why the last run ended.
    enum class Ending { Completed, Stopped, LineSilent, RecordTimeOver, LineNotWritten };

    MonitorRun(MonitorReader &reader, MonitorRecording &recording, MonitorRunFlags &flags,
               MonitorRunCallbacks callbacks);

    /// Runs one loop to its end: all samples taken, StopRequested, or the record time passed.
    /// Sets MonitoringRunning while it runs. Returns SamplesTaken (-1 when none).
    int run(Kind kind, const MonitorRunSettings &settings);
    Ending ending() const { return m_ending; }

private:
    int runPlain();
    int runTriggered();
    /// Waiting phase: samples go to the pre-trigger buffer until the trigger fires or a stop.
    void waitForTrigger();
    /// Recording phase from index `kept`, timed from the trigger.
    void recordFrom(int kept);
    int runContinuous();
    /// Continuous run: one point per line at plotIndex, the mean of two samples per channel.
    void plot(MonitorSample &sample, const std::array<double, MonitorSetup::Channels> &plotted);

    void readChannels(MonitorSample &sample, bool failuresCount, const std::array<double, MonitorSetup::Channels> &fallback);
    void afterReads(MonitorSample &sample, bool countErrors, bool sendCommands);
    /// Ends the run when the channels have not answered for silenceLimitMs.
    void watchSilence(const MonitorSample &sample);
    /// Waits until `deadlineMs` on the run's clock or StopRequested, then runs pending events
    /// once more. False when a stop was requested.
    bool waitUntil(int deadlineMs);
    void beginSample(MonitorSample &sample, int deadlineMs);
    void sendDriveCommands();

    MonitorReader &m_reader;
    MonitorRecording &m_recording;
    MonitorRunFlags &m_flags;
    MonitorRunCallbacks m_cb;
    MonitorRunSettings m_settings;
    QElapsedTimer m_clock;
    QElapsedTimer m_lastAnswer;  // since the last channel read that succeeded
    Ending m_ending = Ending::Completed;
};
