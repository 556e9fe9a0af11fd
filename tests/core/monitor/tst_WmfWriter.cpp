// The chart picture as a Windows metafile, read back by libwmf's wmf2svg: the lines and the
// legend texts are there, the header adds up, and a full disk leaves the previous file.
#include "SmallTmpfs.h"

#include "monitor/WmfWriter.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

WmfPicture chart(int points = 50)
{
    WmfPicture p;
    p.width = 640;
    p.height = 400;
    p.pens = {{0xFF0000, 1}, {0x0000FF, 2}};
    WmfPicture::Polyline ch1{0, {}}, ch2{1, {}};
    for (int i = 0; i < points; ++i) {
        ch1.points << QPoint(100 + i * 500 / points, 200 + (i % 7) * 10);
        ch2.points << QPoint(100 + i * 500 / points, 300 - (i % 5) * 10);
    }
    p.polylines = {ch1, ch2};
    p.texts = {{{10, 20}, QStringLiteral("Output frequency"), 0xFF0000},
               {{10, 40}, QStringLiteral("Output current"), 0x0000FF},
               {{300, 380}, QStringLiteral("2.5 (s/div)"), 0x000000}};
    return p;
}

// The SVG wmf2svg makes of a metafile, or an empty text when it failed.
QString toSvg(const QString &wmf, const QString &svg)
{
    QProcess p;
    p.start(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), svg, wmf});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    QFile f(svg);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

class tst_WmfWriter : public QObject
{
    Q_OBJECT
private slots:
    void readBackByWmf2svg_data();
    void readBackByWmf2svg();
    void headerAddsUp();
    void fullDiskKeepsThePreviousFile();
};

void tst_WmfWriter::readBackByWmf2svg_data()
{
    QTest::addColumn<int>("points");
    QTest::newRow("short lines") << 50;
    QTest::newRow("lines longer than one record") << 20000;
}

void tst_WmfWriter::readBackByWmf2svg()
{
    QFETCH(int, points);
    if (QStandardPaths::findExecutable(QStringLiteral("wmf2svg")).isEmpty())
        QSKIP("wmf2svg (libwmf-bin) is not installed");
    QTemporaryDir dir;
    const QString wmf = dir.filePath(QStringLiteral("chart.wmf"));
    QString error;
    QVERIFY2(WmfWriter::write(wmf, chart(points), &error), qPrintable(error));
    const QString svg = toSvg(wmf, dir.filePath(QStringLiteral("chart.svg")));
    QVERIFY(!svg.isEmpty());
    for (const char *text : {"Output frequency", "Output current", "2.5 (s/div)"})
        QVERIFY2(svg.contains(QString::fromLatin1(text)), text);
    // Both lines, in their colours, with every point.
    const QRegularExpression polyline(QStringLiteral("<polyline[^>]*points=\"([^\"]*)\"[^>]*>"));
    int drawn = 0;
    for (auto it = polyline.globalMatch(svg); it.hasNext();)
        drawn += int(it.next().captured(1).trimmed().split(QRegularExpression(QStringLiteral("\\s+"))).size());
    const int pieces = points > 8000 ? 2 * ((points - 2) / 7999 + 1) : 2;
    QCOMPARE(drawn, 2 * points + (pieces - 2));
    // The pens' colours on the lines, the texts' colours on the texts.
    QVERIFY(svg.contains(QRegularExpression(QStringLiteral("stroke:(red|#ff0000|rgb\\(255,0,0\\))"))));
    QVERIFY(svg.contains(QRegularExpression(QStringLiteral("stroke:(blue|#0000ff|rgb\\(0,0,255\\))"))));
    QVERIFY(svg.contains(QRegularExpression(QStringLiteral("fill:(red|#ff0000|rgb\\(255,0,0\\))[^>]*>\\s*Output frequency"))));
}

void tst_WmfWriter::headerAddsUp()
{
    const QByteArray b = WmfWriter::bytes(chart());
    QCOMPARE(qFromLittleEndian<quint32>(b.constData()), 0x9AC6CDD7u);
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= qFromLittleEndian<quint16>(b.constData() + i);
    QCOMPARE(qFromLittleEndian<quint16>(b.constData() + 20), checksum);
    QCOMPARE(qFromLittleEndian<quint16>(b.constData() + 22 + 2), quint16(9));
    // The size in words covers everything after the placeable header.
    QCOMPARE(qsizetype(qFromLittleEndian<quint32>(b.constData() + 22 + 6)) * 2, b.size() - 22);
    // It ends with the end-of-file record.
    QCOMPARE(b.right(6), QByteArray("\x03\0\0\0\0\0", 6));
}

void tst_WmfWriter::fullDiskKeepsThePreviousFile()
{
    SmallTmpfs disk;
    if (!disk.mounted())
        QSKIP("mounting a tmpfs is not permitted here");
    const QString path = disk.filePath(QStringLiteral("chart.wmf"));
    QVERIFY(WmfWriter::write(path, chart(10)));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    disk.fill();
    QString error;
    QVERIFY(!WmfWriter::write(path, chart(2000), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

QTEST_GUILESS_MAIN(tst_WmfWriter)
#include "tst_WmfWriter.moc"
