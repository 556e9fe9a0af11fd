#pragma once

#include "monitor/MonitorSetup.h"

#include <QObject>

class Prompter;
class TMonitoring;
class UpDownEdit;

// The typed entries of the monitoring window (multipliers, offsets, time per division,
// "Max.", scope, trigger level and delay). Each is checked when its field is left, on Enter
// and on a click of its up-down: a text that is not a number gives language message 67, a
// number out of range message 41 with the nearest limit put into the field; either leaves
// InputErrorPending set, which keeps the window open. An accepted entry clears it.
class MonitorEntryFields : public QObject
{
    Q_OBJECT

public:
    MonitorEntryFields(TMonitoring &window, Prompter &prompter);

    void connectFields();
    bool InputErrorPending() const { return m_pending; }
    void clearPending() { m_pending = false; }

    bool checkMultiplier(int c);
    bool checkOffset(int c);
    bool checkTime();
    bool checkMax();
    bool checkScope();
    bool checkLevel();
    bool checkDelay();
    /// Closing checks every entry again; false when one is rejected.
    bool checkAll();

    /// The lowest time per division changed (channel selection, exchange time): the time
    /// base becomes that lowest value.
    void setLowestTime(int lowestMs);
    int lowestTimeMs() const { return m_lowestMs; }
    /// Shows the set-up's values in the fields.
    void showSetup();

private:
    /// The check shared by all entries, with its message. *value receives the number
    /// accepted or, out of range, the nearest limit.
    MonitorEntry::Status checkText(UpDownEdit *field, double low, double high, double *value, bool wholeMs = false);
    bool checkWhole(UpDownEdit *field, int low, int high, int *accepted);
    void showMessage(int number);
    void multiplierStepped(int c, int tenths);
    void offsetStepped(int c, int offset);
    void redrawChannel(int c);

    TMonitoring &m_window;
    Prompter &m_prompter;
    bool m_pending = false;
    bool m_checking = false;
    int m_lowestMs = 2500;
};
