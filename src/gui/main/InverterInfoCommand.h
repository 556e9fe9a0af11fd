#pragma once

#include <QObject>

class Prompter;
class TMain;
class TResultForm1;

// The main window's "Inverter Info." (tool button ToolBInvInfo): checks the connection, reads
// the inverter information report from the drive and shows it in a result window.
class InverterInfoCommand : public QObject
{
    Q_OBJECT

public:
    InverterInfoCommand(TMain &main, Prompter &prompter);

    /// Runs the command; returns once the result window has closed.
    void MonInvInfoClick();

signals:
    /// The result window is about to be shown modally (tests read it from here).
    void resultOpening(TResultForm1 *result);

private:
    TMain &m_main;
    Prompter &m_prompter;
};
