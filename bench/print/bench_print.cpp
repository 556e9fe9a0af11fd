// Printing: the parameter list of the largest sample drive (KDC3, every user parameter, with
// the factory value column) laid out and written as PDF, and the monitor report of a
// recording of 10 channels × 10,000 samples (table values, chart picture, PDF). Prints the
// figures; the goal for each whole report is under 300 ms. The peer is Qt's own rich-text
// printing of the same parameter table (QTextDocument to the same PDF writer), measured in
// the same run. With a folder as argument, both PDF files are left there to look at.
#include "PdfReport.h"
#include "ReportFonts.h"
#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "model/DriveData.h"
#include "model/DriveLoader.h"
#include "report/MonitorReport.h"
#include "report/PageSetup.h"
#include "report/ParameterReport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr int Rounds = 9;

double medianMs(const std::function<void()> &work)
{
    QList<double> times;
    for (int r = 0; r < Rounds; ++r) {
        QElapsedTimer t;
        t.start();
        work();
        times << double(t.nsecsElapsed()) / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

struct Drive {
    AppFolders folders;
    DriveSelection selection;
    MessageTable messages;
    ScriptedPrompter prompter;
    DriveData data;
};

bool loadKdc3(Drive &d)
{
    d.folders.setAppFolder(QStringLiteral(VKR_SAMPLE_DATA));
    d.selection = {};
    d.selection.typeName = QStringLiteral("KDC3");
    d.selection.cpuVersion = QStringLiteral("V200");
    d.selection.formName = QStringLiteral("-4110P");
    d.selection.languageName = QStringLiteral("English");
    d.selection.languagePrefix = QStringLiteral("Eng");
    d.folders.setModel(d.selection.typeName, d.selection.cpuVersion);
    if (!d.messages.load(IniFile(QStringLiteral(VKR_SAMPLE_DATA "/lng/English.ini"), CodePage::Windows1252)))
        return false;
    const bool loaded = DriveLoader::load(d.folders, d.selection, d.messages, d.prompter, d.data)
                        == DriveLoader::Result::Loaded;
    d.data.lastShownIndex = d.data.lastUserIndex;
    return loaded;
}

MonitorReportData recording()
{
    constexpr int Samples = 10000;
    MonitorReportData r;
    r.samplesTaken = Samples - 1;
    r.timePerDivision = QStringLiteral("25");
    r.scope = QStringLiteral("100");
    for (int ch = 0; ch < 10; ++ch) {
        MonitorReportChannel c;
        c.selected = true;
        c.item = QStringLiteral("Output frequency %1").arg(ch + 1);
        c.decimals = 2;
        c.points.resize(Samples);
        for (int i = 0; i < Samples; ++i)
            c.points[i] = 50 + 40 * std::sin(i * 0.003 * (ch + 1)) + (i * 7919 % 13) * 0.1;
        r.channels.append(c);
    }
    return r;
}

// The chart as the monitoring window hands it over: ten lines on a white 709 × 273 picture at
// twice the design size.
QImage chartOf(const MonitorReportData &r)
{
    QImage image(1418, 546, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    for (const MonitorReportChannel &c : r.channels) {
        QPainterPath path;
        for (int i = 0; i < c.points.size(); ++i) {
            const QPointF at(i * image.width() / double(c.points.size()), image.height() * (1 - c.points[i] / 100));
            i == 0 ? path.moveTo(at) : path.lineTo(at);
        }
        p.setPen(QColor::fromHsv(36 * int(&c - r.channels.constData()), 255, 200));
        p.drawPath(path);
    }
    return image;
}

QByteArray richTextPeer(const QVector<ParameterReport::Row> &rows, const QStringList &titles)
{
    QString html = QStringLiteral("<table border=1 cellspacing=0><tr>");
    for (const QString &t : titles)
        html += QStringLiteral("<th>") + t.toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr>");
    for (const ParameterReport::Row &row : rows) {
        html += QStringLiteral("<tr>");
        for (const QString &cell : row)
            html += QStringLiteral("<td>") + cell.toHtmlEscaped() + QStringLiteral("</td>");
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Arial"), 8));
    doc.setHtml(html);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    doc.print(&writer);
    return buffer.data();
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    Drive kdc3;
    if (!loadKdc3(kdc3)) {
        out << "cannot load the KDC3 sample drive\n";
        return 1;
    }
    PageSetup setup;
    setup.printFactory = true;
    setup.fontName = ReportFonts::familyOf(setup.fontIndex, QStringLiteral("English"));
    ReportHeader header;
    header.typeForm = QStringLiteral("KDC3-4110P");
    header.printedAt = QDateTime::currentDateTime();
    const QStringList titles = ParameterReport::titles(kdc3.messages);
    QVector<ParameterReport::Row> rows;
    ReportDocument doc;
    QByteArray pdf;
    PdfReport::render(ParameterReport::layout(setup, header, titles, ParameterReport::rows(kdc3.data, kdc3.messages, {})));
    const double rowsMs = medianMs([&] { rows = ParameterReport::rows(kdc3.data, kdc3.messages, {}); });
    const double layoutMs = medianMs([&] { doc = ParameterReport::layout(setup, header, titles, rows); });
    const double pdfMs = medianMs([&] { pdf = PdfReport::render(doc); });
    QByteArray peer;
    const double peerMs = medianMs([&] { peer = richTextPeer(rows, titles); });
    out << "parameter list, KDC3 (" << rows.size() << " parameters, " << doc.pages.size() << " pages, "
        << pdf.size() / 1024 << " KiB):\n"
        << QStringLiteral("  rows %1 ms + layout %2 ms + PDF %3 ms = %4 ms (goal < 300 ms)\n")
               .arg(rowsMs, 0, 'f', 2).arg(layoutMs, 0, 'f', 2).arg(pdfMs, 0, 'f', 1).arg(rowsMs + layoutMs + pdfMs, 0, 'f', 1)
        << QStringLiteral("  peer: the same table as Qt rich text to PDF %1 ms (%2 KiB)\n")
               .arg(peerMs, 0, 'f', 1).arg(peer.size() / 1024);

    const MonitorReportData rec = recording();
    QImage chart;
    ReportDocument monitor;
    QByteArray monitorPdf;
    const double chartMs = medianMs([&] { chart = chartOf(rec); });
    const double monitorLayoutMs = medianMs([&] { monitor = MonitorReport::layout(setup, header, rec); });
    const double monitorPdfMs = medianMs([&] { monitorPdf = PdfReport::render(monitor, chart); });
    out << "monitor report, 10 channels x 10,000 samples (" << monitorPdf.size() / 1024 << " KiB):\n"
        << QStringLiteral("  layout with channel values %1 ms + PDF with chart picture %2 ms = %3 ms (goal < 300 ms)\n")
               .arg(monitorLayoutMs, 0, 'f', 2).arg(monitorPdfMs, 0, 'f', 1).arg(monitorLayoutMs + monitorPdfMs, 0, 'f', 1)
        << QStringLiteral("  (drawing the chart picture itself, done by the monitoring window: %1 ms)\n").arg(chartMs, 0, 'f', 1);
    if (argc > 1) {
        for (const auto &[name, bytes] : {std::pair{"parameter-list.pdf", pdf}, std::pair{"monitor-report.pdf", monitorPdf}}) {
            QFile file(QDir(QString::fromLocal8Bit(argv[1])).filePath(QLatin1String(name)));
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
        }
    }
    return 0;
}
