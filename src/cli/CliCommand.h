#pragma once

#include <QString>
#include <QStringList>

// One sub-command of vkr. Each command lives in its own Cmd<Name>.cpp and registers itself
// at start-up with a static CliCommand::Registrar, so commands never touch a shared table.
struct CliCommand {
    using Run = int (*)(const QStringList &args);

    QString name;
    QString usage;    // one line: arguments after the command name
    QString summary;  // one line: what it does
    Run run = nullptr;

    struct Registrar {
        Registrar(const char *name, const char *usage, const char *summary, Run run);
    };

    static const QList<CliCommand> &all();
};
