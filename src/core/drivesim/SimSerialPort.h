#pragma once

#include "SimLine.h"
#include "SimLineServer.h"
#include "comm/SerialPort.h"

#include <QByteArray>
#include <deque>

class SimEngine;

// The in-process line: a SerialPort whose other end is a SimEngine. Each written frame goes
// to the engine with the port's line settings (every parity visible, unlike on a pty), and
// its reply is queued for reading when it would have arrived. With line timing, write()
// takes as long as the frame needs on the line, and the reply arrives after the Modbus
// 3.5-character silence, the drive's turnaround and the reply's own line time; faults of
// the engine (late, dropped, corrupt, garbage, truncated replies, disconnect) show up here.
// Clearing the receive queue drops what has arrived; a late reply still on its way comes.
class SimSerialPort : public SerialPort
{
public:
    explicit SimSerialPort(SimEngine &engine, const SimTiming &timing = {});

    bool open(const QString &deviceName) override;
    bool setLine(const LineSettings &line) override;
    void close() override;
    bool isOpen() const override { return m_open; }

    void purge() override;
    void setRts(bool) override {}
    bool write(const QByteArray &frame) override;
    int queuedInput() override;
    QByteArray read(int count) override;
    int waitForInput(int count, QDeadlineTimer deadline) override;

    /// The line went dead (disconnect fault): writes fail until the port is opened again.
    bool disconnected() const { return m_disconnected; }
    static SimLineSettings simLine(const LineSettings &line);

private:
    struct Arrival {
        QByteArray bytes;
        double atMs = 0.0;
        bool disconnect = false;
    };

    void deliver(double now);

    SimEngine &m_engine;
    SimTiming m_timing;
    LineSettings m_line;
    bool m_open = false;
    bool m_disconnected = false;
    std::deque<Arrival> m_arrivals;
    QByteArray m_queue;
};
