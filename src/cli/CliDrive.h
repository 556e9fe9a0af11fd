#pragma once

#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/ScriptedPrompter.h"
#include "model/DriveData.h"

#include <QString>
#include <QStringList>

// The drive a vkr command works on: the options that name it, the language messages and the
// loaded parameter data, loaded exactly as the application's start-up loads them. Messages
// the core shows go to stderr; file dialogs are cancelled.
class CliDrive
{
public:
    /// The option text for a command's usage line.
    static QString usage();

    /// Takes --data, --lng, --type, --cpu, --form, --lang and --decimal-comma out of `args`
    /// (as "--opt VALUE" or "--opt=VALUE"); the other arguments stay. False with *error set
    /// when a value is missing or a required option is absent.
    bool parseOptions(QStringList &args, QString *error);

    /// Loads the language messages and the drive. Returns an ExitCode; errors are printed.
    int load();

    /// Prints the messages shown since the last call to stderr.
    void printMessages();

    AppFolders folders;
    DriveSelection selection;
    MessageTable messages;
    ScriptedPrompter prompter;
    DriveData data;

private:
    bool loadLanguage();

    QString m_dataDir;
    QString m_lngDir;
    int m_printed = 0;
};

/// Prints "vkr: <text>" to stderr.
void printError(const QString &text);
