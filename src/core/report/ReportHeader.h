#pragma once

#include "PageSetup.h"
#include "ReportDocument.h"

#include <QDateTime>

class IniFile;
struct DriveSelection;

// What every report page starts with: the selected drive's type and form, the comment, the
// date and the time, each when the page set-up asks for it.
struct ReportHeader {
    QString title = QStringLiteral("VKR410T");  // language file [Print] Title
    QString typeForm;                           // type and form names joined without a blank
    QDateTime printedAt;

    /// The header band of `row` points at the top of `area`; the comment follows the type
    /// and form on the same line when `commentInline`, else it gets a line of its own below.
    /// Returns the height taken.
    double place(ReportPage &page, const PageSetup &setup, const QRectF &area, double row, bool commentInline) const;
    /// The page number centred on the band at `y` when the set-up prints page numbers.
    static void placePageNumber(ReportPage &page, const PageSetup &setup, const QRectF &area, double y, double row,
                                int number);
    /// The header of a report on the selected drive, titled by the language file's [Print]
    /// Title, printed now.
    static ReportHeader forDrive(const IniFile &languageFile, const DriveSelection &selection);
    /// A document of the set-up's paper, font and title with no pages yet.
    ReportDocument document(const PageSetup &setup) const;
};
