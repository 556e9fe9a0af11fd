#pragma once

#include "transfer/TransferMode.h"

#include <QObject>

class TMain;
class Prompter;

// The main window's whole transfers ("Parameter Import", "Parameter Export", "Parameter
// Comparison"): the common start, the transfer window, the result window and the refresh of
// the parameter table.
class TransferCommands : public QObject
{
    Q_OBJECT

public:
    TransferCommands(TMain &main, Prompter &prompter);

    /// Runs one command; returns once its windows have closed.
    void run(TransferMode mode);

    /// The result window of the last command was shown (for tests).
    bool resultShown() const { return m_resultShown; }

signals:
    /// The transfer window of a run is about to open (tests script it from here).
    void workBarOpening(class TWorkBar *bar);
    /// The result window is about to be shown modally.
    void resultOpening(class TResultForm1 *result);

private:
    TMain &m_main;
    Prompter &m_prompter;
    bool m_resultShown = false;
};
