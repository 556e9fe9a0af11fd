#pragma once

#include <QtGlobal>
#include <array>
#include <random>

// The moving part of a simulated drive: the output frequency ramps towards the frequency
// command while running and back to zero after a stop, the load current follows the
// frequency with a little noise, the alarm word sets one bit at a time on a fixed schedule
// and, when asked to, the drive trips after a set time. Times are milliseconds on a clock
// the caller supplies, so tests can step it.
class SimMotion
{
public:
    explicit SimMotion(quint32 seed = 1);

    void setMaxHz(double hz) { m_maxHz = hz > 0 ? hz : 60.0; }
    void setRampHzPerSecond(double rate) { m_rate = rate > 0 ? rate : 10.0; }
    void setAlarmCount(int count) { m_alarmCount = qBound(0, count, 16); }
    /// After `ms` from the first update (or from the last reset) the drive trips with `code`.
    void setTripAfter(qint64 ms, int code);

    void update(qint64 nowMs);
    void run();
    /// Ramps down; also resets a trip.
    void stop();

    bool running() const { return m_running; }
    bool turning() const { return m_outputHz > 0.0; }
    double outputHz() const { return m_outputHz; }
    double commandHz() const { return m_commandHz; }
    void setCommandHz(double hz) { m_commandHz = qBound(0.0, hz, m_maxHz); }
    double maxHz() const { return m_maxHz; }

    /// Output current in percent of the rated current.
    double currentPercent();
    /// Output voltage in percent of the rated voltage (volts per hertz up to the maximum).
    double voltagePercent() const { return 100.0 * m_outputHz / m_maxHz; }
    /// DC bus voltage in percent of the rated voltage: the rectified mains, a little higher
    /// while the motor brakes.
    double dcBusPercent() const { return 141.0 + ((!m_running && turning()) ? 10.0 : 0.0); }
    quint16 alarmWord() const;
    quint16 terminalWord() const;
    int tripCode() const { return m_tripCode; }
    /// Trip history, 0 the latest.
    int tripHistory(int i) const { return i >= 0 && i < 4 ? m_history[size_t(i)] : 0; }

    static constexpr qint64 AlarmCycleMs = 20000;
    static constexpr qint64 AlarmOnMs = 5000;

private:
    void trip();

    std::mt19937 m_random;
    double m_maxHz = 60.0;
    double m_rate = 10.0;
    double m_outputHz = 0.0;
    double m_commandHz = 0.0;
    bool m_running = false;
    int m_alarmCount = 16;
    qint64 m_startMs = -1;
    qint64 m_lastMs = -1;
    qint64 m_tripAfterMs = 0;
    qint64 m_tripAtMs = -1;
    int m_tripCodeToSet = 1;
    int m_tripCode = 0;
    std::array<int, 4> m_history{};
};
