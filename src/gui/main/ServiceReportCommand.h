#pragma once

#include "service/ServiceReport.h"

#include <QObject>
#include <functional>

class Prompter;
class TMain;

// The main window's Files > "Service Report...": asks for the archive's name, reads the
// drive's identification, every parameter and its information, compares them with the table
// and the factory values, and writes one zip archive with the communication log and the open
// recording as the windows hold them.
class ServiceReportCommand : public QObject
{
    Q_OBJECT

public:
    ServiceReportCommand(TMain &main, Prompter &prompter);

    /// Runs the command; returns once the archive is written or the command was refused.
    void ServiceReportClick();

    /// The parts the windows hold: the communication log and the recording open in the
    /// monitoring window with its picture. Left unset, or giving empty bytes, the archive goes
    /// without them and its identification says so.
    std::function<QByteArray()> communicationLog;
    std::function<QByteArray()> recordingMon;
    std::function<QByteArray()> recordingPng;

    /// Where the last archive went (empty when none was written).
    QString writtenPath() const { return m_written; }

private:
    QString chooseArchive();
    void tell(const QString &text, bool warning);
    void tellWritten(const ServiceReport &report, const QString &shown);

    TMain &m_main;
    Prompter &m_prompter;
    QString m_written;
};
