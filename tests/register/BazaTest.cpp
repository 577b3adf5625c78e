#include "RegisterForms.h"
#include "support/ProgramForms.h"
#include "register/Baza.h"
#include "register/RegisterHalf.h"
#include "widgets/DBGrid.h"
#include "report/ui/PreviewWindow.h"
#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

template <typename T>
T *child(const QString &name)
{
    T *w = FBaza->findChild<T *>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

// Clicks a column title the way the user does.
void clickTitle(DBGrid &grid, int logical)
{
    QHeaderView *header = grid.horizontalHeader();
    grid.scrollTo(grid.model()->index(0, logical), QAbstractItemView::PositionAtCenter);
    const QPoint at(header->sectionViewportPosition(logical) + header->sectionSize(logical) / 2, header->height() - 4);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Puts the focused cell on the row holding key in the given column.
void focusCell(DBGrid &grid, const QString &keyField, int key, int logical)
{
    ASSERT_TRUE(grid.dataset()->locate(keyField, key));
    grid.setCurrentIndex(grid.model()->index(grid.dataset()->recNo(), logical));
    ASSERT_EQ(grid.selectedColumn(), logical);
}

void settle() { QCoreApplication::processEvents(); }

} // namespace

TEST(Baza, WindowBandsAndControls)
{
    RegisterForms f;
    EXPECT_EQ(FBaza->objectName(), "FBaza");
    EXPECT_EQ(FBaza->windowTitle(), "База учета заявок");
    EXPECT_EQ(FBaza->size(), QSize(828, 552));
    EXPECT_EQ(child<QLabel>("LShow")->text(), "ПОКАЗАТЬ ->");
    EXPECT_EQ(child<QLabel>("LShow")->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    struct Band { const char *name, *text; QColor back; };
    for (const Band &b : {Band{"LHeaderSale", " Продажа", QColor(255, 179, 102)},
                          Band{"LHeaderSpros", " Покупка", QColor(255, 179, 102)},
                          Band{"LSubHeaderSale", "Заявки на продажу (обмен) недвижимости", RegisterHalf::desktopColour()},
                          Band{"LSubHeaderSpros", "Заявки на приобретение недвижимости", RegisterHalf::desktopColour()}}) {
        QLabel *label = child<QLabel>(b.name);
        EXPECT_EQ(label->text(), QString::fromUtf8(b.text));
        EXPECT_EQ(label->palette().color(QPalette::Window), b.back);
        EXPECT_TRUE(label->font().bold());
    }
    EXPECT_EQ(child<QCheckBox>("CBFilterSale")->text(), "Выбрать по значению в колонке \"ПРЕДЛОЖЕНИЙ\"");
    EXPECT_EQ(child<QCheckBox>("CBFilterSpros")->text(), "Выбрать по значению в колонке \"СПРОСА\"");
    QStringList texts;
    for (const char *name : {"BAddSale", "BOpenSale", "BDeleteSale", "BSelectColSale", "BSearchSale", "BDocumentSale"})
        texts << child<QToolButton>(name)->text();
    EXPECT_EQ(texts, QStringList({"Добавить", "Открыть", "Удалить", "Выбор", "Поиск", "Документ"}));
    EXPECT_TRUE(child<QToolButton>("SBSaleSpros")->isChecked());
    EXPECT_EQ(FBaza->saleGrid()->objectName(), "DBGridEh1");
    EXPECT_EQ(FBaza->sprosGrid()->objectName(), "DBGridEh2");
    EXPECT_EQ(FBaza->saleGrid()->dataset(), &f.sale());
    EXPECT_EQ(FBaza->sprosGrid()->dataset(), &f.spros());
}

TEST(Baza, ClosingHides)
{
    RegisterForms f;
    const QPointer<TFBaza> window(FBaza);
    FBaza->showRegister();
    EXPECT_TRUE(FBaza->isVisible());
    EXPECT_TRUE(FBaza->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window.isNull());   // hidden, never destroyed
    EXPECT_FALSE(window->isVisible());
}

TEST(Baza, SortingByPriceTwiceAndLookupTitlesNotClickable)
{
    RegisterForms f;
    FBaza->show();
    DBGrid &grid = *FBaza->saleGrid();
    clickTitle(grid, columnOf(grid, "Price"));
    EXPECT_EQ(f.sale().sort(), QStringList{"Price"});
    const QList<int> sorted = columnInts(f.sale(), "IDBazaSale");
    EXPECT_EQ(sorted.mid(0, 2), QList<int>({5, 2}));   // no price at all comes first
    QList<qint64> prices;
    for (int r = 1; r < f.sale().recordCount(); ++r)
        prices << f.sale().value(r, f.sale().fieldIndex("Price")).value<Money>().units();
    EXPECT_TRUE(std::is_sorted(prices.begin(), prices.end()));
    f.sale().setRecNo(3);
    clickTitle(grid, columnOf(grid, "Price"));
    EXPECT_EQ(columnInts(f.sale(), "IDBazaSale"), sorted);
    EXPECT_EQ(f.sale().recNo(), 3);

    clickTitle(grid, columnOf(grid, "NewNameTown"));
    EXPECT_EQ(f.sale().sort(), QStringList{"Price"});
    clickTitle(grid, columnOf(grid, "NameType"));
    EXPECT_EQ(f.sale().sort(), QStringList{"NameType"});
}

TEST(Baza, CellValueFilter)
{
    struct Case {
        const char *field;
        int row;                 // the offer whose cell is focused
        const char *expression;
        const char *title;
        QList<int> shown;
    };
    const Case cases[] = {
        {"NameType", 1, "NameType='Квартира'", "Тип объекта", {1, 6}},
        {"NameType", 4, "NameType=''", "Тип объекта", {4}},
        {"NameType", 3, "NameType='Кв. ''люкс'''", "Тип объекта", {3}},
        {"Price", 1, "Price='1500000'", "Цена", {1, 4}},
        {"Price", 2, "Price='900000.5'", "Цена", {2}},
        {"Level", 6, "Level='3'", "Этаж|№", {1, 6}},
        {"NewNameTown", 2, "NewNameTown='Тверь'", "Город", {2, 4, 6}},
        {"NameMatHome", 5, "NameMatHome=''", "Мат.дом", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expression);
        RegisterForms f;
        FBaza->show();
        DBGrid &grid = *FBaza->saleGrid();
        focusCell(grid, "IDBazaSale", c.row, columnOf(grid, c.field));
        const QString cellText = grid.currentText(columnOf(grid, c.field));
        f.dialogs.answerMessage(Dialogs::Ok);
        child<QCheckBox>("CBFilterSale")->click();
        EXPECT_EQ(f.sale().filterText(), QString::fromUtf8(c.expression));
        EXPECT_TRUE(f.sale().filtered());
        ASSERT_EQ(f.dialogs.calls().size(), 1);
        EXPECT_EQ(f.dialogs.calls()[0].title, "Информация");
        EXPECT_EQ(f.dialogs.calls()[0].text,
                  "Выбрать только те заявки в предложениях у которых " + QString::fromUtf8(c.title) + " " + cellText);
        EXPECT_EQ(columnInts(f.sale(), "IDBazaSale"), c.shown);
    }
}

TEST(Baza, FilterShowsTheCellAsShownAndUntickingBringsAllRowsBackInSort)
{
    RegisterForms f;
    FBaza->show();
    DBGrid &grid = *FBaza->saleGrid();
    clickTitle(grid, columnOf(grid, "KolRoom"));
    const QList<int> sorted = columnInts(f.sale(), "IDBazaSale");
    focusCell(grid, "IDBazaSale", 2, columnOf(grid, "Price"));
    f.dialogs.answerMessage(Dialogs::Ok);
    child<QCheckBox>("CBFilterSale")->click();
    EXPECT_EQ(f.dialogs.calls()[0].text.section("Цена ", 1), grid.currentText(columnOf(grid, "Price")));
    EXPECT_NE(grid.currentText(columnOf(grid, "Price")), "900000.5");   // the grid's own form, not the stored text

    focusCell(grid, "IDBazaSale", 2, columnOf(grid, "NameType"));   // moving changes nothing
    EXPECT_EQ(f.sale().filterText(), "Price='900000.5'");
    child<QCheckBox>("CBFilterSale")->click();
    EXPECT_FALSE(f.sale().filtered());
    EXPECT_EQ(columnInts(f.sale(), "IDBazaSale"), sorted);
    EXPECT_EQ(f.dialogs.calls().size(), 1);
}

TEST(Baza, DemandsFilterMessage)
{
    RegisterForms f;
    FBaza->show();
    DBGrid &grid = *FBaza->sprosGrid();
    focusCell(grid, "IDBazaSpros", 3, 2);
    f.dialogs.answerMessage(Dialogs::Ok);
    child<QCheckBox>("CBFilterSpros")->click();
    EXPECT_EQ(f.spros().filterText(), "KolRoomMax='3'");
    EXPECT_EQ(f.dialogs.calls()[0].text, "Выбрать только те заявки в спросе у которых Комнат|До 3");
    EXPECT_EQ(columnInts(f.spros(), "IDBazaSpros"), QList<int>{3});
    EXPECT_FALSE(f.sale().filtered());
}

TEST(Baza, ViewsAndTheWidthRule)
{
    RegisterForms f;
    FBaza->show();
    RegisterHalf *sale = FBaza->saleHalf();
    RegisterHalf *spros = FBaza->sprosHalf();
    auto *splitter = child<QSplitter>("Splitter1");
    settle();
    EXPECT_EQ(sale->width(), 828 / 2 - 2);
    FBaza->resize(1000, 600);
    settle();
    EXPECT_EQ(sale->width(), 1000 / 2 - 2);
    EXPECT_TRUE(spros->isVisible());
    EXPECT_EQ(sale->width() + splitter->handleWidth() + spros->width(), splitter->width());

    child<QToolButton>("SBSpros")->click();
    EXPECT_EQ(FBaza->view(), TFBaza::View::SprosOnly);
    FBaza->resize(1101, 600);
    settle();
    EXPECT_FALSE(sale->isVisible());
    EXPECT_EQ(spros->width(), splitter->width());

    child<QToolButton>("SBSale")->click();
    EXPECT_FALSE(spros->isVisible());
    EXPECT_EQ(sale->width(), splitter->width());

    FBaza->close();   // the view survives hiding and showing
    FBaza->show();
    EXPECT_TRUE(child<QToolButton>("SBSale")->isChecked());
    EXPECT_FALSE(spros->isVisible());

    child<QToolButton>("SBSaleSpros")->click();
    settle();
    EXPECT_TRUE(spros->isVisible());
    EXPECT_EQ(sale->width(), 1101 / 2 - 2);
}

namespace {
PreviewWindow *shownPreview()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<PreviewWindow *>(w); p && p->isVisible()) return p;
    return nullptr;
}
} // namespace

// "Документ" previews the list the grid shows; "Поиск" opens the half's search window modally.
TEST(Baza, DocumentButtonsPreviewTheirList)
{
    ProgramForms f;   // the program wires the buttons to the reports and the search windows
    for (const char *suffix : {"Sale", "Spros"}) {
        QString shown;
        f.dialogs.answerModal([&](QWidget *w) {
            shown = w->objectName();
            return 0;
        });
        child<QToolButton>(QStringLiteral("BSearch") + suffix)->click();
        EXPECT_EQ(shown, QStringLiteral("FSearchFor") + suffix);
        child<QToolButton>(QStringLiteral("BDocument") + suffix)->click();
        PreviewWindow *preview = shownPreview();
        ASSERT_NE(preview, nullptr) << suffix;
        EXPECT_TRUE(preview->windowTitle().startsWith(QStringLiteral("Предварительный просмотр"))) << suffix;
        preview->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
