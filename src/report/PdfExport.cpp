#include "report/PdfExport.h"
#include "platform/AppError.h"
#include "report/PagePainter.h"
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

[[noreturn]] void failed(const QString &path, const QString &why)
{
    throw AppError(QStringLiteral("Не удалось сохранить PDF-файл «%1»: %2").arg(path, why));
}
} // namespace

bool PdfExport::write(const PreparedReport &report, const QString &path, const Progress &progress)
{
    if (report.pages.empty()) failed(path, QStringLiteral("в отчёте нет страниц"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) failed(path, file.errorString());
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(600);
        pdf.setCreator(QStringLiteral("Домлар"));
        pdf.setTitle(report.title);
        pdf.setPageLayout(PagePainter::layoutOf(report.pages.front()));
        QPainter painter;
        if (!painter.begin(&pdf)) failed(path, QStringLiteral("не удалось начать запись"));
        PagePainter pages(report);
        const double pxPerMm = pdf.resolution() / 25.4;
        for (int i = 0; i < report.pageCount(); ++i) {
            if (progress && !progress(i, report.pageCount())) {
                painter.end();
                file.cancelWriting();
                return false;
            }
            if (i > 0) {
                pdf.setPageLayout(PagePainter::layoutOf(report.pages[i]));
                pdf.newPage();
            }
            pages.paint(painter, i, pxPerMm);
        }
        painter.end();
    }
    if (!file.commit()) failed(path, file.errorString());
    return true;
}
