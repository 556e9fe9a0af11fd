// vkr-drive-sim: a line of simulated drives on a pseudo-terminal. Prints the device path
// the tool should open on the first line of stdout and serves until SIGINT or SIGTERM.

#include "drivesim/PtyLine.h"
#include "drivesim/SimEngine.h"
#include "drivesim/SimLineServer.h"
#include "drivesim/SimOptions.h"
#include "drivesim/SimStateFile.h"

#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "vkr-drive-sim: %s\n", qPrintable(message));
    return 2;
}

// SIGINT and SIGTERM arrive as a readable descriptor, which the line server watches.
int stopDescriptor()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigprocmask(SIG_BLOCK, &set, nullptr);
    return signalfd(-1, &set, SFD_CLOEXEC);
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int stopFd = stopDescriptor();
    if (stopFd < 0)
        return fail(QStringLiteral("cannot watch for signals"));
    SimOptions options;
    QString error;
    if (!SimOptions::parse(app.arguments(), &options, &error))
        return fail(error + QLatin1Char('\n') + SimOptions::usage());
    std::unique_ptr<SimStateFile> state;
    if (!options.statePath.isEmpty())
        state = std::make_unique<SimStateFile>(options.statePath);
    const std::unique_ptr<SimEngine> engine = options.createEngine(state.get(), &error);
    if (!engine)
        return fail(error);
    PtyLine line;
    if (!line.open(options.line, &error))
        return fail(error);
    if (!options.linkPath.isEmpty()) {
        QFile::remove(options.linkPath);
        if (!QFile::link(line.devicePath(), options.linkPath))
            return fail(QStringLiteral("cannot make the link %1").arg(options.linkPath));
    }
    std::printf("%s\n", qPrintable(line.devicePath()));
    std::fflush(stdout);
    SimLineServer(*engine, line, options.timing).serve(stopFd);
    if (!options.linkPath.isEmpty())
        QFile::remove(options.linkPath);
    ::close(stopFd);
    return 0;
}
