#pragma once

#include <QImage>

class QPagedPaintDevice;
class QPainter;
struct ReportDocument;
struct ReportPage;

// Draws a laid-out report. Every length of the document is in points from the sheet's corner;
// the device is set to the document's paper without margins, so the layout's margins are the
// only ones. `picture` fills the page's picture boxes (the monitor chart), stretched.
namespace ReportPainter {

/// Paper size, orientation and zero margins of the device for the document.
void preparePage(QPagedPaintDevice &device, const ReportDocument &doc);
/// Draws pages `from`..`to` (0-based, inclusive; -1 for the last), a new sheet between
/// pages. False when the device could not be painted on.
bool print(QPagedPaintDevice &device, const ReportDocument &doc, const QImage &picture = QImage(), int from = 0,
           int to = -1);
/// Draws one page with a painter already on the device; `dotsPerPoint` maps points to the
/// device's pixels.
void drawPage(QPainter &painter, const ReportDocument &doc, const ReportPage &page, const QImage &picture,
              double dotsPerPoint);

}  // namespace ReportPainter
