#include "widgets/TwoLevelHeader.h"
#include <QPainter>
#include <QStyleOptionHeader>

TwoLevelHeader::TwoLevelHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignCenter);
}

QSize TwoLevelHeader::sizeHint() const
{
    QSize s = QHeaderView::sizeHint();
    s.setHeight(2 * fontMetrics().height() + 8);
    return s;
}

QString TwoLevelHeader::title(int logical) const
{
    return model() ? model()->headerData(logical, Qt::Horizontal).toString() : QString();
}

// The span of the neighbouring visible sections that carry the same group heading.
QRect TwoLevelHeader::groupRect(int logical, const QString &group, const QRect &sectionRect) const
{
    auto sameGroup = [&](int visual) {
        const int l = logicalIndex(visual);
        return l >= 0 && !isSectionHidden(l) && title(l).section('|', 0, 0) == group && title(l).contains('|');
    };
    int first = visualIndex(logical), last = first;
    for (int v = first - 1; v >= 0 && (sameGroup(v) || isSectionHidden(logicalIndex(v))); --v)
        if (sameGroup(v)) first = v;
    for (int v = last + 1; v < count() && (sameGroup(v) || isSectionHidden(logicalIndex(v))); ++v)
        if (sameGroup(v)) last = v;
    const int left = sectionViewportPosition(logicalIndex(first));
    const int right = sectionViewportPosition(logicalIndex(last)) + sectionSize(logicalIndex(last));
    return QRect(left, sectionRect.top(), right - left, sectionRect.height() / 2);
}

void TwoLevelHeader::drawCell(QPainter *painter, const QRect &rect, const QString &text) const
{
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.text.clear();
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(rect.adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWordWrap, text);
}

void TwoLevelHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const QString t = title(logicalIndex);
    painter->save();
    if (!t.contains('|')) {
        drawCell(painter, rect, t);
    } else {
        const QString group = t.section('|', 0, 0);
        const QRect top(rect.left(), rect.top(), rect.width(), rect.height() / 2);
        // Each section paints its slice of the shared heading, so the slices join into one cell.
        painter->setClipRect(top);
        drawCell(painter, groupRect(logicalIndex, group, rect), group);
        painter->setClipping(false);
        drawCell(painter, QRect(rect.left(), top.bottom() + 1, rect.width(), rect.height() - top.height()),
                 t.section('|', 1));
    }
    painter->restore();
}
