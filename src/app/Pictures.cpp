#include "app/Pictures.h"
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

void drawHouse(QPainter &p, const QRectF &r, const QColor &wall, const QColor &roof)
{
    const qreal w = r.width(), h = r.height();
    QPainterPath roofPath;
    roofPath.moveTo(r.left() - w * 0.08, r.top() + h * 0.42);
    roofPath.lineTo(r.center().x(), r.top());
    roofPath.lineTo(r.right() + w * 0.08, r.top() + h * 0.42);
    roofPath.closeSubpath();
    p.setPen(QPen(roof.darker(140), qMax<qreal>(1, w / 40)));
    p.setBrush(roof);
    p.drawPath(roofPath);
    const QRectF body(r.left(), r.top() + h * 0.40, w, h * 0.60);
    p.setBrush(wall);
    p.drawRect(body);
    p.setBrush(QColor(255, 236, 150));
    const qreal win = w * 0.22;
    p.drawRect(QRectF(body.left() + w * 0.12, body.top() + h * 0.10, win, win));
    p.drawRect(QRectF(body.right() - w * 0.12 - win, body.top() + h * 0.10, win, win));
    p.setBrush(roof.darker(120));
    p.drawRect(QRectF(r.center().x() - w * 0.1, body.bottom() - h * 0.32, w * 0.2, h * 0.32));
}

} // namespace

namespace Pictures {

QPixmap house(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawHouse(p, QRectF(size * 0.14, size * 0.08, size * 0.72, size * 0.84), QColor(236, 226, 205), QColor(170, 40, 40));
    return pm;
}

QPixmap cityline(int width, int height)
{
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(225, 238, 250));
    p.fillRect(pm.rect(), sky);
    p.fillRect(QRectF(0, height * 0.86, width, height * 0.14), QColor(110, 160, 90));
    const QColor walls[] = {QColor(230, 215, 190), QColor(210, 210, 220), QColor(240, 225, 200)};
    const QColor roofs[] = {QColor(160, 50, 40), QColor(70, 90, 140), QColor(120, 70, 40)};
    const int n = 4;
    for (int i = 0; i < n; ++i) {
        const qreal w = width / (n + 1.0), x = w * 0.3 + i * w * 1.15;
        const qreal hh = height * (0.45 + 0.1 * (i % 2));
        drawHouse(p, QRectF(x, height * 0.86 - hh, w * 0.85, hh), walls[i % 3], roofs[i % 3]);
    }
    return pm;
}

QPixmap splash(int width, int height)
{
    QPixmap pm(width, height);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.drawPixmap(QRect(width / 8, height / 5, width * 3 / 4, height * 3 / 5),
                 cityline(width * 3 / 4, height * 3 / 5));
    return pm;
}

} // namespace Pictures
