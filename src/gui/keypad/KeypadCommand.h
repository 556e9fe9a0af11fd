#pragma once

#include <QObject>

class Prompter;
class TMain;
class TRunPRKP;

// The main window's "Key Pad" command: opens the keypad window modally. While it is open the
// parameter table does not count as the active window.
class KeypadCommand : public QObject
{
    Q_OBJECT

public:
    KeypadCommand(TMain &main, Prompter &prompter);

    void run();

signals:
    /// The window is about to be shown modally (tests drive it from here).
    void keypadOpening(TRunPRKP *window);

private:
    TMain &m_main;
    Prompter &m_prompter;
};
