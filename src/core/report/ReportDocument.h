#pragma once

#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>
#include <Qt>

// A laid-out report: what goes where on which page, in points (1/72 inch) from the sheet's
// top-left corner. The preview, the printer and a PDF file all draw the same document, and
// tests read it without any drawing.
struct ReportText {
    QRectF box;
    QString text;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    int color = 0;  // 0x00BBGGRR
};

struct ReportPage {
    QVector<ReportText> texts;
    QVector<QLineF> lines;
    QVector<QRectF> pictures;  // where the document's picture goes, stretched to the box
    QVector<QRectF> shades;    // light grey backgrounds (title bands), drawn first
};

struct ReportDocument {
    QString title;  // the print job's and the PDF file's title
    QSizeF pageSize;
    bool portrait = true;
    int paperCode = 9;  // the printer's paper code (A4)
    QString fontName;
    int fontSize = 8;  // points
    QVector<ReportPage> pages;
};
