// The raster chart pictures written and read back: BMP and JPEG keep the size and the
// colours, are 24 bits per pixel, the JPEG is of quality 100, and a full disk leaves the
// previous file as it was.
#include "SmallTmpfs.h"

#include "pictures/PictureFiles.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

// A chart-like picture: white, a red and a blue line, a black frame.
QImage chart(int width = 641, int height = 403, bool alpha = false)
{
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(alpha ? Qt::transparent : Qt::white);
    QPainter p(&image);
    p.fillRect(QRect(20, 20, 200, 12), Qt::red);
    p.fillRect(QRect(20, 60, 200, 12), Qt::blue);
    p.setPen(Qt::black);
    p.drawRect(0, 0, width - 1, height - 1);
    return image;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The components of the JPEG frame and whether every quantisation value is 1.
void jpegFacts(const QByteArray &b, int *components, bool *allOnes)
{
    *components = 0;
    *allOnes = true;
    for (qsizetype i = 2; i + 4 < b.size();) {
        if (quint8(b.at(i)) != 0xFF)
            return;
        const quint8 marker = quint8(b.at(i + 1));
        const int length = qFromBigEndian<quint16>(b.constData() + i + 2);
        if (marker == 0xDB) {
            for (qsizetype q = i + 4; q < i + 2 + length; q += 65)
                for (qsizetype k = q + 1; k < q + 65 && k < b.size(); ++k)
                    *allOnes = *allOnes && b.at(k) == 1;
        } else if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            *components = quint8(b.at(i + 9));
        } else if (marker == 0xDA) {
            return;
        }
        i += 2 + length;
    }
}

}  // namespace

class tst_PictureFiles : public QObject
{
    Q_OBJECT
private slots:
    void writtenAndReadBack_data();
    void writtenAndReadBack();
    void jpegIsFullQualityColour();
    void fullDiskKeepsThePreviousFile_data();
    void fullDiskKeepsThePreviousFile();
    void nothingToWrite();
};

void tst_PictureFiles::writtenAndReadBack_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("alpha");
    QTest::addColumn<int>("tolerance");  // per colour channel
    QTest::newRow("bmp") << "bmp" << false << 0;
    QTest::newRow("bmp of a transparent chart, on white") << "bmp" << true << 0;
    QTest::newRow("jpg") << "jpg" << false << 12;
    QTest::newRow("jpg of a transparent chart, on white") << "jpg" << true << 12;
}

void tst_PictureFiles::writtenAndReadBack()
{
    QFETCH(QString, format);
    QFETCH(bool, alpha);
    QFETCH(int, tolerance);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.") + format);
    const QImage image = chart(641, 403, alpha);
    QString error;
    const bool written = format == QLatin1String("bmp") ? PictureFiles::saveBmp(image, path, &error)
                                                        : PictureFiles::saveJpeg(image, path, &error);
    QVERIFY2(written, qPrintable(error));
    QImage back(path);
    QCOMPARE(back.size(), QSize(641, 403));
    auto near = [tolerance](QRgb a, QRgb b) {
        return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
            && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
    };
    QVERIFY(near(back.pixel(100, 26), qRgb(255, 0, 0)));
    QVERIFY(near(back.pixel(100, 66), qRgb(0, 0, 255)));
    QVERIFY(near(back.pixel(400, 300), qRgb(255, 255, 255)));
    if (format == QLatin1String("bmp")) {
        const QByteArray b = contents(path);
        QCOMPARE(b.left(2), QByteArray("BM"));
        QCOMPARE(qFromLittleEndian<quint16>(b.constData() + 28), quint16(24));
    }
}

void tst_PictureFiles::jpegIsFullQualityColour()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.jpg"));
    QVERIFY(PictureFiles::saveJpeg(chart(), path));
    const QByteArray b = contents(path);
    QCOMPARE(b.left(2), QByteArray("\xFF\xD8"));
    int components = 0;
    bool allOnes = false;
    jpegFacts(b, &components, &allOnes);
    QCOMPARE(components, 3);
    QVERIFY(allOnes);
}

void tst_PictureFiles::fullDiskKeepsThePreviousFile_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("bmp") << "bmp";
    QTest::newRow("jpg") << "jpg";
}

void tst_PictureFiles::fullDiskKeepsThePreviousFile()
{
    QFETCH(QString, format);
    SmallTmpfs disk;
    if (!disk.mounted())
        QSKIP("mounting a tmpfs is not permitted here");
    const QString path = disk.filePath(QStringLiteral("chart.") + format);
    auto save = [&format, &path](const QImage &image, QString *error) {
        return format == QLatin1String("bmp") ? PictureFiles::saveBmp(image, path, error)
                                              : PictureFiles::saveJpeg(image, path, error);
    };
    QVERIFY(save(chart(20, 20), nullptr));
    const QByteArray before = contents(path);
    QVERIFY(!before.isEmpty());
    disk.fill();
    QString error;
    QVERIFY(!save(chart(), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(contents(path), before);
}

void tst_PictureFiles::nothingToWrite()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!PictureFiles::saveJpeg(QImage(), dir.filePath(QStringLiteral("x.jpg")), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!PictureFiles::saveBmp(QImage(), dir.filePath(QStringLiteral("x.bmp")), &error));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.jpg"))));
}

QTEST_MAIN(tst_PictureFiles)
#include "tst_PictureFiles.moc"
