#pragma once

// Runs the vkr command-line tool for an end-to-end test and keeps its exit code and output.

#include <QProcess>
#include <QStringList>

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline Run vkr(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(VKR_BIN_DIR "/vkr"), args);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}
