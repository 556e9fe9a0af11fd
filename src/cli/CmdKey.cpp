#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "CliPanel.h"
#include "CliParser.h"
#include "ExitCodes.h"

namespace {

// Presses the panel's keys in order, each as a click on the keypad window does: key code 0,
// then in the next polling cycle strobe, key code and strobe again.
int runKey(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("key"));
    cli.addOptions(CliDrive::options() + CliLine::options());
    cli.addArgument(QStringLiteral("KEY"),
                    QStringLiteral("A panel key: RUN, STOP, UP, DOWN, MON or ENT (any case). UP and DOWN are pressed "
                                   "and released: one step each."),
                    QStringLiteral("KEY..."));
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    QList<PanelKey> keys;
    for (const QString &name : cli.arguments()) {
        const std::optional<PanelKey> key = PanelKeys::fromName(name);
        if (!key)
            return cli.usageError(QStringLiteral("%1 is not a key (RUN, STOP, UP, DOWN, MON or ENT)").arg(name));
        keys << *key;
    }
    CliDrive drive;
    CliLine line;
    if (const int ready = line.setUp(cli, drive, -1); ready != ExitCode::Ok)
        return ready;
    CliPanel panel(drive, line);
    for (PanelKey key : std::as_const(keys)) {
        const int before = panel.loop.keyWriteFailures();
        panel.loop.click(key);
        panel.loop.cycle();
        if (panel.loop.keyWriteFailures() != before) {
            printError(QStringLiteral("key: %1 not taken: the drive did not answer on %2")
                           .arg(PanelKeys::name(key), line.portPath));
            return ExitCode::ExchangeFailed;
        }
    }
    return ExitCode::Ok;
}

const CliCommand::Registrar registrar("key", "Press panel keys of the drive in order: RUN, STOP, UP, DOWN, MON, ENT.",
                                      runKey);

}  // namespace
