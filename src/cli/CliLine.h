#pragma once

#include "comm/CommSettings.h"
#include "comm/LineTraceFile.h"
#include "comm/PosixSerialPort.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

class CliDrive;
class CliParser;
class DriveData;

// The serial line a vkr command talks over: the line options and the open port. Options left
// out keep the defaults of the communication settings (9600 bit/s, even parity, native
// protocol, no inverter number, 200 ms); without --port the first available system port.
class CliLine
{
public:
    /// The line options: --port, --baud, --parity, --protocol, --id, --broadcast, --timeout,
    /// --trace.
    static QList<QCommandLineOption> options();
    /// Takes the line options from a parsed command line. False with *error set for an
    /// invalid value.
    bool readOptions(const QCommandLineParser &parser, QString *error);
    /// Opens the port with the settings (after starting the log of --trace). Returns an
    /// ExitCode; errors are printed with the system's reason.
    int open();
    /// Starts the communication log of --trace, once, and attaches it to the port. Returns an
    /// ExitCode: FileFailed when the file cannot be written.
    int startTrace();
    /// After the command line was parsed: takes the drive and line options, checks the count
    /// of arguments (`wantedArgs`, or at least one when it is -1), loads the drive and opens
    /// the line. Returns an ExitCode; errors are printed.
    int setUp(const CliParser &cli, CliDrive &drive, int wantedArgs);

    /// "COMNO,RAW,TEXT" of a value read from parameter `index`.
    static QString valueLine(DriveData &data, int index, int32_t value);

    CommSettings settings;
    QString portPath;
    QString tracePath;  // --trace: the log file, "-" for standard error

private:
    // Declared before the port, so the port (which points to the log) goes first.
    LineTraceFile m_traceFile;
    LineTrace *m_trace = nullptr;

public:
    PosixSerialPort port;
};
