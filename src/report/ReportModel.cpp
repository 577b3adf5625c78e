#include "report/ReportModel.h"
#include <QImage>
#include <QPageSize>

QSizeF PageSetup::sizeMm() const
{
    const QPageSize::PageSizeId id = paper.compare(QLatin1String("A3"), Qt::CaseInsensitive) == 0 ? QPageSize::A3
                                     : paper.compare(QLatin1String("A5"), Qt::CaseInsensitive) == 0 ? QPageSize::A5
                                     : paper.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0 ? QPageSize::Letter
                                                                                                    : QPageSize::A4;
    const QSizeF s = QPageSize(id).size(QPageSize::Millimeter);
    return landscape ? s.transposed() : s;
}

QRectF PageSetup::printableMm() const
{
    const QSizeF s = sizeMm();
    return QRectF(margins.left(), margins.top(), s.width() - margins.left() - margins.right(),
                  s.height() - margins.top() - margins.bottom());
}

template <typename T>
static T *findObject(std::vector<Band> &bands, const QString &name)
{
    for (Band &b : bands)
        for (ReportObject &o : b.objects)
            if (T *t = std::get_if<T>(&o); t && t->name.compare(name, Qt::CaseInsensitive) == 0) return t;
    return nullptr;
}

TextBox *Report::findText(const QString &name) { return findObject<TextBox>(bands, name); }
PictureBox *Report::findPicture(const QString &name) { return findObject<PictureBox>(bands, name); }

QSizeF pictureOwnSizeMm(const QByteArray &data)
{
    const QImage image = QImage::fromData(data);
    if (image.isNull()) return {};
    static const int defaultDpm = QImage(1, 1, QImage::Format_RGB32).dotsPerMeterX();
    const auto dpm = [](int stored) { return stored <= 0 || stored == defaultDpm ? 96 / 0.0254 : double(stored); };
    return QSizeF(image.width() / dpm(image.dotsPerMeterX()) * 1000, image.height() / dpm(image.dotsPerMeterY()) * 1000);
}
