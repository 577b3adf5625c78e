#include "ReportData.h"
#include "report/PdfExport.h"
#include "report/ui/PageView.h"
#include "report/ui/PreviewWindow.h"
#include "platform/ScriptedDialogs.h"
#include "support/TypeText.h"
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// 120 offers (four pages); offer 75, on page 3, is the client "Сидоров"'s.
void addOffersWithSidorov(ReportData &data)
{
    data.addOffers(120);
    data.exec("INSERT INTO SprKlient (IDKlient, NameKlient) VALUES (2, 'Сидоров')");
    data.exec("UPDATE BazaSale SET IDKlient = 2 WHERE IDBazaSale = 75");
    data.table("ADOTSprKlient").requery();
    data.sale().requery();
}

// Runs a poppler tool on a file and gives its output.
QString poppler(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("failed: ") + p.readAllStandardError();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString &path)
{
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(poppler("pdfinfo", {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

TEST(Preview, FindLandsOnThePageHoldingTheText)
{
    ReportData data;
    addOffersWithSidorov(data);
    PreviewWindow window(data.reports.saleListJob(data.sale()));
    window.resize(900, 700);
    window.show();
    window.finishPreparing();
    ASSERT_EQ(window.prepared().pageCount(), 4);
    struct Case { const char *text; bool forward; int page; };
    // Offer 75 is row 75: page 1 holds 34 rows, page 2 36 more, so it is on page 3.
    for (const Case &c : {Case{"сидоров", true, 2}, Case{"Всего предложений", true, 3}, Case{"Сидоров", false, 2},
                          Case{"Объекты на продажу", false, 0}}) {
        window.findText(QString::fromUtf8(c.text), c.forward);
        EXPECT_EQ(window.pageView()->currentPage(), c.page) << c.text;
    }
}

TEST(Preview, PrintsThroughQPrinterAndExportsAPdfThatAReaderOpens)
{
    ReportData data;
    data.addOffers(80);
    PreviewWindow window(data.reports.saleListJob(data.sale()));
    window.finishPreparing();
    ASSERT_EQ(window.prepared().pageCount(), 3);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(data.dir.file("printed.pdf"));
    window.print(printer);
    EXPECT_EQ(pdfPages(data.dir.file("printed.pdf")), 3);

    window.exportPdf(data.dir.file("list.pdf"));
    EXPECT_EQ(pdfPages(data.dir.file("list.pdf")), 3);
    const QString text = poppler("pdftotext", {"-layout", data.dir.file("list.pdf"), "-"});
    EXPECT_TRUE(text.contains(QStringLiteral("Объекты на продажу"))) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Всего предложений: 80")));
    EXPECT_TRUE(text.contains(QStringLiteral("Самара Кировский Победы")));
    EXPECT_TRUE(poppler("pdffonts", {data.dir.file("list.pdf")}).contains(QStringLiteral("LiberationSans")));
}

TEST(Preview, FailedExportLeavesNoFileAndSaysWhy)
{
    ReportData data;
    data.addOffers(3);
    PreviewWindow window(data.reports.saleListJob(data.sale()));
    const QString path = data.dir.file("missing-folder/list.pdf");
    EXPECT_THROW(window.exportPdf(path), AppError);
    EXPECT_FALSE(QFile::exists(path));

    // Stopped halfway: nothing under the chosen name.
    const QString stopped = data.dir.file("stopped.pdf");
    EXPECT_FALSE(PdfExport::write(window.prepared(), stopped, [](int page, int) { return page < 1; }) &&
                 window.prepared().pageCount() > 1);
    EXPECT_EQ(QFile::exists(stopped), window.prepared().pageCount() == 1);
}

TEST(Preview, EditedTextAndPageSetupPrepareAgain)
{
    ReportData data;
    data.addOffers(60);
    PreviewWindow window(data.reports.saleListJob(data.sale()));
    window.finishPreparing();
    EXPECT_EQ(window.prepared().pageCount(), 2);
    window.editText(0, 0, QStringLiteral("Наш список"));
    EXPECT_EQ(pageTexts(window.prepared(), 0).front(), QStringLiteral("Наш список"));

    PageSetup portrait = data.reports.RSale.page;
    portrait.landscape = false;
    window.setPage(portrait);
    window.finishPreparing();
    EXPECT_LT(window.prepared().pages[0].width, window.prepared().pages[0].height);
    EXPECT_EQ(pageTexts(window.prepared(), 0).front(), QStringLiteral("Объекты на продажу"));
}

namespace {

// The page commands of a preview as the user finds them on its toolbar.
struct PageCommands {
    QToolBar *bar;
    explicit PageCommands(PreviewWindow &window) : bar(window.findChild<QToolBar *>("PagesToolBar")) {}
    QAction *action(const QString &text) const
    {
        for (QAction *a : bar->actions())
            if (a->text() == text) return a;
        return nullptr;
    }
    void click(const QString &text) const { QTest::mouseClick(bar->widgetForAction(action(text)), Qt::LeftButton); }
    // "Первая", "Предыдущая", "Следующая", "Последняя": which can be pressed.
    QList<bool> enabled() const
    {
        QList<bool> out;
        for (const char *text : {"Первая", "Предыдущая", "Следующая", "Последняя"})
            out << action(QString::fromUtf8(text))->isEnabled();
        return out;
    }
};

const QList<bool> AtFirst{false, false, true, true}, Between{true, true, true, true}, AtLast{true, true, false, false};

} // namespace

// The page commands are on only where they move the view, whatever moved it.
TEST(PreviewNavigation, CommandsOnlyWhereTheyCanMove)
{
    ReportData data;
    data.addOffers(120);
    PreviewWindow window(data.reports.saleListJob(data.sale()));
    window.show();
    window.finishPreparing();
    ASSERT_EQ(window.prepared().pageCount(), 4);
    const PageCommands pages(window);
    PageView *view = window.pageView();
    EXPECT_EQ(view->currentPage(), 0);
    EXPECT_EQ(pages.enabled(), AtFirst);

    struct Step { const char *command; int page; QList<bool> enabled; };
    for (const Step &s : {Step{"Последняя", 3, AtLast}, Step{"Предыдущая", 2, Between}, Step{"Следующая", 3, AtLast},
                          Step{"Первая", 0, AtFirst}, Step{"Следующая", 1, Between}}) {
        pages.click(QString::fromUtf8(s.command));
        EXPECT_EQ(view->currentPage(), s.page) << s.command;
        EXPECT_EQ(pages.enabled(), s.enabled) << s.command;
    }

    // Small pages: several fill the view, and the last one can still be gone to.
    view->setZoom(0.25);
    pages.click(QStringLiteral("Последняя"));
    EXPECT_EQ(view->currentPage(), 3);
    EXPECT_EQ(pages.enabled(), AtLast);
    view->setFit(PageView::Fit::PageWidth);

    view->verticalScrollBar()->setValue(0);
    EXPECT_EQ(pages.enabled(), AtFirst);
    window.findChild<QSpinBox *>("PageNumber")->setValue(4);
    EXPECT_EQ(view->currentPage(), 3);
    EXPECT_EQ(pages.enabled(), AtLast);
    window.findChild<QListWidget *>()->setCurrentRow(1);
    EXPECT_EQ(view->currentPage(), 1);
    EXPECT_EQ(pages.enabled(), Between);
    window.findText(QStringLiteral("Всего предложений"), true);
    EXPECT_EQ(view->currentPage(), 3);
    EXPECT_EQ(pages.enabled(), AtLast);

    // A report opened from a file starts at its first page.
    window.savePrepared(data.dir.file("list.rkp"));
    window.openPrepared(data.dir.file("list.rkp"));
    EXPECT_EQ(view->currentPage(), 0);
    EXPECT_EQ(pages.enabled(), AtFirst);
}

// A one-page report has nowhere to go.
TEST(PreviewNavigation, OnePageMovesNowhere)
{
    ReportData data;
    data.addOffers(3);
    PreviewWindow window(data.reports.saleListJob(data.sale()));
    window.show();
    window.finishPreparing();
    ASSERT_EQ(window.prepared().pageCount(), 1);
    EXPECT_EQ(PageCommands(window).enabled(), QList<bool>({false, false, false, false}));
}

// The preview opens showing its whole toolbar row, as far as the screen is wide.
TEST(PreviewSize, OpensWideEnoughForItsToolbar)
{
    ReportData data;
    data.addOffers(120);
    PreviewWindow window(data.reports.saleListJob(data.sale()));
    window.show();
    window.finishPreparing();   // the page count has its final width
    QApplication::processEvents();
    const QRect screen = window.screen()->availableGeometry();
    int row = 0;
    for (const char *name : {"PreviewToolBar", "PagesToolBar"}) row += window.findChild<QToolBar *>(name)->sizeHint().width();
    EXPECT_LE(window.frameGeometry().width(), screen.width());
    EXPECT_LE(window.frameGeometry().height(), screen.height());
    EXPECT_GE(window.width(), std::min(row, screen.width() - 8));
    if (row <= window.width()) {
        // Nothing hidden in a toolbar's overflow.
        for (QToolButton *more : window.findChildren<QToolButton *>("qt_toolbar_ext_button"))
            EXPECT_FALSE(more->isVisible());
    }
}

// Centred over the opener, never larger than the screen area, never off it.
TEST(PreviewSize, PlacedOverItsOpenerOnTheScreen)
{
    const QMargins frame(4, 30, 4, 4);
    struct Case { const char *name; QSize wanted; QRect area, over, expected; };
    const Case cases[] = {
        {"fits, centred", {1000, 700}, {0, 0, 1920, 1080}, {0, 0, 1920, 1080}, {456, 173, 1008, 734}},
        {"over a small opener", {1000, 700}, {0, 0, 1920, 1080}, {100, 100, 400, 300}, {0, 0, 1008, 734}},
        {"too tall for a small screen", {1266, 760}, {0, 0, 1366, 738}, {0, 0, 1366, 738}, {46, 0, 1274, 738}},
        {"too wide", {1400, 600}, {0, 30, 1280, 994}, {0, 30, 1280, 994}, {0, 210, 1280, 634}},
        {"opener near the right edge of a second screen", {800, 600}, {1920, 0, 1280, 1024}, {2900, 400, 300, 300}, {2392, 233, 808, 634}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PreviewWindow::placement(c.wanted, c.area, c.over, frame), c.expected);
    }
}

// Ctrl+F brings up the find bar with its text selected; Enter finds forward, a click
// on "Назад" backward; a text that is not there is told.
TEST(Preview, FindBarFromTheKeyboard)
{
    ScopedScriptedDialogs dialogs;
    ReportData data;
    addOffersWithSidorov(data);
    PreviewWindow window(data.reports.saleListJob(data.sale()));
    window.resize(900, 700);
    window.show();
    QApplication::setActiveWindow(&window);
    auto *bar = window.findChild<QToolBar *>("FindBar");
    auto *text = window.findChild<QLineEdit *>("FindText");
    ASSERT_TRUE(bar && text);
    EXPECT_FALSE(bar->isVisible());
    auto find = [&](const QString &typed) {
        QTest::keyClick(window.pageView(), Qt::Key_F, Qt::ControlModifier);
        typeText(text, typed);   // over the selected text
    };
    find(QStringLiteral("сидоров"));
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(text->text(), QStringLiteral("сидоров"));
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(window.pageView()->currentPage(), 2);

    find(QStringLiteral("Объекты на продажу"));
    QAction *back = nullptr;
    for (QAction *a : bar->actions())
        if (a->text() == QStringLiteral("Назад")) back = a;
    ASSERT_TRUE(back);
    QTest::mouseClick(bar->widgetForAction(back), Qt::LeftButton);
    EXPECT_EQ(window.pageView()->currentPage(), 0);

    find(QStringLiteral("Петров"));
    dialogs.answerMessage(Dialogs::Ok);
    QTest::keyClick(text, Qt::Key_Return);
    ASSERT_EQ(dialogs.calls().size(), 1);
    EXPECT_EQ(dialogs.calls().at(0).text, QStringLiteral("Текст «Петров» не найден."));
    EXPECT_EQ(window.pageView()->currentPage(), 0);
}

// The zoom list, worked from the keyboard, sets the pages' scale and says it in the
// status line; Esc closes the window.
TEST(Preview, ZoomListAndEscape)
{
    ReportData data;
    data.addOffers(3);
    QPointer<PreviewWindow> window = new PreviewWindow(data.reports.saleListJob(data.sale()));
    window->show();
    QApplication::setActiveWindow(window);
    auto *zoom = window->findChild<QComboBox *>();
    ASSERT_TRUE(zoom);
    auto status = [&] {
        for (QLabel *l : window->statusBar()->findChildren<QLabel *>())
            if (l->text().contains(QStringLiteral("Масштаб"))) return l->text();
        return QString();
    };
    struct Case { Qt::Key key; double zoom; const char *shown; };
    for (const Case &c : {Case{Qt::Key_Down, 0.5, "Масштаб: 50 %"}, Case{Qt::Key_Down, 0.75, "Масштаб: 75 %"},
                          Case{Qt::Key_Up, 0.5, "Масштаб: 50 %"}}) {
        QTest::keyClick(zoom, c.key);
        EXPECT_EQ(window->pageView()->zoom(), c.zoom);
        EXPECT_TRUE(status().contains(QString::fromUtf8(c.shown))) << status().toStdString();
    }
    QTest::keyClick(window->pageView(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
    delete window;
}
