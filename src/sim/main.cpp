// vkr-drive-sim: a line of simulated drives on a pseudo-terminal. Prints the device path
// the tool should open on the first line of stdout and serves until SIGINT or SIGTERM.

#include "drivesim/PtyLine.h"
#include "drivesim/SimEngine.h"
#include "drivesim/SimLineServer.h"
#include "drivesim/SimOptions.h"
#include "drivesim/SimStateFile.h"
#include "comm/LineTraceFile.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "vkr-drive-sim: %s\n", qPrintable(message));
    return 2;
}

// The link to the line is made only where nothing is: a link that exists may belong to a
// simulator that still runs, and taking it over would let one simulator remove the other's.
bool makeLink(const QString &device, const QString &link, QString *error)
{
    if (::symlink(QFile::encodeName(device).constData(), QFile::encodeName(link).constData()) == 0)
        return true;
    const int reason = errno;
    if (reason == EEXIST)
        *error = QStringLiteral("link exists: %1 (remove it if no simulator uses it)").arg(link);
    else
        *error = QStringLiteral("cannot make the link %1: %2").arg(link, QString::fromLocal8Bit(std::strerror(reason)));
    return false;
}

// Removes the link only while it still points at this simulator's line.
void removeLink(const QString &device, const QString &link)
{
    char target[4096];
    const ssize_t n = ::readlink(QFile::encodeName(link).constData(), target, sizeof target);
    if (n > 0 && size_t(n) < sizeof target && QFile::decodeName(QByteArray(target, int(n))) == device)
        ::unlink(QFile::encodeName(link).constData());
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
    if (options.showHelp || options.showVersion) {
        std::fputs(options.showHelp ? qPrintable(SimOptions::helpText()) : "vkr-drive-sim " VKR_VERSION "\n", stdout);
        return 0;
    }
    std::unique_ptr<SimStateFile> state;
    if (!options.statePath.isEmpty())
        state = std::make_unique<SimStateFile>(options.statePath);
    const std::unique_ptr<SimEngine> engine = options.createEngine(state.get(), &error);
    if (!engine)
        return fail(error);
    PtyLine line;
    if (!line.open(options.line, &error))
        return fail(error);
    if (!options.linkPath.isEmpty() && !makeLink(line.devicePath(), options.linkPath, &error))
        return fail(error);
    LineTraceFile trace;
    if (!options.tracePath.isEmpty() && !trace.open(options.tracePath, &error))
        return fail(QStringLiteral("cannot write the trace file %1: %2").arg(options.tracePath, error));
    std::printf("%s\n", qPrintable(line.devicePath()));
    std::fflush(stdout);
    SimLineServer server(*engine, line, options.timing);
    server.setTrace(trace.trace());
    server.serve(stopFd);
    if (!options.linkPath.isEmpty())
        removeLink(line.devicePath(), options.linkPath);
    ::close(stopFd);
    return 0;
}
