// The monitor chart written as .bmp, .jpg and .wmf with its legend, and read back: the
// picture is the chart widened by the legend, the legend names the selected channels in their
// colours, and the metafile converts with libwmf's wmf2svg.
#include "StartedWithFile.h"
#include "monitor/MonitorChart.h"
#include "monitor/MonitorCommands.h"
#include "monitor/MonitorPicture.h"
#include "monitor/MonitorSettingTab.h"
#include "monitor/TMonitoring.h"

#include <QCheckBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <qcustomplot.h>

namespace {

// The window with CH1 (red), CH2 (blue) and CH3 (lime) selected and a recording drawn.
struct Drawn {
    Started s{vkr("")};
    TMonitoring *w = nullptr;

    Drawn()
    {
        s.main->action(QStringLiteral("MonChart"))->trigger();
        w = s.main->monitor()->window();
        w->FormActivate();
        w->resize(900, 500);
        for (int c = 3; c < 5; ++c)
            w->setting()->AryCheckBox[c]->click();
        QVector<double> ys;
        for (int i = 0; i <= 100; ++i)
            ys << 10 + (i % 50);
        for (int c = 0; c < 10; ++c)
            chart()->setLinePoints(c, ys);
        chart()->replotNow();
    }
    MonitorChart *chart() const { return w->findChild<MonitorChart *>(); }
};

QString toSvg(const QString &wmf)
{
    const QString svg = wmf + QStringLiteral(".svg");
    QProcess p;
    p.start(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), svg, wmf});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    QFile f(svg);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

class tst_MonitorPicture : public QObject
{
    Q_OBJECT
private slots:
    void legendOfTheSelectedChannels()
    {
        Drawn d;
        const QList<MonitorPicture::LegendEntry> legend = MonitorPicture::legendOf(*d.w);
        QCOMPARE(legend.size(), 3);
        QCOMPARE(legend[0].text, QStringLiteral("Output frequency x1.0 +0"));
        QCOMPARE(legend[1].colour, QColor(Qt::blue));
        QCOMPARE(legend[2].channel, 2);
    }

    void rasterPicturesWidenedByTheLegend_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("bitmap") << "chart.bmp" << 0;
        QTest::newRow("JPEG") << "chart.jpg" << 40;
        QTest::newRow("upper-case extension") << "CHART.BMP" << 0;
    }
    void rasterPicturesWidenedByTheLegend()
    {
        QFETCH(QString, name);
        QFETCH(int, tolerance);
        Drawn d;
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QString error;
        QVERIFY2(MonitorPicture::save(*d.w, path, &error), qPrintable(error));
        MonitorPicture picture(*d.chart(), MonitorPicture::legendOf(*d.w), d.chart()->font());
        const QImage back(path);
        QCOMPARE(back.size(), QSize(d.chart()->width() + picture.legendWidth(), d.chart()->height()));
        QVERIFY(picture.legendWidth() > 100);
        // One colour box per selected channel, top to bottom, in the legend's column.
        QList<QRgb> boxes;
        for (int y = 0; y < back.height(); ++y) {
            const QRgb c = back.pixel(20, y);
            if (qRed(c) + qGreen(c) + qBlue(c) < 600 && (boxes.isEmpty() || boxes.last() != c))
                boxes << c;
        }
        auto near = [tolerance](QRgb a, QColor b) {
            return qAbs(qRed(a) - b.red()) <= tolerance && qAbs(qGreen(a) - b.green()) <= tolerance
                && qAbs(qBlue(a) - b.blue()) <= tolerance;
        };
        bool red = false, blue = false, lime = false, maroon = false;
        for (QRgb c : std::as_const(boxes)) {
            red = red || near(c, Qt::red);
            blue = blue || near(c, Qt::blue);
            lime = lime || near(c, Qt::green);
            maroon = maroon || near(c, QColor(128, 0, 0));
        }
        QVERIFY(red && blue && lime);
        QVERIFY(!maroon);
        // Every line shows again on screen after the picture.
        QVERIFY(d.chart()->line(5)->visible());
    }

    void metafileReadByWmf2svg()
    {
        Drawn d;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("chart.wmf"));
        QString error;
        QVERIFY2(MonitorPicture::save(*d.w, path, &error), qPrintable(error));
        const QString svg = toSvg(path);
        QVERIFY(!svg.isEmpty());
        for (const char *text : {"Output frequency x1.0 +0", "Frequency command x1.0 +0", "Output current x1.0 +0"})
            QVERIFY2(svg.contains(QLatin1String(text)), text);
        QVERIFY(!svg.contains(QStringLiteral("Output voltage")));
        // The three lines and the legend boxes in their colours.
        for (const char *colour : {"(red|#ff0000|rgb\\(255,0,0\\))", "(blue|#0000ff|rgb\\(0,0,255\\))",
                                   "(lime|#00ff00|rgb\\(0,255,0\\))"})
            QVERIFY2(svg.contains(QRegularExpression(QStringLiteral("stroke:") + QLatin1String(colour))), colour);
        QVERIFY(!svg.contains(QRegularExpression(QStringLiteral("stroke:(maroon|#800000|rgb\\(128,0,0\\))"))));
    }

    void refusedExtension()
    {
        Drawn d;
        QTemporaryDir dir;
        QString error;
        QVERIFY(!MonitorPicture::save(*d.w, dir.filePath(QStringLiteral("chart.png")), &error));
        QVERIFY(error.contains(QStringLiteral("chart.png")));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("chart.png"))));
    }
};

QTEST_MAIN(tst_MonitorPicture)
#include "tst_MonitorPicture.moc"
