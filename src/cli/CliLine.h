#pragma once

#include "comm/CommSettings.h"
#include "comm/PosixSerialPort.h"

#include <QString>
#include <QStringList>

class CliDrive;
class DriveData;

// The serial line a vkr command talks over: the line options and the open port. Options left
// out keep the defaults of the communication settings (9600 bit/s, even parity, native
// protocol, no inverter number, 200 ms); without --port the first available system port.
class CliLine
{
public:
    /// The option text for a command's usage line.
    static QString usage();

    /// Takes --port, --baud, --parity, --protocol, --id, --broadcast and --timeout out of
    /// `args`. False with *error set for a missing or invalid value.
    bool parseOptions(QStringList &args, QString *error);
    /// Opens the port with the settings. Returns an ExitCode; errors are printed.
    int open();
    /// Takes the drive and line options out of `args`, loads the drive and opens the line;
    /// `args` keeps the command's own arguments. Returns an ExitCode; errors are printed.
    int setUp(QStringList &args, CliDrive &drive, const QString &command, int wantedArgs);

    /// "COMNO,RAW,TEXT" of a value read from parameter `index`.
    static QString valueLine(DriveData &data, int index, int32_t value);

    CommSettings settings;
    QString portPath;
    PosixSerialPort port;
};
