#include "documents/Report.h"
#include "documents/DatasetReportSource.h"
#include "report/ReportFile.h"
#include "report/ui/PreviewWindow.h"
#include <QApplication>
#include <QImage>

TFReport *FReport = nullptr;

// The report files live in this static library: their resource is registered by hand.
static int initResources()
{
    Q_INIT_RESOURCE(reports);
    return 0;
}

namespace {
std::shared_ptr<ReportJob> jobOf(const QString &title, const Report &report)
{
    auto job = std::make_shared<ReportJob>();
    job->title = title;
    job->report = report;
    return job;
}

void addSource(ReportJob &job, const QString &name, const Dataset *dataset, DatasetReportSource::Rows rows)
{
    if (dataset) job.sources.push_back(std::make_unique<DatasetReportSource>(name, *dataset, rows));
}
} // namespace

TFReport::TFReport(QObject *parent)
    : QObject(parent), RSale((initResources(), builtIn("RSale"))), RSpros(builtIn("RSpros")),
      RSearchForSaleDomlar(builtIn("RSearchForSaleDomlar")), RSearchForSprosDomlar(builtIn("RSearchForSprosDomlar")),
      RRegDocDop(builtIn("RRegDocDop")), RImage(builtIn("RImage"))
{
    setObjectName(QStringLiteral("FReport"));
}

Report TFReport::builtIn(const QString &name)
{
    return ReportFile::load(QStringLiteral(":/reports/%1.rkd").arg(name));
}

std::shared_ptr<ReportJob> TFReport::saleListJob(const Dataset &sale) const
{
    auto job = jobOf(QStringLiteral("Объекты на продажу"), RSale);
    addSource(*job, QStringLiteral("BazaSale"), &sale, DatasetReportSource::Rows::Visible);
    return job;
}

std::shared_ptr<ReportJob> TFReport::sprosListJob(const Dataset &spros) const
{
    auto job = jobOf(QStringLiteral("Заявки на покупку"), RSpros);
    addSource(*job, QStringLiteral("BazaSpros"), &spros, DatasetReportSource::Rows::Visible);
    return job;
}

std::shared_ptr<ReportJob> TFReport::searchForSaleJob(const SearchData &data) const
{
    auto job = jobOf(QStringLiteral("Результат поиска"), RSearchForSaleDomlar);
    addSource(*job, QStringLiteral("BazaSale"), data.request, DatasetReportSource::Rows::Current);
    addSource(*job, QStringLiteral("ADOQSearch1"), data.found, DatasetReportSource::Rows::Visible);
    return job;
}

std::shared_ptr<ReportJob> TFReport::searchForSprosJob(const SearchData &data) const
{
    auto job = jobOf(QStringLiteral("Результат поиска"), RSearchForSprosDomlar);
    addSource(*job, QStringLiteral("BazaSpros"), data.request, DatasetReportSource::Rows::Current);
    addSource(*job, QStringLiteral("ADOQSearch1"), data.found, DatasetReportSource::Rows::Visible);
    return job;
}

std::shared_ptr<ReportJob> TFReport::pictureJob(const QByteArray &picture) const
{
    auto job = jobOf(QStringLiteral("Изображение"), RImage);
    Report &r = job->report;
    const QImage image = QImage::fromData(picture);
    r.page.landscape = image.width() > image.height();
    const QRectF area = r.page.printableMm();
    for (Band &b : r.bands)
        if (b.kind == BandKind::Title) b.height = area.height();
    if (PictureBox *box = r.findPicture(QStringLiteral("Picture1"))) {
        box->rect = QRectF(QPointF(0, 0), area.size());
        box->data = picture;
        box->keepAspect = true;
        box->center = true;
        const QSizeF own = pictureOwnSizeMm(picture);
        box->stretch = own.width() > area.width() || own.height() > area.height();
    }
    return job;
}

PreviewWindow *TFReport::preview(std::shared_ptr<ReportJob> job)
{
    // Over a modal window (a search window) the preview must be its child, or that window blocks it.
    QWidget *over = QApplication::activeModalWidget();
    auto *w = new PreviewWindow(std::move(job), over ? over : m_opener);
    w->show();
    return w;
}

PreviewWindow *TFReport::ShowSaleList(const Dataset &sale) { return preview(saleListJob(sale)); }
PreviewWindow *TFReport::ShowSprosList(const Dataset &spros) { return preview(sprosListJob(spros)); }

PreviewWindow *TFReport::OnRSearchForSale(int variant)
{
    return variant == 1 ? preview(searchForSaleJob(m_searchForSale)) : nullptr;
}

PreviewWindow *TFReport::OnRSearchForSpros(int variant)
{
    return variant == 1 ? preview(searchForSprosJob(m_searchForSpros)) : nullptr;
}

PreviewWindow *TFReport::PrintPicture(const QByteArray &picture) { return preview(pictureJob(picture)); }
