#pragma once

#include "base/CodePage.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QString>

// A chart picture as a Windows metafile (the placeable 16-bit format, not the enhanced one):
// a white (or given) background, lines drawn as polylines with their own pens, and texts.
// Coordinates are pixels from the top left corner, colours 0xRRGGBB.
struct WmfPicture {
    struct Pen {
        quint32 colour = 0x000000;
        int width = 1;
    };
    struct Polyline {
        int pen = 0;  // index into pens
        QList<QPoint> points;
    };
    struct Text {
        QPoint at;  // top left corner of the text
        QString text;
        quint32 colour = 0x000000;
    };

    int width = 0;
    int height = 0;
    quint32 background = 0xFFFFFF;
    QString fontName = QStringLiteral("Arial");
    int fontHeight = 12;  // pixels
    CodePage codePage = CodePage::Windows1252;
    QList<Pen> pens;
    QList<Polyline> polylines;
    QList<Text> texts;
};

namespace WmfWriter {

/// The metafile's bytes. Coordinates are clamped to 16 bits and a polyline longer than a
/// record can hold is split into joined pieces.
QByteArray bytes(const WmfPicture &picture);
/// Writes atomically; false with *error when it could not be written, and the previous file
/// is then left as it was.
bool write(const QString &path, const WmfPicture &picture, QString *error = nullptr);

}  // namespace WmfWriter
