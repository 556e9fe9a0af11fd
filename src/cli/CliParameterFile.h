#pragma once

#include "files/ParameterFile.h"

#include <QStringList>

class CliDrive;

// The parameter file options shared by the commands that work on a loaded set:
// "--open FILE" applies a file as "Open" reads it, "--answer yes|no|cancel" answers its
// questions (cancel when not given).
class CliParameterFile
{
public:
    /// Takes --open and --answer out of `args`. False with *error set on a bad option.
    bool parseOptions(QStringList &args, QString *error);
    /// Applies the file to the loaded drive when --open was given. Returns an ExitCode: a
    /// refused or cancelled file prints its messages and gives Refused.
    int apply(CliDrive &drive);
    /// The header of the applied file: comment and Blind display (empty without --open).
    const ParameterFile &header() const { return m_header; }

    static QString usage();

    /// The common start of a command on a loaded set: takes the drive and file options out
    /// of `args` (the command's own options already taken), refuses anything left over,
    /// loads the drive and applies the file. Returns an ExitCode.
    int loadDrive(const QString &command, QStringList &args, CliDrive &drive);

private:
    int applyConfigFile(CliDrive &drive);

    ParameterFile m_header;
    QString m_path;
    QString m_answer = QStringLiteral("cancel");
};
