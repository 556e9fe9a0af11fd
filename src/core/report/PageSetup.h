#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class Settings;

// The page set-up of the printed reports as the settings file keeps it in [Page]: paper,
// orientation, margins in whole millimetres, row height and font size in points, the report
// font, the colour of the value column, the header items and the comment. Lengths handed to
// the layouts are points (1/72 inch).
struct PageSetup {
    enum Paper { A3, A4, A5, B4, B5, PaperCount };

    static constexpr int MarginMin = 0, MarginMax = 30;       // millimetres
    static constexpr int RowHeightMin = 10, RowHeightMax = 30;  // points
    static constexpr int FontSizeMin = 5, FontSizeMax = 22;     // points
    static constexpr int CommentMax = 90;                       // characters
    static constexpr int NoFontStored = 10000;                  // [Page] PSet2 when no font was chosen
    /// The font size list of the set-up window; [Page] PSet5 is an index into it.
    static constexpr int FontSizes[] = {5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22};
    static constexpr int FontSizeCount = int(sizeof(FontSizes) / sizeof(FontSizes[0]));

    Paper paper = A4;
    bool portrait = true;
    int top = 10, bottom = 10, left = 10, right = 10;
    int rowHeight = 15;
    int fontSizeIndex = 3;  // "8"
    int typedFontSize = 0;  // a size typed that the list lacks (kept for this run only), 0 for none
    int fontIndex = NoFontStored;
    QString fontName;  // the family the index stands for, filled by whoever knows the font list
    int valueColor = 0;  // 0x00BBGGRR
    bool printDate = true;
    bool printTime = false;
    bool printTypeForm = true;
    bool printPageNo = true;
    bool printComment = false;
    bool printFactory = false;
    QString comment;

    /// Every [Page] key, each out-of-range value brought to its nearest limit.
    static PageSetup read(const Settings &settings);
    void write(Settings &settings) const;

    static QString paperName(Paper paper);
    /// The printer's paper code of a size: 8, 9, 11, 12, 13 for A3, A4, A5, B4, B5.
    static int paperCode(int paperIndex);
    /// Width and height of the paper in millimetres, portrait (B sizes are JIS).
    static QSizeF paperMillimetres(Paper paper);

    int fontSize() const
    {
        return typedFontSize > 0 ? typedFontSize : FontSizes[qBound(0, fontSizeIndex, FontSizeCount - 1)];
    }
    /// The list entry nearest to a size, the smaller one on a tie.
    static int nearestFontSizeIndex(int points);
    /// A margin or row height text as whole units (nearest), `def` when it is no number.
    static int wholeText(const QString &text, int def, int min, int max);
    /// The sheet as printed, in points, turned for landscape.
    QSizeF pageSize() const;
    /// The area inside the margins, in points from the sheet's top-left corner.
    QRectF printable() const;
    /// The height of a row in points: the row height, grown when the font would not fit it.
    double rowPoints() const;

    static double points(double millimetres) { return millimetres * 72.0 / 25.4; }
};
