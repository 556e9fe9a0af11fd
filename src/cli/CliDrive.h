#pragma once

#include "CliPrompter.h"
#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "model/DriveData.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

class DriveLoader;

// The drive a vkr command works on: the options that name it, the language messages and the
// loaded parameter data, loaded exactly as the application's start-up loads them. Messages
// the core shows go to stderr, each question with the answer taken; file dialogs are cancelled.
class CliDrive
{
public:
    /// The drive options: --data, --lng, --type, --cpu, --form, --lang, --decimal-comma.
    static QList<QCommandLineOption> options();
    /// Takes the drive options from a parsed command line. False with *error set when a
    /// required option is absent.
    bool readOptions(const QCommandLineParser &parser, QString *error);

    /// Checks the data folder, loads the language messages and the drive. Returns an
    /// ExitCode; errors are printed.
    int load();

    /// Prints the messages shown since the last call to stderr.
    void printMessages();

    AppFolders folders;
    DriveSelection selection;
    MessageTable messages;
    CliPrompter prompter;
    DriveData data;

private:
    bool loadLanguage();
    QString failedText(const DriveLoader &loader) const;

    QString m_dataDir;
    QString m_lngDir;
    int m_printed = 0;
    QString m_failed;  // what failed, in place of the windows' closing message
};

/// Prints "vkr: <text>" to stderr.
void printError(const QString &text);
