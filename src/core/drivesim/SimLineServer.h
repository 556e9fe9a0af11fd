#pragma once

#include <QByteArray>
#include <QString>
#include <cmath>

class LineTrace;
class PtyLine;
class SimEngine;

struct SimTiming
{
    /// Replies leave when they would on a real line at the tool's baud rate.
    bool lineTiming = false;
    double turnaroundMs = 1.0;
};

// Serves a line of simulated drives on a pseudo-terminal: gathers the bytes the tool sends
// into frames, hands each frame to the engine and sends the reply when it is due.
//
// Without line timing a frame is taken as soon as its bytes form one, and the reply goes out
// at once. With line timing the request is taken to have arrived 11 bits a byte after its
// first byte, a Modbus drive then waits the 3.5-character silence that ends a frame, the drive
// turns the line round, and the reply is queued only once its last byte would have arrived.
class SimLineServer
{
public:
    SimLineServer(SimEngine &engine, PtyLine &line, const SimTiming &timing);

    /// Logs every frame heard and sent from now on (none: no log).
    void setTrace(LineTrace *trace) { m_trace = trace; }
    /// Runs until `stopFd` becomes readable (a signal descriptor or a pipe).
    void serve(int stopFd);
    /// Milliseconds on the server's clock, the one the drives see.
    static double nowMs();

private:
    struct Pending {
        QByteArray bytes;
        double dueMs = 0.0;
        bool disconnect = false;
        bool active = false;
        int fault = 0;  // SimFaults::Kind, for the log
    };

    void takeInput(double now);
    void processFrame(double now);
    void sendDue(double now);
    double nextWakeMs() const;
    double silenceMs() const;
    void trace(bool sent, const QByteArray &bytes, const QString &note = QString());

    static constexpr double CloseLingerMs = 100.0;

    SimEngine &m_engine;
    PtyLine &m_line;
    SimTiming m_timing;
    QByteArray m_buffer;
    double m_firstByteMs = 0.0;
    double m_lastByteMs = 0.0;
    Pending m_pending;
    double m_closeAtMs = HUGE_VAL;
    LineTrace *m_trace = nullptr;
};
