#pragma once

#include "SimDrive.h"
#include "SimFaults.h"
#include "SimFrames.h"
#include "SimLine.h"

#include <QByteArray>
#include <memory>
#include <vector>

// The reply to one request frame, or none.
struct SimReply
{
    QByteArray bytes;
    int lateMs = 0;           // extra delay before the reply goes out
    bool disconnect = false;  // the line goes dead after this frame
    SimFaults::Kind fault = SimFaults::Kind::None;
};

// A line of simulated drives: takes the bytes of one request frame and the line settings
// the master used, and gives the reply the addressed drive sends (with the faults of the
// line applied), or nothing.
//
// Addressing: a native frame without number byte and Modbus slave address 251 reach the
// drive when it is alone on the line; number byte 0..63 and Modbus addresses 1..63 the
// drive of that inverter number; the broadcast (number byte 0xFF, Modbus address 0) reaches
// every drive, and the drive with the lowest inverter number answers it.
class SimEngine
{
public:
    enum class Protocol { Native, Modbus };

    explicit SimEngine(Protocol protocol = Protocol::Native, const SimLineSettings &line = {});

    Protocol protocol() const { return m_protocol; }
    const SimLineSettings &line() const { return m_line; }

    /// Adds a drive; false when its inverter number is outside 0..63 or already taken.
    bool addDrive(std::unique_ptr<SimDrive> drive);
    SimDrive *drive(int inverterNumber) const;
    int driveCount() const { return int(m_drives.size()); }

    void setFaults(const SimFaultRates &rates) { m_faults = SimFaults(rates); }
    const SimFaultCounts &faultCounts() const { return m_faults.counts(); }

    /// Whether the bytes already hold a whole frame of this line's protocol.
    SimFrames::Parse frameState(const QByteArray &bytes) const;
    SimReply handle(const QByteArray &request, const SimLineSettings &master, qint64 nowMs);
    /// The reply without faults; empty when no drive answers.
    QByteArray answer(const QByteArray &request, const SimLineSettings &master, qint64 nowMs);

private:
    std::vector<SimDrive *> addressed(const SimRequest &request) const;
    QByteArray answerNative(const SimRequest &request, const std::vector<SimDrive *> &drives, qint64 nowMs);
    QByteArray answerModbus(const SimRequest &request, const std::vector<SimDrive *> &drives, qint64 nowMs);
    QByteArray modbusRead(const SimRequest &request, SimDrive *drive, qint64 nowMs);

    Protocol m_protocol;
    SimLineSettings m_line;
    std::vector<std::unique_ptr<SimDrive>> m_drives;  // sorted by inverter number
    SimFaults m_faults;
};
