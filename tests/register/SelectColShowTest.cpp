#include "RegisterForms.h"
#include "register/Baza.h"
#include "register/SelectColShow.h"
#include "widgets/DBGrid.h"
#include "platform/QtDialogs.h"
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QList<bool> visibility(DBGrid &grid)
{
    QList<bool> v;
    for (int l = 0; l < grid.columnCountTotal(); ++l) v << grid.isVisibleColumn(l);
    return v;
}

QList<bool> ticks(const TFSelectColShow &chooser)
{
    QList<bool> t;
    for (int i = 0; i < chooser.itemCount(); ++i) t << chooser.isTicked(i);
    return t;
}

void press(TFSelectColShow *chooser, const char *button)
{
    chooser->findChild<QToolButton *>(QString::fromUtf8(button))->click();
}

// Presses "Выбор" of a half, answering the chooser with the handler.
void choose(RegisterForms &f, const char *half, std::function<void(TFSelectColShow *)> handler)
{
    f.dialogs.answerModal([handler](QWidget *w) {
        handler(qobject_cast<TFSelectColShow *>(w));
        return int(Dialogs::Cancel);
    });
    FBaza->findChild<QToolButton *>(QStringLiteral("BSelectCol") + half)->click();
}

} // namespace

TEST(SelectColShow, DesignedWindow)
{
    RegisterForms f;
    EXPECT_EQ(FSelectColShow->objectName(), "FSelectColShow");
    EXPECT_EQ(FSelectColShow->windowTitle(), "Выбор отображаемых колонок");
    EXPECT_EQ(FSelectColShow->size(), QSize(250, 300));
    EXPECT_EQ(FSelectColShow->caption(), " Предложения");
    QStringList hints;
    for (const char *name : {"SBSelectAll", "SBUnselectAll", "SBInvert"})
        hints << FSelectColShow->findChild<QToolButton *>(name)->toolTip();
    EXPECT_EQ(hints, QStringList({"Выбрать все", "Отменить все", "Инвертировать выбор"}));
}

TEST(SelectColShow, ListsTitlesInOrderAndClosingAtOnceChangesNothing)
{
    RegisterForms f;
    FBaza->show();
    DBGrid &grid = *FBaza->sprosGrid();
    grid.setVisibleColumn(3, false);
    const QList<bool> before = visibility(grid);
    QStringList items;
    QString caption;
    choose(f, "Spros", [&](TFSelectColShow *c) {
        caption = c->caption();
        for (int i = 0; i < c->itemCount(); ++i) items << c->itemText(i);
    });
    EXPECT_EQ(caption, " Спрос");
    ASSERT_EQ(items.size(), 23);
    EXPECT_EQ(items.mid(0, 3), QStringList({"№ Заяв.", "Комнат|От", "Комнат|До"}));
    EXPECT_EQ(visibility(grid), before);
    EXPECT_EQ(f.dialogs.calls().last().what, "modal");
}

TEST(SelectColShow, InvertTwiceRestoresTheTicks)
{
    RegisterForms f;
    FBaza->show();
    DBGrid &grid = *FBaza->saleGrid();
    grid.setVisibleColumn(4, false);
    const QList<bool> before = visibility(grid);
    QList<bool> once;
    choose(f, "Sale", [&](TFSelectColShow *c) {
        press(c, "SBInvert");
        once = ticks(*c);
        press(c, "SBInvert");
    });
    EXPECT_EQ(once.size(), before.size());
    for (int i = 0; i < once.size(); ++i) EXPECT_NE(once[i], before[i]) << i;
    EXPECT_EQ(visibility(grid), before);
}

TEST(SelectColShow, UntickAllHidesEveryColumnAndReopeningListsThemUnticked)
{
    RegisterForms f;
    FBaza->show();
    DBGrid &grid = *FBaza->saleGrid();
    choose(f, "Sale", [](TFSelectColShow *c) { press(c, "SBUnselectAll"); });
    EXPECT_EQ(visibility(grid), QList<bool>(25, false));

    QList<bool> listed;
    choose(f, "Sale", [&](TFSelectColShow *c) {
        listed = ticks(*c);
        press(c, "SBSelectAll");
    });
    EXPECT_EQ(listed, QList<bool>(25, false));
    EXPECT_EQ(visibility(grid), QList<bool>(25, true));
}

// Esc closes the chooser as its close button does: the ticks are taken.
TEST(SelectColShow, EscClosesAndAppliesTheTicks)
{
    RegisterForms f;
    FBaza->show();
    QtDialogs real;
    Dialogs::setInstance(&real);
    bool closed = false;
    QTimer::singleShot(0, FSelectColShow, [&] {
        FSelectColShow->setTicked(0, false);
        QTest::keyClick(FSelectColShow->findChild<QListWidget *>(), Qt::Key_Escape);
        closed = !FSelectColShow->isVisible();
        if (!closed) FSelectColShow->close();   // fail instead of waiting
    });
    FBaza->findChild<QToolButton *>(QStringLiteral("BSelectColSale"))->click();
    Dialogs::setInstance(&f.dialogs);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(FBaza->saleGrid()->isVisibleColumn(FBaza->saleGrid()->columnsInOrder().front()));
}

// The demands grid shows NameMatHome twice, as "Мат.дом" and as "Матер. дома".
TEST(SelectColShow, SameFieldUnderTwoTitlesIsSwitchedSeparately)
{
    RegisterForms f;
    FBaza->show();
    DBGrid &grid = *FBaza->sprosGrid();
    choose(f, "Spros", [](TFSelectColShow *c) {
        for (int i = 0; i < c->itemCount(); ++i)
            if (c->itemText(i) == "Мат.дом") c->setTicked(i, false);
    });
    EXPECT_FALSE(grid.isVisibleColumn(5));
    EXPECT_TRUE(grid.isVisibleColumn(12));
    EXPECT_EQ(grid.gridColumn(12).field, "NameMatHome");
    EXPECT_TRUE(FBaza->saleGrid()->isVisibleColumn(columnOf(*FBaza->saleGrid(), "NameMatHome")));
}

// The chooser's choice lasts: the register stores it when closed and restores it when shown.
TEST(SelectColShow, HiddenColumnStaysHiddenAfterReopeningTheRegister)
{
    RegisterForms f;
    FBaza->show();
    choose(f, "Sale", [](TFSelectColShow *c) {
        for (int i = 0; i < c->itemCount(); ++i)
            if (c->itemText(i) == "Двери") c->setTicked(i, false);
    });
    DBGrid &grid = *FBaza->saleGrid();
    const int doors = columnOf(grid, "NameDoor");
    const int width = [&] { grid.setVisibleColumn(doors, true); return grid.width(doors); }();
    grid.setVisibleColumn(doors, false);
    FBaza->close();
    grid.setVisibleColumn(doors, true);   // what the file says wins
    FBaza->show();
    EXPECT_FALSE(grid.isVisibleColumn(doors));
    grid.setVisibleColumn(doors, true);
    EXPECT_EQ(grid.width(doors), width);   // hidden, it kept its width
}
