#pragma once
#include <QByteArray>
#include <QFont>
#include <QIODevice>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// Prepared pages are plain draw lists. Lengths are hundredths of a millimetre
// from the sheet's top-left corner.

// How a prepared text looks; shared by every text drawn alike.
struct TextStyle {
    QString family;
    double size = 10;            // points
    bool bold = false, italic = false, underline = false;
    quint8 halign = 0, valign = 0;   // HAlign, VAlign
    bool wrap = false;
    quint8 frame = 0;            // FrameSide bits
    qint32 frameWidth = 20;
    QRgb fill = 0;               // 0: no fill

    bool operator==(const TextStyle &) const = default;
    // The font at 100 units per millimetre, the scale every page is measured and painted in.
    QFont font() const;
    int alignmentFlags() const;
};

// Text inside a box keeps this distance from its left and right edges.
constexpr qint32 TextPadding = 50;

struct TextItem {            // 28 bytes: one drawn box
    qint32 x, y, w, h;
    quint32 offset;          // into the page's text arena
    quint32 length;
    quint16 style;
    quint16 flags;           // TextItem::PageNumbers when it holds page marks
    enum : quint16 { PageNumbers = 1 };
};

struct LineItem {
    qint32 x1, y1, x2, y2, width;
};

struct PictureItem {
    qint32 x, y, w, h;       // where the picture is drawn
    qint32 cx, cy, cw, ch;   // its box: drawing is clipped to it
    quint32 image;           // index into the report's pictures
};

struct PreparedPage {
    qint32 width = 0, height = 0;
    std::vector<TextItem> texts;
    std::vector<LineItem> lines;
    std::vector<PictureItem> pictures;
    QString arena;

    QString text(const TextItem &t) const { return arena.mid(t.offset, t.length); }
    size_t bytes() const;
};

// A prepared report: its pages, the styles and pictures they share, and the
// notes left by preparation (unknown names).
class PreparedReport {
public:
    std::vector<TextStyle> styles;
    std::vector<QByteArray> pictures;   // picture file bytes, as given
    std::vector<PreparedPage> pages;
    QStringList notes;
    QString title;

    int pageCount() const { return int(pages.size()); }
    int styleIndex(const TextStyle &style);
    // The text as painted: page marks replaced by the page number and the page count.
    QString displayText(int page, const TextItem &t) const;
    // Changes one prepared text (editing in the preview).
    void setText(int page, int item, const QString &text);

    struct Hit { int page; int item; };
    // The next text containing `needle` after `from` (or before it, backwards), wrapping around.
    std::optional<Hit> find(const QString &needle, Hit from, bool forward) const;

    size_t bytes() const;

    // The prepared-report file (".rkp"). Load throws AppError for a broken file.
    void save(QIODevice &device) const;
    static PreparedReport load(QIODevice &device);
    void saveFile(const QString &path) const;
    static PreparedReport loadFile(const QString &path);
};
