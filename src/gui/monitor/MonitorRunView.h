#pragma once

#include "monitor/MonitorRun.h"

#include <memory>

class ContinuousFileCommands;
class TMonitoring;

// One run started with "Start": the checks before it, the window's state while it goes on
// (set-up disabled, values and lines following the samples), and the recording shown at its
// end. The loop itself is the core's MonitorRun; between samples it waits in the event loop
// until the next deadline, so "Stop" and the window's other handlers run meanwhile.
class MonitorRunView
{
public:
    explicit MonitorRunView(TMonitoring &window);
    ~MonitorRunView();

    void start();

private:
    bool mayStart();
    MonitorRun::Kind kind() const;
    void prepare();
    void finish();
    void sampleTaken(const MonitorSample &sample);

    TMonitoring &m_w;
    bool m_recordingShown = false;
    std::unique_ptr<ContinuousFileCommands> m_continuous;  // the table of a continuous run
};
