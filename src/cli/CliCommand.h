#pragma once

#include <QString>
#include <QStringList>

// One sub-command of vkr. Each command lives in its own Cmd<Name>.cpp and registers itself
// at start-up with a static CliCommand::Registrar, so commands never touch a shared table.
// A command parses its own options with a CliParser.
struct CliCommand {
    using Run = int (*)(const QStringList &args);

    QString name;
    QString summary;  // one sentence: what it does
    Run run = nullptr;
    bool drawsText = false;  // needs the font database (a GUI application on the offscreen platform)

    struct Registrar {
        Registrar(const char *name, const char *summary, Run run, bool drawsText = false);
    };

    static const QList<CliCommand> &all();
};
