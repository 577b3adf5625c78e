#include "report/PagePainter.h"
#include "report/ReportModel.h"
#include <QPainter>

PagePainter::PagePainter(const PreparedReport &report) : m_report(report), m_pictures(report.pictures.size())
{
    for (const TextStyle &s : report.styles) m_fonts.push_back(s.font());
}

const QImage &PagePainter::picture(quint32 index)
{
    if (m_pictures[index].isNull()) m_pictures[index] = QImage::fromData(m_report.pictures[index]);
    return m_pictures[index];
}

QPageLayout PagePainter::layoutOf(const PreparedPage &page)
{
    const QSizeF mm(page.width / 100.0, page.height / 100.0);
    const bool landscape = mm.width() > mm.height();
    return QPageLayout(QPageSize(landscape ? mm.transposed() : mm, QPageSize::Millimeter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

void PagePainter::paint(QPainter &p, int pageIndex, double pxPerMm)
{
    const PreparedPage &page = m_report.pages.at(pageIndex);
    const QRect clip(0, 0, page.width, page.height);
    p.save();
    p.scale(pxPerMm / 100, pxPerMm / 100);   // everything below is in hundredths of a millimetre
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const PictureItem &pic : page.pictures) {
        p.save();
        p.setClipRect(QRect(pic.cx, pic.cy, pic.cw, pic.ch), Qt::IntersectClip);
        p.drawImage(QRect(pic.x, pic.y, pic.w, pic.h), picture(pic.image));
        p.restore();
    }
    int currentStyle = -1;
    QPen pen(Qt::black);
    for (const TextItem &t : page.texts) {
        const QRect box(t.x, t.y, t.w, t.h);
        if (!box.intersects(clip)) continue;
        const TextStyle &s = m_report.styles[t.style];
        if (s.fill) p.fillRect(box, QColor::fromRgba(s.fill));
        if (s.frame) {
            pen.setWidth(s.frameWidth);
            p.setPen(pen);
            if (s.frame & FrameLeft) p.drawLine(box.topLeft(), box.bottomLeft() + QPoint(0, 1));
            if (s.frame & FrameRight) p.drawLine(box.topRight() + QPoint(1, 0), box.bottomRight() + QPoint(1, 1));
            if (s.frame & FrameTop) p.drawLine(box.topLeft(), box.topRight() + QPoint(1, 0));
            if (s.frame & FrameBottom) p.drawLine(box.bottomLeft() + QPoint(0, 1), box.bottomRight() + QPoint(1, 1));
        }
        if (!t.length) continue;
        if (currentStyle != t.style) {
            p.setFont(m_fonts[t.style]);
            p.setPen(Qt::black);
            currentStyle = t.style;
        } else if (s.frame) {
            p.setPen(Qt::black);
        }
        const QRect inner = box.adjusted(TextPadding, 0, -TextPadding, 0);
        p.drawText(inner, s.alignmentFlags(), m_report.displayText(pageIndex, t));
    }
    for (const LineItem &l : page.lines) {
        pen.setWidth(l.width);
        p.setPen(pen);
        p.drawLine(l.x1, l.y1, l.x2, l.y2);
    }
    p.restore();
}
