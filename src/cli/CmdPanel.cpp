#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "CliPanel.h"
#include "CliParser.h"
#include "ExitCodes.h"

#include <QTextStream>
#include <csignal>
#include <ctime>

namespace {

// SIGINT and SIGTERM are held back while the panel is watched and taken between two polls,
// so that a poll is never cut off half-way and the line is left quiet.
class StopSignals
{
public:
    StopSignals()
    {
        sigemptyset(&m_set);
        sigaddset(&m_set, SIGINT);
        sigaddset(&m_set, SIGTERM);
        sigprocmask(SIG_BLOCK, &m_set, &m_old);
    }
    ~StopSignals() { sigprocmask(SIG_SETMASK, &m_old, nullptr); }

    bool arrived() const
    {
        const timespec now{0, 0};
        return sigtimedwait(&m_set, nullptr, &now) > 0;
    }

private:
    sigset_t m_set;
    sigset_t m_old;
};

QString lineOf(const std::optional<PanelBlock> &block)
{
    return block ? block->a.readable() : PanelBlock::lineLost(true).text;
}

int watch(CliPanel &panel, const QString &port)
{
    StopSignals stopSignals;
    QTextStream out(stdout);
    QString last;
    bool lostTold = false;
    panel.loop.show = [&](const std::optional<PanelBlock> &block) {
        const QString line = lineOf(block);
        if (line != last) {
            out << line << '\n';
            out.flush();
            last = line;
        }
        if (!block && !lostTold)
            printError(QStringLiteral("panel: no answer from the drive on %1; still trying").arg(port));
        lostTold = !block;
    };
    panel.loop.pump = [&] {
        if (stopSignals.arrived())
            panel.loop.stop();
    };
    panel.loop.run();
    return ExitCode::Ok;
}

// Prints the panel's display and its lit lamps, once or on every change.
int runPanel(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("panel"));
    const QCommandLineOption watchOption(
        QStringLiteral("watch"),
        QStringLiteral("Poll the panel as fast as the line allows and print a line whenever the display or a lamp "
                       "changes; \"coMe\" while the drive does not answer. Ends on SIGINT or SIGTERM."));
    cli.addOptions(CliDrive::options() + CliLine::options() + QList<QCommandLineOption>{watchOption});
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    CliDrive drive;
    CliLine line;
    if (const int ready = line.setUp(cli, drive, 0); ready != ExitCode::Ok)
        return ready;
    CliPanel panel(drive, line);
    if (cli.isSet(QStringLiteral("watch")))
        return watch(panel, line.portPath);
    panel.loop.cycle();
    if (panel.loop.lastReadFailed()) {
        printError(QStringLiteral("panel: no answer from the drive on %1").arg(line.portPath));
        return ExitCode::ExchangeFailed;
    }
    QTextStream(stdout) << lineOf(panel.loop.lastBlock()) << '\n';
    return ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "panel",
    "Print the drive panel's display and its lit lamps, for example \" 50.00 RUN MON\"; with --watch on every "
    "change.",
    runPanel);

}  // namespace
