// RUN and STOP to a simulated drive: the write sequence on FA10 and FA11, the command word's
// time part inside and outside a run, and the option's conditions.
#include "InfoLine.h"

#include "monitor/DriveCommandSender.h"

#include <QTest>

namespace {

// "comNo=value" of every native write frame sent, in order.
QStringList writes(const QList<SimPorts::Frame> &frames, qsizetype from)
{
    QStringList out;
    for (qsizetype i = from; i < frames.size(); ++i) {
        const QByteArray &f = frames.at(i).bytes;
        // Native write: start byte, 'P' or 'W', the number's two bytes, a 16-bit value.
        if (f.size() < 7 || (f.at(1) != 'P' && f.at(1) != 'W'))
            continue;
        const quint16 number = quint16(quint8(f.at(2)) << 8 | quint8(f.at(3)));
        out << QString::number(number, 16).toUpper().rightJustified(4, u'0') + QLatin1Char('=')
                + QString::number(quint16(quint8(f.at(4)) << 8 | quint8(f.at(5))));
    }
    return out;
}

}  // namespace

class tst_DriveCommandSender : public QObject
{
    Q_OBJECT
private slots:
    void commandWord_data();
    void commandWord();
    void optionConditions_data();
    void optionConditions();
    void runAndStopOutsideARun();
    void requestDuringARunWaitsForTheSample();
    void tableWithoutTheCommandNumbers();
};

void tst_DriveCommandSender::commandWord_data()
{
    QTest::addColumn<bool>("run");
    QTest::addColumn<double>("sampleIntervalMs");
    QTest::addColumn<int>("meanMs");
    QTest::addColumn<QString>("duringRun");
    QTest::addColumn<QString>("outsideRun");
    QTest::newRow("RUN at 17.5 s per division (3.5 s a sample)") << true << 3500.0 << 23 << "224001" << "1281";
    QTest::newRow("STOP at 0.1 s per division") << false << 20.0 << 3 << "1282" << "2";
    QTest::newRow("fraction of 4 ms truncated") << true << 21.9 << 7 << "1281" << "257";
}

void tst_DriveCommandSender::commandWord()
{
    QFETCH(bool, run);
    QFETCH(double, sampleIntervalMs);
    QFETCH(int, meanMs);
    QFETCH(QString, duringRun);
    QFETCH(QString, outsideRun);
    const auto kind = run ? DriveCommandSender::Kind::Run : DriveCommandSender::Kind::Stop;
    QCOMPARE(DriveCommandSender::DriveCommandWord(kind, DriveCommandSender::timeDuringRun(sampleIntervalMs)), duringRun);
    QCOMPARE(DriveCommandSender::DriveCommandWord(kind, DriveCommandSender::timeOutsideRun(meanMs)), outsideRun);
}

void tst_DriveCommandSender::optionConditions_data()
{
    QTest::addColumn<bool>("tableHasBoth");
    QTest::addColumn<bool>("continuous");
    QTest::addColumn<bool>("option2");
    QTest::addColumn<bool>("maintenance");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("plain model") << true << false << false << false << true;
    QTest::newRow("continuous monitoring") << true << true << false << false << false;
    QTest::newRow("Option2 model outside maintenance") << true << false << true << false << false;
    QTest::newRow("Option2 model in maintenance") << true << false << true << true << true;
    QTest::newRow("table without FA10/FA11") << false << false << false << false << false;
}

void tst_DriveCommandSender::optionConditions()
{
    QFETCH(bool, tableHasBoth);
    QFETCH(bool, continuous);
    QFETCH(bool, option2);
    QFETCH(bool, maintenance);
    QFETCH(bool, enabled);
    QCOMPARE(DriveCommandSender::optionEnabled(tableHasBoth, tableHasBoth, continuous, option2, maintenance), enabled);
}

void tst_DriveCommandSender::runAndStopOutsideARun()
{
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100")));
    DriveCommandSender command(line.data, *line.exchange);
    QVERIFY(command.available());
    qsizetype from = line.port.frames.size();
    QVERIFY(command.SendDriveCommand(DriveCommandSender::Kind::Run, 20));
    QCOMPARE(writes(line.port.frames, from), (QStringList{"FA11=0", "FA10=1", "FA11=1281", "FA10=0"}));
    QVERIFY(line.drive->motion().running());

    from = line.port.frames.size();
    QVERIFY(command.SendDriveCommand(DriveCommandSender::Kind::Stop, 20));
    QCOMPARE(writes(line.port.frames, from), (QStringList{"FA11=0", "FA10=1", "FA11=1282", "FA10=0"}));
    QVERIFY(!line.drive->motion().running());

    const int mean = DriveCommandSender::meanExchangeTime(*line.exchange, line.data.IndexOfComNo(u"0000"), 5);
    QVERIFY(mean >= 0);
}

void tst_DriveCommandSender::requestDuringARunWaitsForTheSample()
{
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100")));
    DriveCommandSender command(line.data, *line.exchange);
    qsizetype from = line.port.frames.size();
    // "Inverter Run" pressed during a run: only FA11 is cleared at once.
    QVERIFY(command.clearCommand());
    QCOMPARE(writes(line.port.frames, from), (QStringList{"FA11=0"}));
    QVERIFY(!line.drive->motion().running());

    // The loop's next sample sends it. The command word 224001 has a time part beyond eight
    // bits; the 16-bit parameter carries its low 16 bits (27393).
    from = line.port.frames.size();
    QVERIFY(command.sendDuringRun(DriveCommandSender::Kind::Run, 3500.0));
    QCOMPARE(writes(line.port.frames, from), (QStringList{"FA10=1", "FA11=27393", "FA10=0"}));
    QVERIFY(line.drive->motion().running());
    from = line.port.frames.size();
    QVERIFY(command.sendDuringRun(DriveCommandSender::Kind::Stop, 100.0));
    QCOMPARE(writes(line.port.frames, from), (QStringList{"FA10=1", "FA11=6402", "FA10=0"}));
    QVERIFY(!line.drive->motion().running());
}

void tst_DriveCommandSender::tableWithoutTheCommandNumbers()
{
    InfoLine line;
    QVERIFY(line.setUp(QStringLiteral("KDA1"), QStringLiteral("-2007P"), QStringLiteral("V100")));
    DriveData empty;
    DriveCommandSender command(empty, *line.exchange);
    QVERIFY(!command.available());
    const qsizetype from = line.port.frames.size();
    QVERIFY(!command.SendDriveCommand(DriveCommandSender::Kind::Run, 20));
    QVERIFY(!command.clearCommand());
    QVERIFY(!command.sendDuringRun(DriveCommandSender::Kind::Run, 100.0));
    QCOMPARE(line.port.frames.size(), from);
}

QTEST_GUILESS_MAIN(tst_DriveCommandSender)
#include "tst_DriveCommandSender.moc"
