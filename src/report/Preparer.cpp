#include "report/Preparer.h"
#include <QElapsedTimer>
#include <cmath>

namespace {
qint32 units(double mm) { return qint32(std::lround(mm * 100)); }
QRect unitsRect(const QRectF &r) { return QRect(units(r.x()), units(r.y()), units(r.width()), units(r.height())); }

} // namespace

struct Preparer::CompiledObject {
    enum class Kind { Text, Picture, Line } kind = Kind::Text;
    QRect rect;                 // in the band
    int style = 0;
    CompiledText text;
    bool grow = false;
    bool drawsEmpty = false;    // a frame or fill shows even without text
    QRect picture;              // drawn picture inside the band
    quint32 image = 0;
};

struct Preparer::CompiledBand {
    BandKind kind = BandKind::Data;
    qint32 height = 0;
    int source = -1;
    bool grows = false;
    std::vector<CompiledObject> objects;
};

Preparer::Preparer(const Report &report, std::vector<ReportSource *> sources, PreparedReport &out, QDate today)
    : m_out(out), m_sources(std::move(sources)), m_rows(m_sources.size(), 0),
      m_state{m_sources, m_rows, 0, today, QTime::currentTime()}
{
    const QSizeF size = report.page.sizeMm();
    m_pageWidth = units(size.width());
    m_pageHeight = units(size.height());
    m_area = unitsRect(report.page.printableMm());
    compile(report);
}

Preparer::~Preparer() = default;

int Preparer::rowsTotal() const
{
    int n = 0;
    for (const CompiledBand *b : m_data) n += b->source >= 0 ? m_sources[b->source]->rowCount() : 1;
    return n;
}

void Preparer::compile(const Report &report)
{
    for (const Band &b : report.bands) m_bands.push_back(compileBand(report, b));
    for (const CompiledBand &b : m_bands)
        if (b.kind == BandKind::Data) m_data.push_back(&b);
    for (const TextStyle &s : m_out.styles) m_metrics.emplace_back(s.font());
    m_out.notes.removeDuplicates();
    // Each source is told once which fields it will be asked for.
    std::vector<std::vector<int>> used(m_sources.size());
    for (const CompiledBand &b : m_bands)
        for (const CompiledObject &o : b.objects) o.text.collectFields(used);
    for (size_t i = 0; i < m_sources.size(); ++i) {
        std::sort(used[i].begin(), used[i].end());
        used[i].erase(std::unique(used[i].begin(), used[i].end()), used[i].end());
        m_sources[i]->willRead(used[i]);
    }
}

Preparer::CompiledBand Preparer::compileBand(const Report &report, const Band &band)
{
    CompiledBand c;
    c.kind = band.kind;
    c.height = units(band.height);
    if (!band.source.isEmpty()) c.source = sourceIndex(m_sources, band.source);
    if (!band.source.isEmpty() && c.source < 0)
        m_out.notes.append(QStringLiteral("Нет источника данных «%1»").arg(band.source));
    const ExpressionScope scope{m_sources, c.source, report.variables};
    for (const ReportObject &o : band.objects) {
        if (const auto *t = std::get_if<TextBox>(&o)) compileText(report, *t, scope, c);
        else if (const auto *p = std::get_if<PictureBox>(&o)) compilePicture(*p, c);
        else if (const auto *l = std::get_if<LineObject>(&o)) compileLine(*l, c);
    }
    return c;
}

void Preparer::compileText(const Report &report, const TextBox &t, const ExpressionScope &scope, CompiledBand &into)
{
    TextStyle s;
    s.family = t.family.isEmpty() ? report.page.font : t.family;
    s.size = t.size > 0 ? t.size : report.page.fontSize;
    s.bold = t.bold;
    s.italic = t.italic;
    s.underline = t.underline;
    s.halign = quint8(t.halign);
    s.valign = quint8(t.valign);
    s.wrap = t.wrap || t.grow;
    s.frame = t.frame;
    s.frameWidth = units(t.frameWidth);
    s.fill = t.fill.isValid() ? t.fill.rgba() : 0;
    CompiledObject o;
    o.rect = unitsRect(t.rect);
    o.style = m_out.styleIndex(s);
    o.text = CompiledText::compile(t.text, scope, DisplayFormat(t.format), &m_out.notes);
    o.grow = t.grow;
    o.drawsEmpty = t.frame != 0 || s.fill != 0;
    into.grows |= t.grow;
    into.objects.push_back(std::move(o));
}

void Preparer::compilePicture(const PictureBox &p, CompiledBand &into)
{
    const QSizeF ownMm = pictureOwnSizeMm(p.data);
    if (ownMm.isEmpty()) return;
    CompiledObject o;
    o.kind = CompiledObject::Kind::Picture;
    o.rect = unitsRect(p.rect);
    QSize size(units(ownMm.width()), units(ownMm.height()));
    if (p.stretch) size = p.keepAspect ? size.scaled(o.rect.size(), Qt::KeepAspectRatio) : o.rect.size();
    const QPoint at = o.rect.topLeft() + (p.center ? QPoint((o.rect.width() - size.width()) / 2,
                                                             (o.rect.height() - size.height()) / 2)
                                                   : QPoint());
    o.picture = QRect(at, size);
    o.image = quint32(m_out.pictures.size());
    m_out.pictures.push_back(p.data);
    into.objects.push_back(std::move(o));
}

void Preparer::compileLine(const LineObject &l, CompiledBand &into)
{
    CompiledObject o;
    o.kind = CompiledObject::Kind::Line;
    o.rect = QRect(QPoint(units(l.from.x()), units(l.from.y())), QPoint(units(l.to.x()), units(l.to.y())));
    o.style = units(l.width);
    into.objects.push_back(std::move(o));
}

bool Preparer::prepareSome(int budgetMs)
{
    QElapsedTimer timer;
    timer.start();
    do
        step();
    while (m_stage != Stage::Done && timer.elapsed() < budgetMs);
    return m_stage == Stage::Done;
}

void Preparer::prepareAll()
{
    while (m_stage != Stage::Done) step();
}

// One band's worth of work: the first page, one data row, or the end.
void Preparer::step()
{
    switch (m_stage) {
    case Stage::Start:
        startPage(false);
        placeAll(BandKind::Title);
        placeAll(BandKind::ColumnHeader);
        m_stage = Stage::Rows;
        break;
    case Stage::Rows: {
        if (m_dataBand >= m_data.size()) {
            m_stage = Stage::Summary;
            break;
        }
        const CompiledBand &band = *m_data[m_dataBand];
        const int count = band.source >= 0 ? m_sources[band.source]->rowCount() : 1;
        if (m_row >= count) {
            ++m_dataBand;
            m_row = 0;
            break;
        }
        if (band.source >= 0) m_rows[band.source] = m_row;
        m_state.line = m_row + 1;
        place(band, true);
        ++m_row;
        break;
    }
    case Stage::Summary:
        placeAll(BandKind::Summary);
        finishPage();
        m_stage = Stage::Done;
        break;
    case Stage::Done: break;
    }
}

void Preparer::placeAll(BandKind kind)
{
    for (const CompiledBand &b : m_bands)
        if (b.kind == kind) place(b, false);
}

qint32 Preparer::heightOf(BandKind kind) const
{
    qint32 h = 0;
    for (const CompiledBand &b : m_bands)
        if (b.kind == kind) h += b.height;
    return h;
}

void Preparer::startPage(bool withColumnHeader)
{
    PreparedPage &page = m_out.pages.emplace_back();
    page.width = m_pageWidth;
    page.height = m_pageHeight;
    m_page = &page;
    m_y = m_area.top();
    m_bottom = m_area.bottom() + 1 - heightOf(BandKind::PageFooter);
    m_pageHasContent = false;
    placeAll(BandKind::PageHeader);
    if (withColumnHeader) placeAll(BandKind::ColumnHeader);
    m_pageHasContent = false;
}

void Preparer::finishPage()
{
    m_y = m_bottom;
    m_pageHasContent = true;   // a footer never moves to another page
    placeAll(BandKind::PageFooter);
    m_page->texts.shrink_to_fit();
    m_page->arena.squeeze();
}

void Preparer::place(const CompiledBand &band, bool dataRow)
{
    std::vector<qint32> shift;
    const qint32 height = measure(band, shift);
    if (m_y + height > m_bottom && m_pageHasContent && band.kind != BandKind::PageFooter) {
        finishPage();
        startPage(dataRow);
    }
    put(band, shift, height);
    m_y += height;
    m_pageHasContent = true;
}

// The band's height with its growing boxes fitted to their text; shift[i] is how
// far object i moves down because a growing box above it grew.
qint32 Preparer::measure(const CompiledBand &band, std::vector<qint32> &shift)
{
    if (!band.grows) return band.height;
    const size_t n = band.objects.size();
    std::vector<qint32> growth(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const CompiledObject &o = band.objects[i];
        if (!o.grow) continue;
        const QString text = o.text.evaluate(m_state);
        const QRectF box(0, 0, o.rect.width() - 2 * TextPadding, 1e7);
        const qreal needed = m_metrics[o.style].boundingRect(box, m_out.styles[o.style].alignmentFlags(), text).height();
        growth[i] = std::max<qint32>(0, qint32(std::ceil(needed)) + 2 * TextPadding - o.rect.height());
    }
    shift.assign(n, 0);
    qint32 bandGrowth = 0;
    for (size_t g = 0; g < n; ++g) {
        if (!growth[g]) continue;
        bandGrowth = std::max(bandGrowth, growth[g]);
        for (size_t i = 0; i < n; ++i)
            if (band.objects[i].rect.top() > band.objects[g].rect.bottom())
                shift[i] = std::max(shift[i], growth[g]);
    }
    return band.height + bandGrowth;
}

void Preparer::put(const CompiledBand &band, const std::vector<qint32> &shift, qint32 grownHeight)
{
    PreparedPage &page = *m_page;
    const qint32 left = m_area.left(), top = m_y;
    for (size_t i = 0; i < band.objects.size(); ++i) {
        const CompiledObject &o = band.objects[i];
        const qint32 dy = shift.empty() ? 0 : shift[i];
        switch (o.kind) {
        case CompiledObject::Kind::Text: {
            const quint32 offset = quint32(page.arena.size());
            o.text.appendTo(m_state, page.arena);
            const quint32 length = quint32(page.arena.size()) - offset;
            if (!length && !o.drawsEmpty) break;
            qint32 h = o.rect.height();
            if (o.grow) h += grownHeight - band.height - dy;
            page.texts.push_back({left + o.rect.x(), top + o.rect.y() + dy, o.rect.width(), h, offset, length,
                                  quint16(o.style), quint16(o.text.hasPageNumbers() ? TextItem::PageNumbers : 0)});
            break;
        }
        case CompiledObject::Kind::Picture:
            page.pictures.push_back({left + o.picture.x(), top + o.picture.y() + dy, o.picture.width(),
                                     o.picture.height(), left + o.rect.x(), top + o.rect.y() + dy, o.rect.width(),
                                     o.rect.height(), o.image});
            break;
        case CompiledObject::Kind::Line:
            page.lines.push_back({left + o.rect.left(), top + o.rect.top() + dy, left + o.rect.right(),
                                  top + o.rect.bottom() + dy, o.style});
            break;
        }
    }
}
