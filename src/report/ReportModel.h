#pragma once
#include "report/Variables.h"
#include <QByteArray>
#include <QColor>
#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <utility>
#include <variant>
#include <vector>

// Attributes this program does not know, kept in the order read and written back.
using ExtraAttributes = std::vector<std::pair<QString, QString>>;

// An element this program does not know, kept whole so a newer program's file survives.
struct XmlNode {
    QString name;
    ExtraAttributes attributes;
    QString text;
    std::vector<XmlNode> children;
};

enum class HAlign : quint8 { Left, Center, Right };
enum class VAlign : quint8 { Top, Center, Bottom };

// Frame sides of a text box.
enum FrameSide : quint8 { FrameLeft = 1, FrameTop = 2, FrameRight = 4, FrameBottom = 8 };

// Lengths are millimetres relative to the band's top-left corner.
struct TextBox {
    QString name;
    QRectF rect;
    QString text;              // fixed words with [expressions]
    QString family;            // empty: the report's font
    double size = 0;           // points; 0: the report's size
    bool bold = false, italic = false, underline = false;
    HAlign halign = HAlign::Left;
    VAlign valign = VAlign::Top;
    bool wrap = false;
    bool grow = false;         // the box and its band grow to fit wrapped text
    quint8 frame = 0;          // FrameSide bits
    double frameWidth = 0.2;
    QColor fill;               // invalid: no fill
    QString format;            // "%2.2f", "dd.MM.yyyy" …
    ExtraAttributes extra;
};

struct PictureBox {
    QString name;
    QRectF rect;
    QByteArray data;           // the picture file's bytes, kept as they are
    bool stretch = true;       // scale into the box (else its own size)
    bool keepAspect = true;
    bool center = true;
    ExtraAttributes extra;
};

struct LineObject {
    QString name;
    QPointF from, to;
    double width = 0.2;
    ExtraAttributes extra;
};

// A picture's own size in millimetres: at the resolution stored in its file,
// 96 dpi when it stores none. Empty for bytes that are no picture.
QSizeF pictureOwnSizeMm(const QByteArray &data);

using ReportObject = std::variant<TextBox, PictureBox, LineObject, XmlNode>;

enum class BandKind { Title, PageHeader, ColumnHeader, Data, Summary, PageFooter };

struct Band {
    BandKind kind = BandKind::Data;
    double height = 0;
    QString source;            // data band: its rows; other bands: short field names read its first row
    std::vector<ReportObject> objects;
    ExtraAttributes extra;
};

struct PageSetup {
    QString paper = QStringLiteral("A4");
    bool landscape = false;
    QMarginsF margins{10, 10, 10, 10};   // left, top, right, bottom
    QString font = QStringLiteral("Arial");
    double fontSize = 10;
    ExtraAttributes extra;

    QSizeF sizeMm() const;              // the sheet, turned by the orientation
    QRectF printableMm() const;
};

struct Report {
    PageSetup page;
    Variables variables;
    std::vector<Band> bands;
    ExtraAttributes extra;              // on <report>
    // Unknown top-level elements, each with the number of bands written before it.
    std::vector<std::pair<int, XmlNode>> unknown;

    TextBox *findText(const QString &name);
    PictureBox *findPicture(const QString &name);
};
