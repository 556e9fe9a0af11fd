#pragma once

#include <QImage>
#include <QString>

struct ReportDocument;

// A laid-out report as a PDF file, written whole and atomically: a failed write leaves the
// previous file as it was.
namespace PdfReport {

/// The PDF bytes of the document (empty when it could not be drawn).
QByteArray render(const ReportDocument &doc, const QImage &picture = QImage());
/// False with *error set when the file could not be written.
bool write(const QString &path, const ReportDocument &doc, const QImage &picture = QImage(), QString *error = nullptr);

}  // namespace PdfReport
