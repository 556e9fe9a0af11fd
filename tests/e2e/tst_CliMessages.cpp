// What vkr tells the user when something fails: the file, folder or port with the system's
// reason, never the windows' wording; and which answer it gave to a question.
#include "../../src/cli/ExitCodes.h"
#include "SimProcess.h"
#include "VkrProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QStringList drive(const QString &command, const QString &data = QStringLiteral(VKR_SAMPLE_DATA "/dat"))
{
    return {command, "--data", data, "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1", "--cpu", "V100", "--form",
            "-2007P", "--lang", "English"};
}

QByteArray header(const QByteArray &form)
{
    return "###\r\nKDA1\r\n" + form + "\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n";
}

}  // namespace

class tst_CliMessages : public QObject
{
    Q_OBJECT

private slots:
    void loadFailuresNameWhatFailed_data();
    void loadFailuresNameWhatFailed();
    void portFailuresGiveTheReason_data();
    void portFailuresGiveTheReason();
    void portHeldByAnotherVkrIsInUse();
    void twoVkrOnOneLine();
    void questionsTellTheAnswerTaken_data();
    void questionsTellTheAnswerTaken();

private:
    QTemporaryDir m_tmp;
};

void tst_CliMessages::loadFailuresNameWhatFailed_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("parameter file missing")
        << (drive("params") << "--open" << "/nonexistent/set.vkr") << ExitCode::Refused
        << QByteArray("/nonexistent/set.vkr: No such file or directory");
    QTest::newRow("parameter file is a folder")
        << (drive("params") << "--open" << "/tmp") << ExitCode::Refused << QByteArray("/tmp: not a regular file");
    QTest::newRow("data folder missing, no language folder")
        << QStringList{"params", "--data", "/nonexistent", "--type", "KDA1", "--cpu", "V100", "--form", "-2007P",
                       "--lang", "English"}
        << ExitCode::LoadFailed << QByteArray("data folder /nonexistent: No such file or directory");
    QTest::newRow("data folder is a file")
        << drive("params", QStringLiteral(VKR_SAMPLE_DATA "/dat/Inverter.ini")) << ExitCode::LoadFailed
        << QByteArray("data folder " VKR_SAMPLE_DATA "/dat/Inverter.ini: Not a directory");
    QTest::newRow("language file missing")
        << QStringList{"params", "--data", VKR_SAMPLE_DATA "/dat", "--lng", "/nonexistent", "--type", "KDA1", "--cpu",
                       "V100", "--form", "-2007P", "--lang", "English"}
        << ExitCode::LoadFailed << QByteArray("/nonexistent/English.ini: No such file or directory");
    QTest::newRow("drive type missing")
        << QStringList{"params", "--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDZ9",
                       "--cpu", "V100", "--form", "-2007P", "--lang", "English"}
        << ExitCode::LoadFailed << QByteArray("KDZ9(Eng).inv: No such file or directory");
    QTest::newRow("form missing")
        << QStringList{"params", "--data", VKR_SAMPLE_DATA "/dat", "--lng", VKR_SAMPLE_DATA "/lng", "--type", "KDA1",
                       "--cpu", "V100", "--form", "-9999P", "--lang", "English"}
        << ExitCode::LoadFailed << QByteArray("KDA1-9999P.cap: No such file or directory");
}

void tst_CliMessages::loadFailuresNameWhatFailed()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    const Run r = vkr(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), r.err.constData());
    QVERIFY2(!r.err.contains("Data is incorrect."), r.err.constData());
    QVERIFY2(!r.err.contains("is closed."), r.err.constData());
    QVERIFY2(!r.err.contains("//lng"), r.err.constData());
    QCOMPARE(r.out, QByteArray());
}

void tst_CliMessages::portFailuresGiveTheReason_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("no such device")
        << "/dev/no-such-line" << QByteArray("serial port /dev/no-such-line cannot be opened: No such file or directory");
    QTest::newRow("not a terminal") << "/dev/null"
                                    << QByteArray("serial port /dev/null cannot be opened: Inappropriate ioctl for device");
}

void tst_CliMessages::portFailuresGiveTheReason()
{
    QFETCH(QString, port);
    QFETCH(QByteArray, message);
    const Run r = vkr(drive("read") << "--port" << port << "0011");
    QCOMPARE(r.exitCode, ExitCode::PortFailed);
    QVERIFY2(r.err.contains(message), r.err.constData());
}

void tst_CliMessages::portHeldByAnotherVkrIsInUse()
{
    SimProcess sim({});
    QVERIFY(!sim.device().isEmpty());
    // Another vkr holds the line the way vkr does: with an exclusive lock on the device.
    const int held = ::open(QFile::encodeName(sim.device()).constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    QVERIFY(held >= 0);
    QCOMPARE(::flock(held, LOCK_EX | LOCK_NB), 0);
    const Run busy = vkr(drive("read") << "--port" << sim.device() << "0011");
    QCOMPARE(busy.exitCode, ExitCode::PortFailed);
    QVERIFY2(busy.err.contains(QStringLiteral("serial port %1 is in use").arg(sim.device()).toUtf8()),
             busy.err.constData());
    ::close(held);
    const Run free = vkr(drive("read") << "--port" << sim.device() << "0011");
    QCOMPARE(free.exitCode, ExitCode::Ok);
}

void tst_CliMessages::twoVkrOnOneLine()
{
    // A line that never answers keeps the first vkr on it for 10 x 300 ms.
    SimProcess sim({"--drop-rate", "1"});
    QVERIFY(!sim.device().isEmpty());
    bool inUse = false;
    // A first vkr that opens the line while a second one holds it ends at once; it starts again.
    for (int attempt = 0; attempt < 3 && !inUse; ++attempt) {
        QProcess first;
        first.start(QStringLiteral(VKR_BIN_DIR "/vkr"),
                    drive("read") << "--port" << sim.device() << "--timeout" << "300" << QStringList(10, "0011"));
        QVERIFY(first.waitForStarted());
        while (!inUse && !first.waitForFinished(100)) {
            const Run second = vkr(drive("read") << "--port" << sim.device() << "--timeout" << "30" << "0011");
            inUse = second.exitCode == ExitCode::PortFailed && second.err.contains("is in use");
            QVERIFY2(inUse || second.exitCode == ExitCode::ExchangeFailed, second.err.constData());
        }
        QVERIFY(first.waitForFinished(20000));
        if (inUse)
            QCOMPARE(first.exitCode(), ExitCode::ExchangeFailed);
    }
    QVERIFY(inUse);
}

void tst_CliMessages::questionsTellTheAnswerTaken_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("taken");
    QTest::newRow("no --answer: Cancel") << "" << ExitCode::Refused << QByteArray("answer taken: Cancel");
    QTest::newRow("--answer yes") << "yes" << ExitCode::Ok << QByteArray("answer taken: Yes");
    QTest::newRow("--answer no") << "no" << ExitCode::Ok << QByteArray("answer taken: No");
}

void tst_CliMessages::questionsTellTheAnswerTaken()
{
    QFETCH(QString, answer);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, taken);
    const QString path = m_tmp.filePath(QStringLiteral("other-form.vkr"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(header("-2004P") + "0009,250\r\n");
    f.close();
    QStringList args = drive("params") << "--open" << path;
    if (!answer.isEmpty())
        args << "--answer" << answer;
    const Run r = vkr(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains("form of the file differs"), r.err.constData());
    QVERIFY2(r.err.contains(taken), r.err.constData());
    QVERIFY2(r.err.contains("--answer yes|no|cancel"), r.err.constData());
}

QTEST_GUILESS_MAIN(tst_CliMessages)
#include "tst_CliMessages.moc"
