// Monitor recordings written to ".mon" files and read back, the older layout, the refusals
// with their messages, and a save that meets a full disk.
#include "SmallTmpfs.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "monitor/MonitorFile.h"
#include "monitor/MonitorFileOpen.h"
#include "monitor/MonitorFileSave.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorSetup.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

DriveSelection kda1()
{
    DriveSelection d;
    d.typeName = QStringLiteral("KDA1");
    d.formName = QStringLiteral("-2007P");
    d.cpuVersion = QStringLiteral("V100");
    return d;
}

// A plain run of `samples` samples over the selected channels; a failed read of CH2 at
// sample 2 is drawn at the point before it, as the run draws it.
void record(const MonitorSetup &setup, int samples, MonitorRecording &rec)
{
    std::array<bool, 10> selected{};
    for (int c = 0; c < 10; ++c)
        selected[size_t(c)] = setup.channels[size_t(c)].selected;
    rec.start(samples - 1, selected);
    for (int i = 0; i < samples; ++i) {
        rec.beginSample(i, qint64(i) * 500 + (i > 0 ? 3 : 0));
        for (int c = 0; c < 10; ++c) {
            const double value = (c + 1) * 10.5 + i * 0.25 - (c == 3 ? 40 : 0);
            const bool failed = c == 1 && i == 2;
            const double point = failed ? rec.lastPoint(c) : setup.channels[size_t(c)].drawn(value);
            rec.setValue(c, failed ? rec.lastValue(c) : value, point, failed);
        }
    }
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

}  // namespace

class tst_MonitorFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writtenByteForByte();
    void roundTrip_data();
    void roundTrip();
    void legacyLayout();
    void refusals_data();
    void refusals();
    void otherCpuAnsweredOk();
    void fullDiskKeepsOldFile();
    void extensions_data();
    void extensions();

private:
    MessageTable m_messages;
    QTemporaryDir m_dir;
};

void tst_MonitorFile::initTestCase()
{
    QVERIFY(m_messages.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/lng/English.ini"))));
    QVERIFY(m_dir.isValid());
}

void tst_MonitorFile::writtenByteForByte()
{
    MonitorSetup setup = MonitorSetup::defaults();
    for (int c = 0; c < 10; ++c)
        setup.channels[size_t(c)].selected = c == 0 || c == 2;
    setup.channels[0].multiplierTenths = 5;
    setup.channels[2].offset = 20;
    setup.channels[2].item = 7;
    setup.valueMax = 200;
    setup.triggerChannel = 2;
    setup.triggerSlope = TriggerSlope::Both;
    setup.triggerLevel = 45;
    setup.triggerDelayPercent = 10;
    setup.useTrigger = true;
    setup.timePerDivisionS = 2.5;
    MonitorRecording rec;
    record(setup, 2, rec);
    MonitorFile file = MonitorFile::of(kda1(), setup, rec);
    file.alarmCheck = true;
    file.tripDatas = true;
    const QByteArray expected =
        "###\r\nKDA1\r\n-2007P\r\nV100\r\n1\r\n0\r\n1\r\n200\r\n2.5\r\n2\r\n2\r\n45\r\n10\r\n1\r\n0\r\n"
        "Data1,0,1,7,3,4,5,6,7,8,9\r\n"
        "Data2,5,10,10,10,10,10,10,10,10,10\r\n"
        "Data3,0,0,20,0,0,0,0,0,0,0\r\n"
        "Data4,1,0,1,0,0,0,0,0,0,0\r\n"
        "0,10.500000,0.000000,31.500000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000\r\n"
        "503,10.750000,0.000000,31.750000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000\r\n";
    const QString path = m_dir.filePath(QStringLiteral("exact.mon"));
    QString error;
    QVERIFY2(MonitorFileSave::SaveRecording(path, file, CodePage::Windows1252, &error), qPrintable(error));
    QCOMPARE(readAll(path), expected);
}

void tst_MonitorFile::roundTrip_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("pretrigger");
    QTest::newRow("five channels, plain run of 601") << QList<int>{0, 1, 2, 3, 4} << 601 << 0;
    QTest::newRow("all ten channels") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9} << 40 << 0;
    QTest::newRow("one channel, last") << QList<int>{9} << 3 << 0;
    QTest::newRow("no channel selected") << QList<int>{} << 5 << 0;
    QTest::newRow("nothing recorded") << QList<int>{0, 1} << 0 << 0;
    QTest::newRow("triggered with pre-trigger samples") << QList<int>{0, 2, 4} << 30 << 6;
    QTest::newRow("most samples a recording holds") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}
                                                    << MonitorRecording::MaxSamples << 0;
}

void tst_MonitorFile::roundTrip()
{
    QFETCH(QList<int>, selected);
    QFETCH(int, samples);
    QFETCH(int, pretrigger);
    MonitorSetup setup = MonitorSetup::defaults();
    for (int c = 0; c < 10; ++c) {
        MonitorChannel &ch = setup.channels[size_t(c)];
        ch.selected = selected.contains(c);
        ch.item = 9 - c;
        ch.multiplierTenths = 3 + c * 7;
        ch.offset = c * 11;
    }
    MonitorRecording rec;
    record(setup, samples, rec);
    if (pretrigger > 0) {
        for (int p = 0; p < pretrigger; ++p)
            rec.pushPretrigger({p * 7, {1.5 * p, 2, 3, 4, 5, 6, 7, 8, 9, 10}}, pretrigger);
        std::array<double, 10> m{};
        std::array<int, 10> o{};
        for (int c = 0; c < 10; ++c) {
            m[size_t(c)] = setup.channels[size_t(c)].multiplier();
            o[size_t(c)] = setup.channels[size_t(c)].offset;
        }
        rec.placePretrigger(m, o);
    }
    const QString path = m_dir.filePath(QStringLiteral("trip.mon"));
    QVERIFY(MonitorFileSave::SaveRecording(path, MonitorFile::of(kda1(), setup, rec), CodePage::Windows1252));
    QCOMPARE(readAll(path).count("\r\n"), 19 + samples);

    const DriveSelection drive = kda1();
    ScriptedPrompter prompter;
    MonitorFileOpen open(drive, m_messages, prompter);
    QCOMPARE(open.OpenRecording(path, CodePage::Windows1252), MonitorFileOpen::Result::Loaded);
    QVERIFY(prompter.shown.isEmpty());
    MonitorSetup back = MonitorSetup::defaults();
    MonitorRecording backRec;
    MonitorFileOpen::apply(open.file(), 10, back, backRec);
    QCOMPARE(backRec.SamplesTaken(), samples - 1);
    QCOMPARE(backRec.SampleTimes(), rec.SampleTimes().mid(0, samples));
    for (int c = 0; c < 10; ++c) {
        const MonitorChannel &want = setup.channels[size_t(c)];
        const MonitorChannel &got = back.channels[size_t(c)];
        QCOMPARE(got.selected, want.selected);
        QCOMPARE(got.item, want.item);
        QCOMPARE(got.multiplierTenths, want.multiplierTenths);
        QCOMPARE(got.offset, want.offset);
        if (!want.selected)
            continue;
        QCOMPARE(backRec.channel(c).points.size(), samples);
        for (int i = 0; i < samples; ++i) {
            // Kept as 32-bit floats: the line comes back within a float's precision.
            const double drawn = rec.channel(c).points[i];
            QVERIFY2(qAbs(backRec.channel(c).points[i] - drawn) <= 1e-5 * qMax(1.0, qAbs(drawn)),
                     qPrintable(QStringLiteral("CH%1 point %2: %3 != %4").arg(c + 1).arg(i)
                                    .arg(backRec.channel(c).points[i]).arg(drawn)));
        }
    }
    // Written again, the same bytes.
    const QString again = m_dir.filePath(QStringLiteral("again.mon"));
    QVERIFY(MonitorFileSave::SaveRecording(again, MonitorFile::of(kda1(), back, backRec), CodePage::Windows1252));
    QCOMPARE(readAll(again), readAll(path));
}

void tst_MonitorFile::legacyLayout()
{
    // Names, then item/multiplier/offset lines (CH1's multiplier is "Max."), the time base
    // and selection line, and the samples.
    const QByteArray legacy = "KDA1\r\n-2007P\r\n"
                              "0,4,3,2,1,0\r\n"
                              "0,150,20,5,,10\r\n"
                              "0,0,10,,7,0\r\n"
                              "2500,1,1,0,1,1\r\n"
                              "0,1.5,2,3,4,5\r\n"
                              "500,2.5,3,4,5,6\r\n"
                              "1000,3.5,4,5,6,7\r\n"
                              "\r\n"
                              "9999,1,1,1,1,1\r\n";
    const QString path = m_dir.filePath(QStringLiteral("old.mon"));
    QVERIFY(writeBytes(path, legacy));
    const DriveSelection drive = kda1();
    ScriptedPrompter prompter;
    MonitorFileOpen open(drive, m_messages, prompter);
    QCOMPARE(open.OpenRecording(path, CodePage::Windows1252), MonitorFileOpen::Result::Loaded);
    QVERIFY(prompter.shown.isEmpty());
    QCOMPARE(open.file().layout, MonitorFile::Layout::Legacy);
    QCOMPARE(open.file().legacyTimeMs, QStringLiteral("2500"));
    MonitorSetup setup = MonitorSetup::defaults();
    setup.channels[7].selected = true;
    setup.channels[7].multiplierTenths = 33;
    const MonitorSetup before = setup;
    MonitorRecording rec;
    MonitorFileOpen::apply(open.file(), 6, setup, rec);
    QCOMPARE(setup.valueMax, 150);
    const int items[] = {4, 3, 2, 1, 0};
    const int tenths[] = {10, 20, 5, 10, 10};
    const int offsets[] = {0, 10, 0, 7, 0};
    const bool selected[] = {true, true, false, true, true};
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(setup.channels[size_t(c)].item, items[c]);
        QCOMPARE(setup.channels[size_t(c)].multiplierTenths, tenths[c]);
        QCOMPARE(setup.channels[size_t(c)].offset, offsets[c]);
        QCOMPARE(setup.channels[size_t(c)].selected, selected[c]);
    }
    for (int c = 5; c < 10; ++c) {
        QCOMPARE(setup.channels[size_t(c)].selected, before.channels[size_t(c)].selected);
        QCOMPARE(setup.channels[size_t(c)].multiplierTenths, before.channels[size_t(c)].multiplierTenths);
    }
    QCOMPARE(rec.SamplesTaken(), 2);
    QCOMPARE(rec.SampleTimes(), (QVector<qint32>{0, 500, 1000}));
    QCOMPARE(rec.channel(0).values, (QVector<double>{1.5, 2.5, 3.5}));
    const MonitorChannel &ch2 = setup.channels[1];
    QCOMPARE(rec.channel(1).points, (QVector<double>{ch2.drawn(2), ch2.drawn(3), ch2.drawn(4)}));
    QVERIFY(rec.channel(2).points.isEmpty());
    QVERIFY(rec.channel(7).points.isEmpty());  // selected, but the file has no data for it
}

void tst_MonitorFile::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("buttons");
    const QByteArray head = "###\r\nKDA1\r\n-2007P\r\nV100\r\n0\r\n0\r\n0\r\n100\r\n2.5\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                            "Data1,0,1,2,3,4,5,6,7,8,9\r\nData2,10,10,10,10,10,10,10,10,10,10\r\n"
                            "Data3,0,0,0,0,0,0,0,0,0,0\r\nData4,1,1,0,0,0,0,0,0,0,0\r\n";
    const int ok = int(Prompter::Buttons::Ok);
    QTest::newRow("another drive type")
        << QByteArray(head).replace("KDA1", "KDB2") << int(Prompter::Answer::Ok) << int(MonitorFileOpen::Result::Refused)
        << QStringLiteral("The data belong to another inverter type.\nKDB2-2007P (V100) is not the selected inverter type.")
        << ok;
    QTest::newRow("legacy file of another drive type")
        << QByteArray("KDC3\r\n-4015P\r\n0,0,0,0,0,0\r\n") << int(Prompter::Answer::Ok)
        << int(MonitorFileOpen::Result::Refused)
        << QStringLiteral("The data belong to another inverter type.\nKDC3-4015P is not the selected inverter type.") << ok;
    QTest::newRow("another CPU version, Cancel")
        << QByteArray(head).replace("V100", "V110") << int(Prompter::Answer::Cancel)
        << int(MonitorFileOpen::Result::Cancelled)
        << QStringLiteral("The CPU version of the file differs from the selected CPU version. Open it anyway?\n"
                          "* KDA1-2007P (V110) is the inverter of the file.")
        << int(Prompter::Buttons::OkCancel);
    QTest::newRow("sample value not a number")
        << head + "0,1.0,zwei,0,0,0,0,0,0,0,0\r\n" << int(Prompter::Answer::Ok) << int(MonitorFileOpen::Result::Incorrect)
        << QStringLiteral("Data is incorrect.\nsample 0: the value of CH2 is not a number") << ok;
    QTest::newRow("sample line cut short")
        << head + "0,1.0\r\n" << int(Prompter::Answer::Ok) << int(MonitorFileOpen::Result::Incorrect)
        << QStringLiteral("Data is incorrect.\nsample 0: the value of CH2 is not a number") << ok;
    QTest::newRow("time not a whole number")
        << head + "0.5,1,2,0,0,0,0,0,0,0,0\r\n" << int(Prompter::Answer::Ok) << int(MonitorFileOpen::Result::Incorrect)
        << QStringLiteral("Data is incorrect.\nline 1: the time \"0.5\" is not a whole number") << ok;
    QTest::newRow("value beyond a float")
        << head + "0,1e39,2,0,0,0,0,0,0,0,0\r\n" << int(Prompter::Answer::Ok) << int(MonitorFileOpen::Result::Incorrect)
        << QStringLiteral("Data is incorrect.\nsample 0: the value of CH1 is not a number") << ok;
    QByteArray tooMany = head;
    for (int i = 0; i <= MonitorRecording::MaxSamples; ++i)
        tooMany += QByteArray::number(i) + ",1,2,0,0,0,0,0,0,0,0\r\n";
    QTest::newRow("more samples than a recording holds")
        << tooMany << int(Prompter::Answer::Ok) << int(MonitorFileOpen::Result::Incorrect)
        << QStringLiteral("Data is incorrect.\nmore than 11000 samples") << ok;
}

void tst_MonitorFile::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, answer);
    QFETCH(int, result);
    QFETCH(QString, message);
    QFETCH(int, buttons);
    const QString path = m_dir.filePath(QStringLiteral("refused.mon"));
    QVERIFY(writeBytes(path, bytes));
    const DriveSelection drive = kda1();
    ScriptedPrompter prompter;
    prompter.answers = {Prompter::Answer(answer)};
    MonitorFileOpen open(drive, m_messages, prompter);
    QCOMPARE(int(open.OpenRecording(path, CodePage::Windows1252)), result);
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown[0].text, message);
    QCOMPARE(prompter.shown[0].caption, QStringLiteral("Confirmation"));
    QCOMPARE(prompter.shown[0].icon, Prompter::Icon::Warning);
    QCOMPARE(int(prompter.shown[0].buttons), buttons);
}

void tst_MonitorFile::otherCpuAnsweredOk()
{
    const QByteArray bytes = "###\r\nKDA1\r\n-2007P\r\nV110\r\n1\r\n1\r\n0\r\n250\r\n1.5\r\n1\r\n1\r\n60\r\n20\r\n1\r\n4\r\n"
                             "Data1,1,1,1,1,1,1,1,1,1,1\r\nData2,10,10,10,10,10,10,10,10,10,10\r\n"
                             "Data3,0,0,0,0,0,0,0,0,0,0\r\nData4,0,1,0,0,0,0,0,0,0,0\r\n"
                             "0,0,7.25,0,0,0,0,0,0,0,0\r\n";
    const QString path = m_dir.filePath(QStringLiteral("cpu.mon"));
    QVERIFY(writeBytes(path, bytes));
    const DriveSelection drive = kda1();
    ScriptedPrompter prompter;
    prompter.answers = {Prompter::Answer::Ok};
    MonitorFileOpen open(drive, m_messages, prompter);
    QCOMPARE(open.OpenRecording(path, CodePage::Windows1252), MonitorFileOpen::Result::Loaded);
    QCOMPARE(open.fileDrive(), QStringLiteral("KDA1-2007P"));
    QVERIFY(open.file().alarmCheck && open.file().tripCheck && !open.file().tripDatas);
    QCOMPARE(open.file().errorCounter, QStringLiteral("4"));
    QCOMPARE(open.file().timePerDivision, QStringLiteral("1.5"));
    MonitorSetup setup = MonitorSetup::defaults();
    MonitorRecording rec;
    MonitorFileOpen::apply(open.file(), 10, setup, rec);
    QCOMPARE(setup.valueMax, 250);
    QCOMPARE(setup.triggerChannel, 1);
    QCOMPARE(setup.triggerSlope, TriggerSlope::Down);
    QCOMPARE(setup.triggerLevel, 60);
    QCOMPARE(setup.triggerDelayPercent, 20);
    QVERIFY(setup.useTrigger);
    QCOMPARE(rec.channel(1).values, QVector<double>{7.25});
}

void tst_MonitorFile::fullDiskKeepsOldFile()
{
    SmallTmpfs disk;
    if (!disk.mounted())
        QSKIP("mounting a tmpfs is not permitted here");
    const QString path = disk.filePath(QStringLiteral("kept.mon"));
    const QByteArray old = "###\r\nKDA1\r\n";
    QVERIFY(writeBytes(path, old));
    disk.fill();
    MonitorSetup setup = MonitorSetup::defaults();
    MonitorRecording rec;
    record(setup, 601, rec);
    QString error;
    QVERIFY(!MonitorFileSave::SaveRecording(path, MonitorFile::of(kda1(), setup, rec), CodePage::Windows1252, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(path), old);
}

void tst_MonitorFile::extensions_data()
{
    QTest::addColumn<bool>("pictureDialog");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("format");
    QTest::newRow("csv filter adds .csv") << false << "trace" << 1 << "trace.csv" << int(MonitorFileSave::Format::Csv);
    QTest::newRow(".txt with the mon filter") << false << "trace.txt" << 0 << "trace.txt.mon"
                                              << int(MonitorFileSave::Format::Mon);
    QTest::newRow("upper-case .MON kept") << false << "trace.MON" << 3 << "trace.MON" << int(MonitorFileSave::Format::Mon);
    QTest::newRow("wmf filter") << false << "chart" << 4 << "chart.wmf" << int(MonitorFileSave::Format::Wmf);
    QTest::newRow("picture dialog, jpg filter") << true << "chart" << 1 << "chart.jpg" << int(MonitorFileSave::Format::Jpg);
    QTest::newRow("picture dialog keeps .Bmp") << true << "chart.Bmp" << 2 << "chart.Bmp" << int(MonitorFileSave::Format::Bmp);
    QTest::newRow("picture dialog: .csv is no picture") << true << "t.csv" << 0 << "t.csv.bmp"
                                                        << int(MonitorFileSave::Format::Bmp);
}

void tst_MonitorFile::extensions()
{
    QFETCH(bool, pictureDialog);
    QFETCH(QString, name);
    QFETCH(int, filter);
    QFETCH(QString, written);
    QFETCH(int, format);
    const auto dialog = pictureDialog ? MonitorFileSave::Dialog::Picture : MonitorFileSave::Dialog::Save;
    const QString result = MonitorFileSave::withExtension(dialog, name, filter);
    QCOMPARE(result, written);
    QCOMPARE(int(MonitorFileSave::formatOf(result)), format);
    // The next dialog offers the entry of the name written.
    QCOMPARE(MonitorFileSave::preselectedFilter(dialog, result), pictureDialog ? format - 2 : format);
}

QTEST_GUILESS_MAIN(tst_MonitorFile)
#include "tst_MonitorFile.moc"
