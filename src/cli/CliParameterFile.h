#pragma once

#include "files/ParameterFile.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

class CliDrive;
class CliParser;

// The parameter file options shared by the commands that work on a loaded set:
// "--open FILE" applies a file as "Open" reads it, "--answer yes|no|cancel" answers its
// questions (cancel when not given).
class CliParameterFile
{
public:
    /// The options --open and --answer.
    static QList<QCommandLineOption> options();
    /// Takes --open and --answer from a parsed command line. False with *error set on a bad
    /// answer.
    bool readOptions(const QCommandLineParser &parser, QString *error);
    /// Applies the file to the loaded drive when --open was given. Returns an ExitCode: a
    /// file that cannot be read, is refused, or whose question was cancelled prints its
    /// messages and gives Refused.
    int apply(CliDrive &drive);
    /// The header of the applied file: comment and Blind display (empty without --open).
    const ParameterFile &header() const { return m_header; }

    /// The common start of a command on a loaded set, after the command line was parsed:
    /// takes the drive and file options, refuses arguments, loads the drive and applies the
    /// file. Returns an ExitCode.
    int loadDrive(const CliParser &cli, CliDrive &drive);

private:
    int applyConfigFile(CliDrive &drive);

    ParameterFile m_header;
    QString m_path;
    QString m_answer = QStringLiteral("cancel");
};
