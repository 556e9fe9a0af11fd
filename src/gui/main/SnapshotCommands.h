#pragma once

#include <QObject>

class Prompter;
class TMain;

// The main window's "Restore last snapshot" (Files menu): the newest snapshot taken before
// writing to this drive and inverter number is put into the table and written back through
// the whole export, which takes its own snapshot first.
class SnapshotCommands : public QObject
{
    Q_OBJECT

public:
    SnapshotCommands(TMain &main, Prompter &prompter);

    void SnapshotRestoreClick();

private:
    TMain &m_main;
    Prompter &m_prompter;
};
