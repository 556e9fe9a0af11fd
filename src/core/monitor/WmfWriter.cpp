#include "WmfWriter.h"

#include "base/AtomicFile.h"

#include <QtEndian>
#include <algorithm>

namespace {

// Record functions of the metafile format.
enum Function : quint16 {
    EndOfFile = 0x0000,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DeleteObject = 0x01F0,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polyline = 0x0325,
    Rectangle = 0x041B,
    TextOut = 0x0521,
};

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr quint16 Transparent = 1;
constexpr quint16 Anisotropic = 8;
constexpr quint16 SolidPen = 0;
constexpr quint16 NullPen = 5;
constexpr quint16 SolidBrush = 0;
constexpr int PixelsPerInch = 96;
// A record's size is counted in 16-bit words; keep polylines well inside that.
constexpr int MaxPolylinePoints = 8000;

qint16 clamp16(int v)
{
    return qint16(std::clamp(v, -32768, 32767));
}

// Colours are stored as 0x00BBGGRR.
quint32 colorRef(quint32 rgb)
{
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

class Records
{
public:
    void add(Function f, const QList<qint32> &words16)
    {
        QByteArray r;
        put32(r, quint32(3 + words16.size()));
        put16(r, f);
        for (qint32 w : words16)
            put16(r, quint16(w));
        append(r);
    }
    void addRaw(Function f, const QByteArray &params)
    {
        QByteArray r;
        put32(r, quint32(3 + params.size() / 2));
        put16(r, f);
        r += params;
        append(r);
    }
    static void put16(QByteArray &b, quint16 v)
    {
        char c[2];
        qToLittleEndian(v, c);
        b.append(c, 2);
    }
    static void put32(QByteArray &b, quint32 v)
    {
        char c[4];
        qToLittleEndian(v, c);
        b.append(c, 4);
    }
    static QList<qint32> colour(quint32 rgb)
    {
        const quint32 ref = colorRef(rgb);
        return {qint32(ref & 0xFFFF), qint32(ref >> 16)};
    }

    QByteArray body;
    quint32 maxRecordWords = 0;

private:
    void append(const QByteArray &r)
    {
        maxRecordWords = std::max(maxRecordWords, quint32(r.size() / 2));
        body += r;
    }
};

QByteArray placeableHeader(const WmfPicture &p)
{
    QByteArray h;
    Records::put32(h, PlaceableKey);
    Records::put16(h, 0);  // handle
    for (int v : {0, 0, p.width, p.height})
        Records::put16(h, quint16(clamp16(v)));
    Records::put16(h, PixelsPerInch);
    Records::put32(h, 0);
    quint16 checksum = 0;
    for (int i = 0; i < h.size(); i += 2)
        checksum ^= qFromLittleEndian<quint16>(h.constData() + i);
    Records::put16(h, checksum);
    return h;
}

QByteArray fontParams(const WmfPicture &p)
{
    QByteArray f;
    // Negative height: the character height without the internal leading.
    for (int v : {-p.fontHeight, 0, 0, 0, 400})
        Records::put16(f, quint16(clamp16(v)));
    const char charset = p.codePage == CodePage::ShiftJis ? char(128) : char(0);
    f.append(char(0)).append(char(0)).append(char(0)).append(charset);  // italic, underline, strike, charset
    f.append(char(0)).append(char(0)).append(char(0)).append(char(0));  // precisions, quality, pitch
    QByteArray face = p.fontName.toLatin1().left(31);
    face.append(QByteArray(32 - face.size(), '\0'));
    return f + face;
}

void drawing(Records &r, const WmfPicture &p, int brush, int nullPen, int font)
{
    r.add(SelectObject, {nullPen});
    r.add(SelectObject, {brush});
    r.add(Rectangle, {p.height + 1, p.width + 1, 0, 0});  // bottom, right, top, left
    for (const WmfPicture::Polyline &line : p.polylines) {
        if (line.pen < 0 || line.pen >= p.pens.size() || line.points.size() < 2)
            continue;
        r.add(SelectObject, {line.pen});
        // Pieces share their end points so the line stays joined.
        for (qsizetype from = 0; from + 1 < line.points.size(); from += MaxPolylinePoints - 1) {
            const qsizetype n = std::min<qsizetype>(MaxPolylinePoints, line.points.size() - from);
            // Filled in place: a chart line has thousands of points.
            QByteArray params(2 + 4 * n, Qt::Uninitialized);
            char *out = params.data();
            qToLittleEndian(quint16(n), out);
            for (qsizetype i = 0; i < n; ++i) {
                const QPoint &pt = line.points.at(from + i);
                qToLittleEndian(quint16(clamp16(pt.x())), out + 2 + 4 * i);
                qToLittleEndian(quint16(clamp16(pt.y())), out + 4 + 4 * i);
            }
            r.addRaw(Polyline, params);
        }
    }
    r.add(SelectObject, {font});
    for (const WmfPicture::Text &t : p.texts) {
        r.add(SetTextColor, Records::colour(t.colour));
        QByteArray params;
        const QByteArray text = CodePages::encode(t.text, p.codePage).left(32000);
        Records::put16(params, quint16(text.size()));
        params += text;
        if (text.size() % 2)
            params.append('\0');
        Records::put16(params, quint16(clamp16(t.at.y())));
        Records::put16(params, quint16(clamp16(t.at.x())));
        r.addRaw(TextOut, params);
    }
}

}  // namespace

namespace WmfWriter {

QByteArray bytes(const WmfPicture &p)
{
    Records r;
    r.add(SetMapMode, {Anisotropic});
    r.add(SetWindowOrg, {0, 0});                          // y, x
    r.add(SetWindowExt, {clamp16(p.height), clamp16(p.width)});  // y, x
    r.add(SetBkMode, {Transparent});
    r.add(SetTextAlign, {0});  // top left
    // Objects take the lowest free slot: the pens first, then brush, null pen and font.
    for (const WmfPicture::Pen &pen : p.pens)
        r.add(CreatePenIndirect, QList<qint32>{SolidPen, clamp16(std::max(1, pen.width)), 0} + Records::colour(pen.colour));
    const int brush = int(p.pens.size());
    r.add(CreateBrushIndirect, QList<qint32>{SolidBrush} + Records::colour(p.background) + QList<qint32>{0});
    const int nullPen = brush + 1;
    r.add(CreatePenIndirect, {NullPen, 0, 0, 0, 0});
    const int font = brush + 2;
    r.addRaw(CreateFontIndirect, fontParams(p));
    drawing(r, p, brush, nullPen, font);
    for (int i = font; i >= 0; --i)
        r.add(DeleteObject, {i});
    r.add(EndOfFile, {});

    QByteArray header;
    Records::put16(header, 1);       // in memory
    Records::put16(header, 9);       // header words
    Records::put16(header, 0x0300);  // version
    Records::put32(header, quint32((18 + r.body.size()) / 2));
    Records::put16(header, quint16(font + 1));
    Records::put32(header, r.maxRecordWords);
    Records::put16(header, 0);
    return placeableHeader(p) + header + r.body;
}

bool write(const QString &path, const WmfPicture &picture, QString *error)
{
    return AtomicFile::write(path, bytes(picture), error);
}

}  // namespace WmfWriter
