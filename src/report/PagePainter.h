#pragma once
#include "report/PreparedReport.h"
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <vector>

class QPainter;

// Draws prepared pages on any painter (screen, printer, PDF, image), so what
// the preview shows is what prints. Keeps the fonts and decoded pictures of one report.
class PagePainter {
public:
    explicit PagePainter(const PreparedReport &report);

    // Paints the page with its top-left corner at the painter's origin, at
    // pxPerMm device units per millimetre.
    void paint(QPainter &painter, int page, double pxPerMm);

    // The paper of a prepared page, as a printer or PDF writer takes it.
    static QPageLayout layoutOf(const PreparedPage &page);

    // The box of a text, in millimetres on its page.
    static QRectF rectMm(const TextItem &t) { return QRectF(t.x / 100.0, t.y / 100.0, t.w / 100.0, t.h / 100.0); }

private:
    const QImage &picture(quint32 index);

    const PreparedReport &m_report;
    std::vector<QFont> m_fonts;
    std::vector<QImage> m_pictures;
};
