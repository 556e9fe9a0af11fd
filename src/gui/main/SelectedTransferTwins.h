#pragma once

#include <QObject>

class Prompter;
class TMain;

// The main window's "Selected Parameter Import" (F3, ToolBpsr) and "Selected Parameter
// Export" (F2, ToolBpsw): they act only while the parameter table is the active window, and
// not while the connected drive is in special set-up; then they run the table's own command.
// Also gives the table its line and keeps the table's two items enabled with the drive
// commands.
class SelectedTransferTwins : public QObject
{
    Q_OBJECT

public:
    SelectedTransferTwins(TMain &main, Prompter &prompter);

private:
    void run(bool import);
    /// SpecialSetupCheck; true when the drive is in special set-up.
    bool specialSetup();

    TMain &m_main;
    Prompter &m_prompter;
};
