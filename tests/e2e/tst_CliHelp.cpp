// The help, version and usage errors of vkr and vkr-drive-sim, run as programs.
#include "../../src/cli/ExitCodes.h"
#include "VkrProcess.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const QStringList DriveOptions{"--data", "--lng", "--type", "--cpu", "--form", "--lang", "--decimal-comma"};
const QStringList LineOptions{"--port", "--baud", "--parity", "--protocol", "--id", "--broadcast", "--timeout",
                              "--trace"};
const QStringList FileOptions{"--open", "--answer"};
const QStringList SimOptions{"--data", "--drive", "--protocol", "--baud", "--parity", "--line-timing", "--turnaround",
                             "--link", "--state", "--special-setup", "--trip-after", "--drop-rate", "--corrupt-rate",
                             "--late-ms", "--garbage-rate", "--truncate-rate", "--disconnect-after", "--seed",
                             "--trace"};

Run run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(VKR_BIN_DIR "/") + program, args);
    Run r;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// The option explained on a line of its own: "  --name" at the start of a help line.
bool explains(const QByteArray &help, const QString &option)
{
    const QRegularExpression line(QStringLiteral("^  (-h, )?%1( <[^>]+>)?  +\\S").arg(QRegularExpression::escape(option)),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(help)).hasMatch();
}

bool listsExitCodes(const QByteArray &help)
{
    for (const ExitCode::Meaning &m : ExitCode::Meanings) {
        if (!help.contains(QStringLiteral("  %1  %2\n").arg(m.code).arg(QLatin1String(m.text)).toUtf8()))
            return false;
    }
    return true;
}

}  // namespace

class tst_CliHelp : public QObject
{
    Q_OBJECT

private slots:
    void mainHelpExplainsSharedOptionsAndExitCodes();
    void commandHelp_data();
    void commandHelp();
    void badCommandLine_data();
    void badCommandLine();
    void version_data();
    void version();
    void simulatorHelp();
    void simulatorBadOption_data();
    void simulatorBadOption();
};

void tst_CliHelp::mainHelpExplainsSharedOptionsAndExitCodes()
{
    const Run r = vkr({"--help"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    for (const char *command : {"params", "read", "save-vkr", "write"})
        QVERIFY2(QRegularExpression(QStringLiteral("\n  %1  +\\S").arg(command)).match(r.out).hasMatch(), command);
    for (const QString &option : DriveOptions + LineOptions + FileOptions)
        QVERIFY2(explains(r.out, option), qPrintable(option));
    QVERIFY2(listsExitCodes(r.out), r.out.constData());
}

void tst_CliHelp::commandHelp_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("arguments");
    QTest::newRow("params") << "params" << DriveOptions + FileOptions << "";
    QTest::newRow("save-vkr") << "save-vkr" << DriveOptions + FileOptions + QStringList{"--out", "--changed-only"}
                              << "";
    QTest::newRow("read") << "read" << DriveOptions + LineOptions << "COMNO...";
    QTest::newRow("write") << "write" << DriveOptions + LineOptions + QStringList{"--eeprom"} << "COMNO VALUE";
    QTest::newRow("panel") << "panel" << DriveOptions + LineOptions + QStringList{"--watch"} << "";
    QTest::newRow("key") << "key" << DriveOptions + LineOptions << "KEY...";
    QTest::newRow("export") << "export"
                            << DriveOptions + LineOptions + FileOptions
                                   + QStringList{"--eeprom", "--changed-only", "--settings", "--no-snapshot"}
                            << "";
    QTest::newRow("restore") << "restore"
                             << DriveOptions + LineOptions + QStringList{"--eeprom", "--settings", "--no-snapshot",
                                                                         "--snapshot", "--report"}
                             << "";
    QTest::newRow("monitor") << "monitor"
                             << DriveOptions + LineOptions
                                    + QStringList{"--items", "--interval-ms", "--samples", "--duration", "--out",
                                                  "--continuous", "--record-time", "--sampling-time"}
                             << "";
    QTest::newRow("print-monitor") << "print-monitor" << DriveOptions + QStringList{"--pdf", "--answer", "--settings"}
                                   << "FILE.mon";
    QTest::newRow("compare") << "compare"
                             << DriveOptions + LineOptions + FileOptions + QStringList{"--three-way", "--csv", "--report"}
                             << "";
    QTest::newRow("service-report") << "service-report"
                                    << DriveOptions + LineOptions + FileOptions + QStringList{"--out", "--maintenance"}
                                    << "";
}

void tst_CliHelp::commandHelp()
{
    QFETCH(QString, command);
    QFETCH(QStringList, options);
    QFETCH(QString, arguments);
    for (const QString &help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const Run r = vkr({command, help});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        QVERIFY2(r.out.startsWith(QStringLiteral("Usage: vkr %1 [options]").arg(command).toUtf8()), r.out.constData());
        QVERIFY2(r.out.split('\n').first().endsWith(arguments.toUtf8()), r.out.constData());
        for (const QString &option : options + QStringList{"--help", "--version"})
            QVERIFY2(explains(r.out, option), qPrintable(option));
        QVERIFY2(listsExitCodes(r.out), r.out.constData());
    }
}

void tst_CliHelp::badCommandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("message");
    for (const char *command : {"params", "save-vkr", "read", "write", "panel", "key", "restore"}) {
        const QString c = QString::fromLatin1(command);
        QTest::addRow("%s: unknown option", command) << QStringList{c, "--bogus"} << QByteArray("unknown option '--bogus'");
        QTest::addRow("%s: unknown short option", command) << QStringList{c, "-x"} << QByteArray("unknown option '-x'");
        QTest::addRow("%s: value missing at the end", command) << QStringList{c, "--help", "--data"}
                                                               << QByteArray("Missing value after '--data'");
        QTest::addRow("%s: value given to a switch", command) << QStringList{c, "--decimal-comma=1"}
                                                              << QByteArray("--decimal-comma");
    }
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << QByteArray("unknown command 'frobnicate'");
    QTest::newRow("no command") << QStringList{} << QByteArray("Usage: vkr COMMAND");
}

void tst_CliHelp::badCommandLine()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, message);
    const Run r = vkr(args);
    QCOMPARE(r.exitCode, ExitCode::Usage);
    QVERIFY2(r.err.contains(message), r.err.constData());
    QVERIFY2(r.err.contains("Usage: vkr"), r.err.constData());
    QCOMPARE(r.out, QByteArray());
}

void tst_CliHelp::version_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args");
    QTest::newRow("vkr") << "vkr" << QStringList{"--version"};
    QTest::newRow("vkr read") << "vkr" << QStringList{"read", "--version"};
    QTest::newRow("vkr-drive-sim") << "vkr-drive-sim" << QStringList{"--version"};
}

void tst_CliHelp::version()
{
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    const Run r = run(program, args);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(QRegularExpression(QStringLiteral("^%1 \\d+\\.\\d+\\.\\d+\n$").arg(program)).match(r.out).hasMatch(),
             r.out.constData());
    // Both programs carry the one project version.
    QCOMPARE(r.out.split(' ').last(), vkr({"--version"}).out.split(' ').last());
}

void tst_CliHelp::simulatorHelp()
{
    const Run r = run(QStringLiteral("vkr-drive-sim"), {"--help"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    QVERIFY(r.out.startsWith("Usage: vkr-drive-sim"));
    for (const QString &option : SimOptions + QStringList{"--help", "--version"})
        QVERIFY2(explains(r.out, option), qPrintable(option));
    QVERIFY(r.out.contains("Exit codes:"));
}

void tst_CliHelp::simulatorBadOption_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("unknown option") << QStringList{"--data", VKR_SAMPLE_DATA "/dat", "--bogus"};
    QTest::newRow("value missing") << QStringList{"--data"};
}

void tst_CliHelp::simulatorBadOption()
{
    QFETCH(QStringList, args);
    const Run r = run(QStringLiteral("vkr-drive-sim"), args);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QByteArray());
    QVERIFY2(r.err.contains("Usage: vkr-drive-sim"), r.err.constData());
}

QTEST_GUILESS_MAIN(tst_CliHelp)
#include "tst_CliHelp.moc"
