#include "PdfReport.h"

#include "ReportPainter.h"
#include "base/AtomicFile.h"
#include "report/ReportDocument.h"

#include <QBuffer>
#include <QPdfWriter>

namespace PdfReport {

QByteArray render(const ReportDocument &doc, const QImage &picture)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(doc.title);
        writer.setCreator(QStringLiteral("VKR410T"));
        // 600 dpi places every line and text to 1/600 inch, finer than any printer needs.
        writer.setResolution(600);
        if (!ReportPainter::print(writer, doc, picture))
            return QByteArray();
    }
    return buffer.data();
}

bool write(const QString &path, const ReportDocument &doc, const QImage &picture, QString *error)
{
    const QByteArray bytes = render(doc, picture);
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("the report could not be drawn");
        return false;
    }
    return AtomicFile::write(path, bytes, error);
}

}  // namespace PdfReport
