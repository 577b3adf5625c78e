// Printing the list of offers over a large register, beside two floors measured
// in the same run: a scan of the same rows and fields from the dataset, and the
// same texts drawn with QPainter on a QPdfWriter in a plain loop.
//   bench_report [folder] [--no-pdf]   (the demo database is made there once and reused)
#include "BenchSupport.h"
#include "data/DataModule.h"
#include "documents/DatasetReportSource.h"
#include "documents/Report.h"
#include "report/PdfExport.h"
#include "report/Preparer.h"
#include "report/ui/PageView.h"
#include "report/ui/PreviewWindow.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

namespace {

const QStringList Fields = {"IDBazaSale", "DateReg", "KolRoom", "Level", "LevelOf", "S_Obsh", "S_Jil", "S_Kuh",
                            "NewNameTown", "NewNameRaion", "NewNameStreet", "PriceUSD", "NewNameKlient"};

double ms(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

// CPU time of this process: steadier than the wall clock on a machine shared with others.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Floor 1: every value the report prints, read from the dataset's view.
double scanMs(const Dataset &ds)
{
    QElapsedTimer t;
    t.start();
    std::vector<int> fields;
    for (const QString &f : Fields) fields.push_back(ds.fieldIndex(f));
    qint64 touched = 0;
    for (int r = 0; r < ds.recordCount(); ++r)
        for (int f : fields) touched += ds.value(r, f).isValid();
    std::printf("  (scan touched %lld values)\n", touched);
    return ms(t);
}

// Floor 2: the same texts in the same boxes, drawn straight onto a PDF.
double plainPdfMs(const Dataset &ds, const QString &path)
{
    QElapsedTimer t;
    t.start();
    QPdfWriter pdf(path);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    pdf.setResolution(600);
    QPainter p(&pdf);
    p.scale(600 / 25.4 / 100, 600 / 25.4 / 100);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(353);
    p.setFont(font);
    const int widths[] = {2000, 2000, 1400, 1200, 1200, 1700, 1700, 1700, 6000, 2500, 6300};
    std::vector<int> fields;
    for (const QString &f : Fields) fields.push_back(ds.fieldIndex(f));
    int y = 3000;
    for (int r = 0; r < ds.recordCount(); ++r) {
        if (y + 500 > 20000) {
            pdf.newPage();
            y = 2000;
        }
        const QString values[] = {
            ds.value(r, fields[0]).toString(), ds.value(r, fields[1]).toDate().toString(QStringLiteral("dd.MM.yyyy")),
            ds.value(r, fields[2]).toString(), ds.value(r, fields[3]).toString(), ds.value(r, fields[4]).toString(),
            ds.value(r, fields[5]).toString(), ds.value(r, fields[6]).toString(), ds.value(r, fields[7]).toString(),
            ds.value(r, fields[8]).toString() + ' ' + ds.value(r, fields[9]).toString() + ' ' + ds.value(r, fields[10]).toString(),
            ds.value(r, fields[11]).toString(), ds.value(r, fields[12]).toString()};
        int x = 1000;
        for (int c = 0; c < 11; ++c) {
            const QRect box(x, y, widths[c], 500);
            p.drawRect(box);
            p.drawText(box.adjusted(50, 0, -50, 0), Qt::AlignVCenter | Qt::AlignLeft, values[c]);
            x += widths[c];
        }
        y += 500;
    }
    p.end();
    return ms(t);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool withPdf = !args.contains(QStringLiteral("--no-pdf"));
    const QStringList folders = args.filter(QRegularExpression(QStringLiteral("^[^-]")));
    const QString folder = folders.isEmpty() ? QDir::temp().filePath("domlar-bench-100k") : folders.front();
    Bench::demoDatabase(folder, 100000, 100000, 20000);
    TDMDomlar dm(folder, [](const QString &) {});
    dm.DataModuleCreate();
    const Dataset &sale = dm.table(QStringLiteral("ADOTBazaSale"));
    TFReport reports;
    QTemporaryDir tmp;
    std::printf("offers: %d; memory after opening the data module: peak %.0f MiB\n", sale.recordCount(), Bench::peakMemoryMiB());

    scanMs(sale);   // warms the lookup indexes
    const double scan = scanMs(sale);

    QElapsedTimer t;
    const double rssBefore = Bench::peakMemoryMiB();
    auto job = reports.saleListJob(sale);
    PreparedReport prepared;
    t.start();
    const double cpuStart = cpuMs();
    Preparer preparer(job->report, job->sourceList(), prepared);
    preparer.prepareSome(0);
    while (prepared.pageCount() < 2 && !preparer.finished()) preparer.prepareSome(0);
    const double engineFirst = ms(t);
    preparer.prepareAll();
    const double all = ms(t);
    const double allCpu = cpuMs() - cpuStart;
    const double rssAfter = Bench::peakMemoryMiB();

    // The copy the list takes of the fields it prints, alone.
    double snapshot = 0;
    {
        DatasetReportSource source(QStringLiteral("BazaSale"), sale);
        std::vector<int> fields;
        for (const QString &f : Fields) fields.push_back(sale.fieldIndex(f));
        t.restart();
        source.willRead(fields);
        source.value(sale.recordCount() - 1, fields.front());   // copies every row
        snapshot = ms(t);
    }

    // From the button: the window made, the first page prepared and painted.
    t.restart();
    auto *window = reports.ShowSaleList(sale);
    QApplication::processEvents();
    window->pageView()->viewport()->repaint();
    const double firstPage = ms(t);
    window->finishPreparing();
    const double windowAll = ms(t);
    window->close();
    QApplication::processEvents();

    std::printf("RSale: %d pages\n", prepared.pageCount());
    std::printf("first page from the button (window, first page prepared and painted): %.1f ms\n", firstPage);
    std::printf("first page prepared (engine alone): %.2f ms\n", engineFirst);
    std::printf("all pages prepared: %.0f ms, CPU %.0f ms (in the window, in 30 ms slices: %.0f ms); "
                "floor, dataset scan: %.0f ms\n", all, allCpu, windowAll, scan);
    std::printf("  of which the copy of the 13 printed fields of every row: %.0f ms\n", snapshot);
    std::printf("prepared pages: %.1f MiB; peak memory %.0f MiB after preparing (%.0f MiB before: +%.0f MiB)\n",
                double(prepared.bytes()) / 1048576.0, rssAfter, rssBefore, rssAfter - rssBefore);
    if (!withPdf) return 0;
    const QString pdfPath = tmp.filePath("list.pdf");
    t.restart();
    PdfExport::write(prepared, pdfPath);
    const double pdf = ms(t);
    const double floorPdf = plainPdfMs(sale, tmp.filePath("plain.pdf"));

    std::printf("PDF export: %.0f ms (%.2f ms a page, %.1f MiB); floor, plain QPainter loop: %.0f ms; ratio %.2f\n", pdf,
                pdf / prepared.pageCount(), QFileInfo(pdfPath).size() / 1048576.0, floorPdf, pdf / floorPdf);
    return 0;
}
