#include "report/ReportFile.h"
#include "platform/AppError.h"
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const char *const BandNames[] = {"title", "pageHeader", "columnHeader", "data", "summary", "pageFooter"};

QString mm(double v)
{
    QString s = QString::number(v, 'f', 2);
    while (s.endsWith(QLatin1Char('0'))) s.chop(1);
    if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString frameText(quint8 f)
{
    QString s;
    if (f & FrameLeft) s += 'l';
    if (f & FrameRight) s += 'r';
    if (f & FrameTop) s += 't';
    if (f & FrameBottom) s += 'b';
    return s;
}

quint8 frameBits(const QString &s)
{
    quint8 f = 0;
    for (QChar c : s) {
        switch (c.toLatin1()) {
        case 'l': f |= FrameLeft; break;
        case 'r': f |= FrameRight; break;
        case 't': f |= FrameTop; break;
        case 'b': f |= FrameBottom; break;
        default: break;
        }
    }
    return f;
}

// Reading: the reader walks one element at a time; attributes are taken by name
// and whatever is left is kept as extra.
class Reader {
public:
    explicit Reader(const QByteArray &xml) : m_xml(xml) {}

    Report read()
    {
        Report r;
        if (!nextElement() || m_xml.name() != QLatin1String("report")) fail(QStringLiteral("нет элемента report"));
        r.extra = takeAll(m_xml.attributes());
        while (nextChild()) {
            const auto name = m_xml.name();
            if (name == QLatin1String("page")) r.page = readPage();
            else if (name == QLatin1String("variables")) readVariables(r.variables);
            else if (name == QLatin1String("band")) r.bands.push_back(readBand());
            else r.unknown.emplace_back(int(r.bands.size()), readNode());
        }
        if (m_xml.hasError()) fail(m_xml.errorString());
        return r;
    }

private:
    [[noreturn]] void fail(const QString &what)
    {
        throw AppError(QStringLiteral("Ошибка в файле отчёта (строка %1, столбец %2): %3")
                           .arg(m_xml.lineNumber()).arg(m_xml.columnNumber()).arg(what));
    }
    bool nextElement()
    {
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isStartElement()) return true;
        }
        if (m_xml.hasError()) fail(m_xml.errorString());
        return false;
    }
    // The next child element of the current one; false at its end.
    bool nextChild()
    {
        const bool ok = m_xml.readNextStartElement();
        if (m_xml.hasError()) fail(m_xml.errorString());
        return ok;
    }
    static ExtraAttributes takeAll(const QXmlStreamAttributes &a)
    {
        ExtraAttributes out;
        for (const QXmlStreamAttribute &x : a) out.emplace_back(x.qualifiedName().toString(), x.value().toString());
        return out;
    }
    // Removes a known attribute from the list; returns its value or the default.
    static QString take(ExtraAttributes &a, const char *name, const QString &def = {})
    {
        for (auto it = a.begin(); it != a.end(); ++it)
            if (it->first == QLatin1String(name)) {
                QString v = it->second;
                a.erase(it);
                return v;
            }
        return def;
    }
    double number(ExtraAttributes &a, const char *name, double def = 0)
    {
        const QString s = take(a, name);
        if (s.isEmpty()) return def;
        bool ok = false;
        const double v = s.toDouble(&ok);
        if (!ok) fail(QStringLiteral("не число в атрибуте %1: «%2»").arg(QLatin1String(name), s));
        return v;
    }
    static bool flag(ExtraAttributes &a, const char *name, bool def)
    {
        const QString s = take(a, name);
        return s.isEmpty() ? def : s == QLatin1String("1");
    }
    QRectF rect(ExtraAttributes &a)
    {
        const double x = number(a, "x"), y = number(a, "y"), w = number(a, "w"), h = number(a, "h");
        return QRectF(x, y, w, h);
    }
    PageSetup readPage()
    {
        PageSetup p;
        ExtraAttributes a = takeAll(m_xml.attributes());
        p.paper = take(a, "paper", p.paper);
        p.landscape = take(a, "orientation") == QLatin1String("landscape");
        const double l = number(a, "left", 10), t = number(a, "top", 10), r = number(a, "right", 10),
                     b = number(a, "bottom", 10);
        p.margins = QMarginsF(l, t, r, b);
        p.font = take(a, "font", p.font);
        p.fontSize = number(a, "size", p.fontSize);
        p.extra = a;
        m_xml.skipCurrentElement();
        return p;
    }
    void readVariables(Variables &v)
    {
        while (nextChild()) {
            if (m_xml.name() != QLatin1String("variable")) fail(QStringLiteral("ожидался элемент variable"));
            ExtraAttributes a = takeAll(m_xml.attributes());
            const QString name = take(a, "name");
            v.set(name, take(a, "value"));
            m_xml.skipCurrentElement();
        }
    }
    Band readBand()
    {
        Band b;
        ExtraAttributes a = takeAll(m_xml.attributes());
        const QString kind = take(a, "kind", QStringLiteral("data"));
        const auto it = std::find_if(std::begin(BandNames), std::end(BandNames),
                                     [&](const char *n) { return kind == QLatin1String(n); });
        if (it == std::end(BandNames)) fail(QStringLiteral("неизвестный вид полосы «%1»").arg(kind));
        b.kind = BandKind(it - std::begin(BandNames));
        b.source = take(a, "source");
        b.height = number(a, "height");
        b.extra = a;
        while (nextChild()) {
            const auto name = m_xml.name();
            if (name == QLatin1String("text")) b.objects.emplace_back(readText());
            else if (name == QLatin1String("picture")) b.objects.emplace_back(readPicture());
            else if (name == QLatin1String("line")) b.objects.emplace_back(readLine());
            else b.objects.emplace_back(readNode());
        }
        return b;
    }
    TextBox readText()
    {
        TextBox t;
        ExtraAttributes a = takeAll(m_xml.attributes());
        t.name = take(a, "name");
        t.rect = rect(a);
        t.family = take(a, "font");
        t.size = number(a, "size");
        t.bold = flag(a, "bold", false);
        t.italic = flag(a, "italic", false);
        t.underline = flag(a, "underline", false);
        const QString h = take(a, "align"), v = take(a, "valign");
        t.halign = h == QLatin1String("center") ? HAlign::Center : h == QLatin1String("right") ? HAlign::Right : HAlign::Left;
        t.valign = v == QLatin1String("center") ? VAlign::Center : v == QLatin1String("bottom") ? VAlign::Bottom : VAlign::Top;
        t.wrap = flag(a, "wrap", false);
        t.grow = flag(a, "grow", false);
        t.frame = frameBits(take(a, "frame"));
        t.frameWidth = number(a, "framewidth", 0.2);
        const QString fill = take(a, "fill");
        if (!fill.isEmpty()) t.fill = QColor(fill);
        t.format = take(a, "format");
        t.extra = a;
        t.text = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (m_xml.hasError()) fail(m_xml.errorString());
        return t;
    }
    PictureBox readPicture()
    {
        PictureBox p;
        ExtraAttributes a = takeAll(m_xml.attributes());
        p.name = take(a, "name");
        p.rect = rect(a);
        p.stretch = flag(a, "stretch", true);
        p.keepAspect = flag(a, "keepaspect", true);
        p.center = flag(a, "center", true);
        p.extra = a;
        p.data = QByteArray::fromBase64(m_xml.readElementText().toLatin1());
        if (m_xml.hasError()) fail(m_xml.errorString());
        return p;
    }
    LineObject readLine()
    {
        LineObject l;
        ExtraAttributes a = takeAll(m_xml.attributes());
        l.name = take(a, "name");
        const double x1 = number(a, "x1"), y1 = number(a, "y1"), x2 = number(a, "x2"), y2 = number(a, "y2");
        l.from = QPointF(x1, y1);
        l.to = QPointF(x2, y2);
        l.width = number(a, "width", 0.2);
        l.extra = a;
        m_xml.skipCurrentElement();
        return l;
    }
    XmlNode readNode()
    {
        XmlNode n;
        n.name = m_xml.qualifiedName().toString();
        n.attributes = takeAll(m_xml.attributes());
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isCharacters() && !m_xml.isWhitespace()) n.text += m_xml.text();
            else if (m_xml.isStartElement()) n.children.push_back(readNode());
            else if (m_xml.isEndElement()) break;
        }
        if (m_xml.hasError()) fail(m_xml.errorString());
        return n;
    }

    QXmlStreamReader m_xml;
};

// Writing: known attributes in a fixed order, defaults left out, then the kept ones.
class Writer {
public:
    explicit Writer(QByteArray *out) : m_xml(out)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(2);
    }

    void write(const Report &r)
    {
        m_xml.writeStartDocument();
        m_xml.writeStartElement(QStringLiteral("report"));
        attrs(r.extra);
        writePage(r.page);
        writeVariables(r.variables);
        size_t u = 0;
        for (size_t b = 0; b <= r.bands.size(); ++b) {
            for (; u < r.unknown.size() && size_t(r.unknown[u].first) == b; ++u) writeNode(r.unknown[u].second);
            if (b < r.bands.size()) writeBand(r.bands[b]);
        }
        for (; u < r.unknown.size(); ++u) writeNode(r.unknown[u].second);
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
    }

private:
    void attr(const char *name, const QString &v) { m_xml.writeAttribute(QLatin1String(name), v); }
    void attrIf(bool cond, const char *name, const QString &v) { if (cond) attr(name, v); }
    void attrs(const ExtraAttributes &a) { for (const auto &[n, v] : a) m_xml.writeAttribute(n, v); }

    void writePage(const PageSetup &p)
    {
        m_xml.writeEmptyElement(QStringLiteral("page"));
        attr("paper", p.paper);
        attr("orientation", p.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
        attr("left", mm(p.margins.left()));
        attr("top", mm(p.margins.top()));
        attr("right", mm(p.margins.right()));
        attr("bottom", mm(p.margins.bottom()));
        attr("font", p.font);
        attr("size", mm(p.fontSize));
        attrs(p.extra);
    }
    void writeVariables(const Variables &v)
    {
        if (v.isEmpty()) return;
        m_xml.writeStartElement(QStringLiteral("variables"));
        for (const Variables::Entry &e : v.entries()) {
            m_xml.writeEmptyElement(QStringLiteral("variable"));
            attr("name", e.name);
            attrIf(!e.value.isEmpty(), "value", e.value);
        }
        m_xml.writeEndElement();
    }
    void writeBand(const Band &b)
    {
        m_xml.writeStartElement(QStringLiteral("band"));
        attr("kind", QLatin1String(BandNames[int(b.kind)]));
        attrIf(!b.source.isEmpty(), "source", b.source);
        attr("height", mm(b.height));
        attrs(b.extra);
        for (const ReportObject &o : b.objects)
            std::visit([this](const auto &x) { writeObject(x); }, o);
        m_xml.writeEndElement();
    }
    void rect(const QRectF &r)
    {
        attr("x", mm(r.x()));
        attr("y", mm(r.y()));
        attr("w", mm(r.width()));
        attr("h", mm(r.height()));
    }
    void writeObject(const TextBox &t)
    {
        m_xml.writeStartElement(QStringLiteral("text"));
        attrIf(!t.name.isEmpty(), "name", t.name);
        rect(t.rect);
        attrIf(!t.family.isEmpty(), "font", t.family);
        attrIf(t.size > 0, "size", mm(t.size));
        attrIf(t.bold, "bold", QStringLiteral("1"));
        attrIf(t.italic, "italic", QStringLiteral("1"));
        attrIf(t.underline, "underline", QStringLiteral("1"));
        attrIf(t.halign != HAlign::Left, "align", t.halign == HAlign::Center ? QStringLiteral("center") : QStringLiteral("right"));
        attrIf(t.valign != VAlign::Top, "valign", t.valign == VAlign::Center ? QStringLiteral("center") : QStringLiteral("bottom"));
        attrIf(t.wrap, "wrap", QStringLiteral("1"));
        attrIf(t.grow, "grow", QStringLiteral("1"));
        attrIf(t.frame != 0, "frame", frameText(t.frame));
        attrIf(t.frame != 0 && t.frameWidth != 0.2, "framewidth", mm(t.frameWidth));
        attrIf(t.fill.isValid(), "fill", t.fill.name());
        attrIf(!t.format.isEmpty(), "format", t.format);
        attrs(t.extra);
        if (!t.text.isEmpty()) m_xml.writeCharacters(t.text);
        m_xml.writeEndElement();
    }
    void writeObject(const PictureBox &p)
    {
        m_xml.writeStartElement(QStringLiteral("picture"));
        attrIf(!p.name.isEmpty(), "name", p.name);
        rect(p.rect);
        attrIf(!p.stretch, "stretch", QStringLiteral("0"));
        attrIf(!p.keepAspect, "keepaspect", QStringLiteral("0"));
        attrIf(!p.center, "center", QStringLiteral("0"));
        attrs(p.extra);
        if (!p.data.isEmpty()) m_xml.writeCharacters(QString::fromLatin1(p.data.toBase64()));
        m_xml.writeEndElement();
    }
    void writeObject(const LineObject &l)
    {
        m_xml.writeEmptyElement(QStringLiteral("line"));
        attrIf(!l.name.isEmpty(), "name", l.name);
        attr("x1", mm(l.from.x()));
        attr("y1", mm(l.from.y()));
        attr("x2", mm(l.to.x()));
        attr("y2", mm(l.to.y()));
        attrIf(l.width != 0.2, "width", mm(l.width));
        attrs(l.extra);
    }
    void writeObject(const XmlNode &n) { writeNode(n); }
    void writeNode(const XmlNode &n)
    {
        m_xml.writeStartElement(n.name);
        attrs(n.attributes);
        if (!n.text.isEmpty()) m_xml.writeCharacters(n.text);
        for (const XmlNode &c : n.children) writeNode(c);
        m_xml.writeEndElement();
    }

    QXmlStreamWriter m_xml;
};

} // namespace

Report ReportFile::parse(const QByteArray &xml) { return Reader(xml).read(); }

QByteArray ReportFile::serialize(const Report &report)
{
    QByteArray out;
    Writer(&out).write(report);
    return out;
}

Report ReportFile::load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Не удалось открыть файл отчёта «%1»: %2").arg(path, f.errorString()));
    return parse(f.readAll());
}

void ReportFile::save(const Report &report, const QString &path)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(serialize(report)) < 0 || !f.commit())
        throw AppError(QStringLiteral("Не удалось записать файл отчёта «%1»: %2").arg(path, f.errorString()));
}
