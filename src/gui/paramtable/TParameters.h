#pragma once

#include <QWidget>

class Prompter;
class Session;

// The hidden data window: owns the parameter tables and the language message table for the
// whole run. It becomes visible only as a diagnostic view of both tables.
class TParameters : public QWidget
{
    Q_OBJECT

public:
    TParameters(Session &session, Prompter &prompter, QWidget *mainWindow);

    /// Loads the language file and the selected drive's tables. False: the start-up fails.
    bool FormCreate();
    bool hasCurrentVoltageList() const;

private:
    Session &m_session;
    Prompter &m_prompter;
};
