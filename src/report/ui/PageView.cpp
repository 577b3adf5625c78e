#include "report/ui/PageView.h"
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
constexpr int Gap = 12;
constexpr size_t CacheSize = 8;
}

PageView::PageView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("PageView"));
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PageView::setReport(const PreparedReport *report, int pages)
{
    m_report = report;
    m_painter = report ? std::make_unique<PagePainter>(*report) : nullptr;
    m_highlight.reset();
    m_pages = 0;
    clearCache();
    setAvailablePages(pages);
}

void PageView::setAvailablePages(int pages)
{
    if (pages == m_pages && !m_tops.empty()) return;
    m_pages = pages;
    if (m_fit != Fit::None) applyFit();
    relayout();
}

double PageView::pxPerMm() const { return m_zoom * logicalDpiX() / 25.4; }

QRect PageView::pageRect(int page) const
{
    const PreparedPage &p = m_report->pages[page];
    const int w = qRound(p.width / 100.0 * pxPerMm()), h = qRound(p.height / 100.0 * pxPerMm());
    const int contentWidth = std::max(viewport()->width(), w + 2 * Gap);
    return QRect((contentWidth - w) / 2, m_tops[page], w, h);
}

void PageView::relayout()
{
    m_tops.assign(size_t(m_pages), 0);
    int y = Gap, widest = 0;
    m_shortest = 0;
    for (int i = 0; i < m_pages; ++i) {
        m_tops[i] = y;
        const PreparedPage &p = m_report->pages[i];
        const int height = qRound(p.height / 100.0 * pxPerMm());
        m_shortest = i == 0 ? height : std::min(m_shortest, height);
        y += height + Gap;
        widest = std::max(widest, qRound(p.width / 100.0 * pxPerMm()) + 2 * Gap);
    }
    // Every page, the last ones too, can be brought to the top: going to a page makes it the current one.
    const int lastTop = m_pages > 0 ? m_tops.back() - Gap : 0;
    verticalScrollBar()->setRange(0, std::max({0, y - viewport()->height(), lastTop}));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setRange(0, std::max(0, widest - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    viewport()->update();
    notePage();
}

void PageView::applyFit()
{
    if (!m_report || m_report->pages.empty() || m_fit == Fit::None) return;
    const PreparedPage &p = m_report->pages.front();
    const double perMm = logicalDpiX() / 25.4;
    const double byWidth = (viewport()->width() - 2.0 * Gap) / (p.width / 100.0 * perMm);
    const double byHeight = (viewport()->height() - 2.0 * Gap) / (p.height / 100.0 * perMm);
    const double z = std::max(0.1, m_fit == Fit::PageWidth ? byWidth : std::min(byWidth, byHeight));
    if (std::abs(z - m_zoom) > 1e-3) {
        m_zoom = z;
        clearCache();
        emit zoomChanged(m_zoom);
    }
}

void PageView::setZoom(double zoom)
{
    const int page = currentPage();
    m_fit = Fit::None;
    m_zoom = std::clamp(zoom, 0.1, 8.0);
    clearCache();
    relayout();
    goToPage(page);
    emit zoomChanged(m_zoom);
}

void PageView::setFit(Fit fit)
{
    const int page = currentPage();
    m_fit = fit;
    applyFit();
    relayout();
    goToPage(page);
}

// A third down the view, but inside a page gone to even when small pages fill the view.
int PageView::readingLine() const
{
    return std::max(Gap, std::min(viewport()->height() / 3, m_shortest / 2));
}

int PageView::currentPage() const
{
    const int line = verticalScrollBar()->value() + readingLine();
    int page = 0;
    for (int i = 0; i < m_pages && m_tops[i] <= line; ++i) page = i;
    return page;
}

void PageView::notePage()
{
    const int page = currentPage();
    if (page == m_lastPage) return;
    m_lastPage = page;
    emit currentPageChanged(page);
}

void PageView::goToPage(int page)
{
    if (m_pages == 0) return;
    page = std::clamp(page, 0, m_pages - 1);
    verticalScrollBar()->setValue(m_tops[page] - Gap);
    viewport()->update();
}

void PageView::setHighlight(std::optional<PreparedReport::Hit> hit)
{
    m_highlight = hit;
    if (hit && hit->page < m_pages) {
        const QRect page = pageRect(hit->page);
        const QRectF mm = PagePainter::rectMm(m_report->pages[hit->page].texts[hit->item]);
        const int y = page.top() + int(mm.top() * pxPerMm());
        if (y < verticalScrollBar()->value() || y > verticalScrollBar()->value() + viewport()->height() - 40)
            verticalScrollBar()->setValue(y - readingLine());
    }
    viewport()->update();
}

void PageView::refreshPage(int page)
{
    m_cache.remove_if([page](const auto &e) { return e.first == page; });
    viewport()->update();
}

void PageView::clearCache() { m_cache.clear(); }

const QPixmap &PageView::pixmap(int page)
{
    for (auto it = m_cache.begin(); it != m_cache.end(); ++it)
        if (it->first == page) {
            m_cache.splice(m_cache.begin(), m_cache, it);
            return m_cache.front().second;
        }
    const QRect r = pageRect(page);
    const qreal dpr = devicePixelRatioF();
    QPixmap pix(r.size() * dpr);
    pix.setDevicePixelRatio(dpr);
    pix.fill(Qt::white);
    QPainter p(&pix);
    m_painter->paint(p, page, pxPerMm());
    p.end();
    m_cache.emplace_front(page, std::move(pix));
    if (m_cache.size() > CacheSize) m_cache.pop_back();
    return m_cache.front().second;
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    if (!m_report) return;
    const int top = verticalScrollBar()->value(), left = horizontalScrollBar()->value();
    const QRect visible(left, top, viewport()->width(), viewport()->height());
    for (int i = 0; i < m_pages; ++i) {
        const QRect r = pageRect(i);
        if (r.top() > visible.bottom()) break;
        if (!r.intersects(visible)) continue;
        const QRect onScreen = r.translated(-left, -top);
        p.fillRect(onScreen.translated(3, 3), QColor(0, 0, 0, 80));
        p.drawPixmap(onScreen.topLeft(), pixmap(i));
        if (m_highlight && m_highlight->page == i) {
            const QRectF mm = PagePainter::rectMm(m_report->pages[i].texts[m_highlight->item]);
            const QRectF box(onScreen.left() + mm.left() * pxPerMm(), onScreen.top() + mm.top() * pxPerMm(),
                             mm.width() * pxPerMm(), mm.height() * pxPerMm());
            p.fillRect(box, QColor(255, 200, 0, 90));
            p.setPen(QPen(QColor(230, 120, 0), 2));
            p.drawRect(box);
        }
    }
}

void PageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_fit != Fit::None) applyFit();
    if (m_report) relayout();
}

void PageView::scrollContentsBy(int, int)
{
    viewport()->update();
    notePage();
}

void PageView::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        setZoom(m_zoom * (event->angleDelta().y() > 0 ? 1.1 : 1 / 1.1));
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PageView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown: goToPage(currentPage() + 1); break;
    case Qt::Key_PageUp: goToPage(currentPage() - 1); break;
    case Qt::Key_Home: goToPage(0); break;
    case Qt::Key_End: goToPage(m_pages - 1); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

void PageView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint() + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    for (int i = 0; i < m_pages; ++i) {
        const QRect r = pageRect(i);
        if (!r.contains(at)) continue;
        const QPointF mm = QPointF(at - r.topLeft()) / pxPerMm();
        const auto &texts = m_report->pages[i].texts;
        for (int t = int(texts.size()) - 1; t >= 0; --t)
            if (texts[t].length && PagePainter::rectMm(texts[t]).contains(mm)) {
                emit textDoubleClicked(i, t);
                return;
            }
    }
}
