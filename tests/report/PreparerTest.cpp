#include "ReportData.h"
#include "documents/DatasetReportSource.h"
#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// The offer numbers printed in the first column of each page's data rows.
std::vector<QStringList> idsPerPage(const PreparedReport &r)
{
    std::vector<QStringList> out;
    for (int p = 0; p < r.pageCount(); ++p) {
        QStringList ids;
        for (const TextItem &t : r.pages[p].texts)
            if (t.x == 1000 && t.w == 2000 && t.h == 500) ids << r.displayText(p, t);
        out.push_back(ids);
    }
    return out;
}

QString lastText(const PreparedReport &r) { return r.displayText(r.pageCount() - 1, r.pages.back().texts.back()); }

QByteArray png(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

TEST(Preparer, SaleListRowsPerPageAndSummaryCount)
{
    struct Case { int offers; std::vector<int> rowsPerPage; };
    // A landscape page holds 190 mm: the first page loses the title and headings
    // (20 mm), the others the headings (10 mm); rows are 5 mm.
    const Case cases[] = {{0, {0}}, {34, {34, 0}}, {100, {34, 36, 30}}};
    for (const Case &c : cases) {
        ReportData data;
        data.addOffers(c.offers);
        const PreparedReport r = prepare(*data.reports.saleListJob(data.sale()));
        const auto ids = idsPerPage(r);
        std::vector<int> counts;
        for (const QStringList &page : ids) counts.push_back(int(page.size()));
        EXPECT_EQ(counts, c.rowsPerPage) << c.offers;
        EXPECT_EQ(lastText(r), QStringLiteral("Всего предложений: %1").arg(c.offers));
        EXPECT_TRUE(pageTexts(r, 0).contains(QStringLiteral("Объекты на продажу")));
        EXPECT_TRUE(pageTexts(r, 0).contains(QStringLiteral("Цена клиента $")));
        EXPECT_TRUE(r.notes.isEmpty()) << r.notes.join(';').toStdString();
    }
}

TEST(Preparer, FilteredSortedRegisterPrintsItsVisibleRowsInOrderWithoutMovingIt)
{
    ReportData data;
    data.addOffers(12);
    Table &sale = data.sale();
    sale.setFilterText(QStringLiteral("NameType='Квартира'"));
    sale.setFiltered(true);
    sale.setSort({QStringLiteral("DateReg"), QStringLiteral("IDBazaSale")});
    sale.setRecNo(3);
    const QVariant current = sale.currentValue(sale.fieldIndex(QStringLiteral("IDBazaSale")));
    QStringList shown;
    for (int r = 0; r < sale.recordCount(); ++r) shown << sale.value(r, sale.fieldIndex(QStringLiteral("IDBazaSale"))).toString();

    const PreparedReport r = prepare(*data.reports.saleListJob(sale));
    EXPECT_EQ(idsPerPage(r).front(), shown);
    EXPECT_EQ(shown.size(), 6);
    EXPECT_EQ(lastText(r), QStringLiteral("Всего предложений: 6"));
    EXPECT_EQ(sale.recNo(), 3);
    EXPECT_EQ(sale.currentValue(sale.fieldIndex(QStringLiteral("IDBazaSale"))), current);
}

TEST(Preparer, DemandListHasTwoLevelHeadings)
{
    ReportData data;
    data.exec("INSERT INTO BazaSpros (IDBazaSpros, DateReg, KolRoomMin, KolRoomMax, IDKlient, PriceUSD) "
              "VALUES (3, '2026-10-05', 1, 2, 1, 500000000)");
    data.spros().requery();
    const PreparedReport r = prepare(*data.reports.sprosListJob(data.spros()));
    const QStringList texts = pageTexts(r, 0);
    for (const char *t : {"Заявки на покупку", "Комнат", "от", "до", "S Жилая", "Телфон", "05.10.2026", "50000", "555",
                          "Всего заявок спроса: 1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
}

TEST(Preparer, SearchReports)
{
    ReportData data;
    data.addOffers(1, 0);   // no district
    data.sale().first();
    Table &found = data.spros();   // no demands: the search found nothing
    const PreparedReport none = prepare(*data.reports.searchForSaleJob({&data.sale(), &found}));
    ASSERT_EQ(none.pageCount(), 1);
    const QStringList texts = pageTexts(none, 0);
    EXPECT_TRUE(texts.contains(QStringLiteral("Заявка на продажу недвижимости № 1 от 02.11.2026")));
    EXPECT_TRUE(texts.contains(QStringLiteral("г.Самара, р-н., ул.Победы, д.5, корп.1, кв.7")));
    EXPECT_TRUE(texts.contains(QStringLiteral("25000,50")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Результат поиска возможных вариантов удовлетворения вышеуказанной заявки:")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Оператор ___________________________")));
    EXPECT_TRUE(texts.contains(QStringLiteral("01.12.2026")));
    EXPECT_FALSE(texts.join('|').contains(QStringLiteral("Заявка № ")));

    data.exec("INSERT INTO BazaSpros (IDBazaSpros, DateReg, IDKlient, Price) VALUES (8, '2026-10-05', 1, 12345000)");
    found.requery();
    const PreparedReport one = prepare(*data.reports.searchForSaleJob({&data.sale(), &found}));
    // The found rows come from a dataset without the search's client names: those print empty.
    EXPECT_TRUE(pageTexts(one, 0).contains(QStringLiteral("Заявка № 8")));
    EXPECT_TRUE(pageTexts(one, 0).contains(QStringLiteral("1234,50")));

    const PreparedReport demand = prepare(*data.reports.searchForSprosJob({&found, &data.sale()}));
    EXPECT_TRUE(pageTexts(demand, 0).contains(QStringLiteral("Заявка на приобретение недвижимости № 8 от 05.10.2026")));
    EXPECT_TRUE(pageTexts(demand, 0).contains(QStringLiteral("№ Заявки 1")));
}

TEST(Preparer, GrownBandPushesTheNextOneDownAndBreaksThePage)
{
    Report report = TFReport::builtIn(QStringLiteral("RRegDocDop"));
    report.bands.clear();
    Band rows;
    rows.kind = BandKind::Data;
    rows.source = QStringLiteral("BazaSale");
    rows.height = 10;
    TextBox text;
    text.rect = QRectF(0, 0, 40, 5);
    text.grow = true;
    text.text = QStringLiteral("[IDBazaSale] очень длинный текст, который не помещается в одну строку узкой ячейки");
    rows.objects.emplace_back(text);
    TextBox below;
    below.rect = QRectF(0, 5, 40, 5);   // under the growing box: moves down with it
    below.text = QStringLiteral("конец [IDBazaSale]");
    rows.objects.emplace_back(below);
    report.bands.push_back(rows);

    ReportData data;
    data.addOffers(40);
    ReportJob job;
    job.report = report;
    job.sources.push_back(std::make_unique<DatasetReportSource>(QStringLiteral("BazaSale"), data.sale()));
    const PreparedReport r = prepare(job);

    const auto &texts = r.pages[0].texts;
    ASSERT_GE(texts.size(), 4u);
    EXPECT_GT(texts[0].h, 500);                            // it grew
    EXPECT_EQ(texts[1].y, texts[0].y + texts[0].h);        // the box below moved down with it
    EXPECT_EQ(texts[2].y, texts[1].y + texts[1].h);        // the next row starts below the grown one
    EXPECT_GT(r.pageCount(), 1);
    int printed = 0;
    for (int p = 0; p < r.pageCount(); ++p)
        for (const TextItem &t : r.pages[p].texts) {
            EXPECT_LE(t.y + t.h, 29700 - 1000) << "page " << p;
            printed += r.displayText(p, t).startsWith(QStringLiteral("конец"));
        }
    EXPECT_EQ(printed, 40);
}

TEST(Preparer, PicturePrint)
{
    struct Case { int w, h; bool landscape; bool stretched; };
    const Case cases[] = {{2000, 1500, true, true}, {300, 400, false, false}};
    TFReport reports;
    for (const Case &c : cases) {
        const PreparedReport r = prepare(*reports.pictureJob(png(c.w, c.h)));
        ASSERT_EQ(r.pageCount(), 1);
        const PreparedPage &page = r.pages[0];
        EXPECT_EQ(page.width > page.height, c.landscape);
        ASSERT_EQ(page.pictures.size(), 1u);
        const PictureItem &p = page.pictures[0];
        if (c.stretched) {
            EXPECT_TRUE(p.w == p.cw || p.h == p.ch);   // fills the box one way, proportions kept
            EXPECT_NEAR(double(p.w) / p.h, double(c.w) / c.h, 0.01);
        } else {
            EXPECT_EQ(p.w, qRound(c.w / 96.0 * 2540));  // its own size at 96 dpi
            EXPECT_EQ(p.h, qRound(c.h / 96.0 * 2540));
        }
        EXPECT_NEAR(p.x - p.cx, (p.cw - p.w) / 2, 1);   // centred
        EXPECT_NEAR(p.y - p.cy, (p.ch - p.h) / 2, 1);
    }
}

TEST(PreparedReportFile, SavesAndOpensTheSamePagesAndRejectsABrokenFile)
{
    ReportData data;
    data.addOffers(50);
    PreparedReport r = prepare(*data.reports.saleListJob(data.sale()));
    r.setText(0, 0, QStringLiteral("Изменено"));
    r.saveFile(data.dir.file("list.rkp"));
    const PreparedReport back = PreparedReport::loadFile(data.dir.file("list.rkp"));
    ASSERT_EQ(back.pageCount(), r.pageCount());
    for (int p = 0; p < r.pageCount(); ++p) EXPECT_EQ(pageTexts(back, p), pageTexts(r, p));
    EXPECT_EQ(pageTexts(back, 0).front(), QStringLiteral("Изменено"));

    QFile f(data.dir.file("list.rkp"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    for (const QByteArray &broken : {bytes.left(bytes.size() / 2), QByteArray("not a report"), QByteArray()}) {
        const QString path = data.dir.write("broken.rkp", broken);
        EXPECT_THROW(PreparedReport::loadFile(path), AppError);
    }
}

TEST(Preparer, IncrementalPreparationGivesTheSamePages)
{
    ReportData data;
    data.addOffers(300);
    const auto job = data.reports.saleListJob(data.sale());
    const PreparedReport whole = prepare(*job);
    PreparedReport sliced;
    Preparer preparer(job->report, job->sourceList(), sliced, QDate(2026, 12, 1));
    int slices = 0;
    while (!preparer.prepareSome(0)) ++slices;   // one band at a time
    EXPECT_GT(slices, 300);
    ASSERT_EQ(sliced.pageCount(), whole.pageCount());
    for (int p = 0; p < whole.pageCount(); ++p) EXPECT_EQ(pageTexts(sliced, p), pageTexts(whole, p));
}

TEST(Preparer, ChangesMadeWhilePreparingDoNotReachTheReport)
{
    ReportData data;
    data.addOffers(5000);
    Table &sale = data.sale();
    const auto job = data.reports.saleListJob(sale);
    PreparedReport r;
    Preparer preparer(job->report, job->sourceList(), r, QDate(2026, 12, 1));
    while (r.pageCount() < 2) preparer.prepareSome(0);   // the first page is ready, most rows are not

    sale.last();                                          // a row far beyond the first page
    sale.edit();
    sale.fieldByName(QStringLiteral("KolRoom")).setInteger(9);
    sale.post();
    data.exec("DELETE FROM BazaSale WHERE IDBazaSale = 4000");
    sale.requery();
    preparer.prepareAll();

    const auto ids = idsPerPage(r);
    int printed = 0;
    for (const QStringList &page : ids) printed += int(page.size());
    EXPECT_EQ(printed, 5000);
    EXPECT_EQ(ids.back().back(), QStringLiteral("5000"));
    EXPECT_EQ(lastText(r), QStringLiteral("Всего предложений: 5000"));
    int last = 0;
    while (!ids[last].contains(QStringLiteral("5000"))) ++last;
    EXPECT_FALSE(pageTexts(r, last).contains(QStringLiteral("9")));   // the rooms as they were
    EXPECT_TRUE(pageTexts(r, last).contains(QStringLiteral("2")));
}
