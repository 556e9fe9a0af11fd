#pragma once

#include <QObject>
#include <QTimer>

// The on-line indicator of the main tool bar (ToolBline) and its 300 ms timer (Timer1).
// Image 0: off-line or the last exchange failed; 1: on-line and idle; 2: communicating.
// The window connects imageChanged to the button and repaints it at once, because the
// exchange that follows blocks painting.
class LineIndicator : public QObject
{
    Q_OBJECT
public:
    enum Image { Offline = 0, Online = 1, Communicating = 2 };

    explicit LineIndicator(QObject *parent = nullptr);

    int image() const { return m_image; }
    bool timerActive() const { return m_timer.isActive(); }
    /// Image 2; the 300 ms count starts again now.
    void exchangeStarted();
    /// Image 0 until the next exchange starts; the timer stops.
    void exchangeFailed();
    /// Image 0 for a port that could not be opened; the timer stops.
    void setOffline();

    static constexpr int TimerMs = 300;

signals:
    void imageChanged(int image);

private:
    void setImage(int image);
    void timerFired();

    int m_image = Offline;
    QTimer m_timer;
};
