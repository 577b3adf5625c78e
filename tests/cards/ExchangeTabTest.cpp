#include "cards/ExchangeTab.h"
#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "platform/IniFile.h"
#include "register/Baza.h"
#include "register/SelectColShow.h"
#include "support/ProgramForms.h"
#include "widgets/DBGrid.h"
#include "widgets/DateEdit.h"
#include "widgets/Lookups.h"
#include "widgets/NumberEdits.h"
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct Exchange : ProgramForms {
    ExchangeTab *tab() { return FKardSale->TabObmen; }
    Table &sale() { return DMDomlar->table("ADOTBazaSale"); }
    Table &spros() { return DMDomlar->table("ADOTBazaSpros"); }
    Table &variants() { return DMDomlar->table("ADOTBazaSprosForObmen"); }

    // Opens the stored offer from the register and runs `act` on its card, which then closes without storing.
    void onOffer(int number, const std::function<void()> &act)
    {
        EXPECT_TRUE(sale().locate("IDBazaSale", number));
        answerModal([act](QDialog *card) {
            act();
            card->setResult(7);
        });
        FBaza->BitBtn7Click();
    }
    // The demand card shown next ends with `result` after `fill` ran on it.
    void answerDemandCard(int result, std::function<void()> fill = {})
    {
        answerModal([result, fill](QDialog *card) {
            if (fill) fill();
            card->setResult(result);
        });
    }
    QList<int> listed() { return columnInts(variants(), "IDBazaSpros"); }
};

int column(DBGrid &grid, const QString &title)
{
    for (int l = 0; l < grid.columnCountTotal(); ++l)
        if (grid.gridColumn(l).title == title) return l;
    return -1;
}

} // namespace

TEST(ExchangeTab, DesignedTab)
{
    Exchange f;
    ExchangeTab *tab = f.tab();
    QStringList texts;
    for (QToolButton *b : {tab->BitBtn20, tab->BitBtn21, tab->BitBtn22, tab->BitBtn23}) texts << b->text();
    EXPECT_EQ(texts, QStringList({"Добавить", "Изменить", "Удалить", "Выбор"}));
    auto *heading = tab->findChild<QLabel *>("Label30");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), "Варианты обмена");
    EXPECT_TRUE(heading->font().bold() && heading->font().underline());
    DBGrid &grid = *tab->grid();
    EXPECT_EQ(grid.objectName(), "DBGridEh1");
    EXPECT_EQ(grid.dataset(), &f.variants());
    ASSERT_EQ(grid.columnCountTotal(), 23);
    EXPECT_EQ(grid.gridColumn(0).title, "№ Заяв.");
    EXPECT_EQ(grid.width(0), 45);
    EXPECT_EQ(grid.gridColumn(10).title, "Площадь|Жилая от");
    EXPECT_EQ(grid.width(10), 60);
    EXPECT_EQ(grid.gridColumn(22).field, "YearBuild");
    EXPECT_EQ(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
}

// A new offer must be stored first; "Да" starts the card's closing dialogue.
TEST(ExchangeTab, NewOfferMustBeStoredFirst)
{
    Exchange f;
    f.answerModal([&](QDialog *) {
        f.dialogs.answerMessage(Dialogs::Yes);   // "Для добавления необходимо сохранить документ."
        f.dialogs.answerMessage(Dialogs::No);    // "Сохранить заявку?"
        f.tab()->BitBtn20->click();
    });
    FBaza->BitBtn2Click();
    const QList<ScriptedDialogs::Call> &calls = f.dialogs.calls();
    ASSERT_GE(calls.size(), 3);
    EXPECT_EQ(calls[calls.size() - 2].text, "Для добавления необходимо сохранить документ.");
    EXPECT_EQ(calls[calls.size() - 2].buttons, Dialogs::Buttons::YesCancel);
    EXPECT_EQ(calls.last().text, "Сохранить заявку?");
    EXPECT_TRUE(f.dialogs.allAnswered());
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSpros").toInt(), 0);
}

// A new variant: the next number, the offer's client and agent, today's date; listed here and in the register.
TEST(ExchangeTab, AddNumbersAndLinksTheVariant)
{
    Exchange f;
    f.exec("INSERT INTO BazaSale (IDBazaSale, IDKlient, IDSotrud) VALUES (5, 2, 3), (6, 2, 3)", "ADOTBazaSale");
    f.exec("INSERT INTO BazaSpros (IDBazaSpros) VALUES (1), (41)", "ADOTBazaSpros");
    f.onOffer(5, [&] {
        f.answerDemandCard(7);
        f.tab()->BitBtn20->click();   // "Нет" on the demand card adds nothing
        EXPECT_EQ(f.listed(), QList<int>());
        f.answerDemandCard(6, [] {
            EXPECT_EQ(FKardSpros->windowTitle(), "Ввод нового спроса");
            EXPECT_EQ(FKardSpros->IDBazaSpros->value(), 42);
            EXPECT_EQ(FKardSpros->Klient->key(), 2);
            EXPECT_EQ(FKardSpros->Sotrud->key(), 3);
            EXPECT_EQ(FKardSpros->DateSpros->date(), QDate::currentDate());
            EXPECT_TRUE(FKardSpros->DBGridVarMest->isHidden());
            FKardSpros->LevelMin->setValue(4);
        });
        f.tab()->BitBtn20->click();
        EXPECT_EQ(f.listed(), QList<int>({42}));
    });
    EXPECT_EQ(f.stored("SELECT IDBazaSaleForObmen FROM BazaSpros WHERE IDBazaSpros=42").toInt(), 5);
    EXPECT_EQ(f.stored("SELECT LevelMin FROM BazaSpros WHERE IDBazaSpros=42").toInt(), 4);
    EXPECT_EQ(columnInts(f.spros(), "IDBazaSpros"), QList<int>({1, 41, 42}));
    f.onOffer(6, [&] { EXPECT_EQ(f.listed(), QList<int>()); });
}

// "Изменить" changes the chosen variant through the register; the register's list shows the change.
TEST(ExchangeTab, ChangeAndDelete)
{
    Exchange f;
    f.exec("INSERT INTO BazaSale (IDBazaSale) VALUES (5), (6)", "ADOTBazaSale");
    f.exec("INSERT INTO BazaSpros (IDBazaSpros, IDBazaSaleForObmen, LevelMin) VALUES (1, 5, 1), (2, 5, 2), (3, NULL, 3)",
           "ADOTBazaSpros");
    f.variants().requery();
    f.onOffer(6, [&] { f.tab()->BitBtn21->click(); });   // an empty list: no card is shown
    EXPECT_TRUE(f.dialogs.allAnswered());
    f.onOffer(5, [&] {
        ASSERT_TRUE(f.variants().locate("IDBazaSpros", 2));
        f.answerDemandCard(6, [] {
            EXPECT_EQ(FKardSpros->windowTitle(), "Изменение спроса");
            EXPECT_EQ(FKardSpros->LevelMin->value(), 2);
            FKardSpros->LevelMin->setValue(8);
        });
        f.tab()->BitBtn21->click();
        EXPECT_EQ(f.column("ADOTBazaSprosForObmen", "LevelMin"), QStringList({"1", "8"}));

        ASSERT_TRUE(f.variants().locate("IDBazaSpros", 1));
        f.dialogs.answerMessage(Dialogs::Yes);
        f.tab()->BitBtn22->click();
        EXPECT_EQ(f.dialogs.calls().last().text, "Удалить вариант?");
        EXPECT_EQ(f.listed(), QList<int>({2}));
    });
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSpros WHERE IDBazaSpros=1").toInt(), 0);
    EXPECT_EQ(f.column("ADOTBazaSpros", "LevelMin"), QStringList({"8", "3"}));
    EXPECT_EQ(f.stored("SELECT LevelMin FROM BazaSpros WHERE IDBazaSpros=3").toInt(), 3);
}

// "Выбор" lists the titles under " Спрос"; hiding "Мат.дом" leaves "Матер. дома", which shows the same field.
TEST(ExchangeTab, ChooseColumnsByTitle)
{
    Exchange f;
    DBGrid &grid = *f.tab()->grid();
    f.dialogs.answerModal([](QWidget *w) {
        auto *chooser = qobject_cast<TFSelectColShow *>(w);
        EXPECT_EQ(chooser->caption(), " Спрос");
        EXPECT_EQ(chooser->itemCount(), 23);
        for (int i = 0; i < chooser->itemCount(); ++i)
            if (chooser->itemText(i) == "Мат.дом") chooser->setTicked(i, false);
        return int(Dialogs::Cancel);
    });
    f.tab()->BitBtn23->click();
    EXPECT_FALSE(grid.isVisibleColumn(column(grid, "Мат.дом")));
    EXPECT_TRUE(grid.isVisibleColumn(column(grid, "Матер. дома")));
}

// The register keeps the exchange grid's layout in BazaGrid.ini with its own.
TEST(ExchangeTab, LayoutKeptByTheRegister)
{
    Exchange f;
    DBGrid &grid = *f.tab()->grid();
    FBaza->show();
    grid.setVisibleColumn(column(grid, "Окна"), false);
    grid.setWidth(0, 70);
    grid.setRowHeight(24);
    FBaza->close();
    IniFile ini(TFBaza::layoutFileName());
    ini.load();
    EXPECT_EQ(ini.readString("BazaGridObmen", "DBGridEh1.IDBazaSpros", ""), "0,70,0,1,0,7,0");
    EXPECT_EQ(ini.readString("Grid", "RowObmen", ""), "24");

    grid.setVisibleColumn(column(grid, "Окна"), true);
    grid.setWidth(0, 45);
    grid.setRowHeight(15);
    FBaza->show();
    EXPECT_FALSE(grid.isVisibleColumn(column(grid, "Окна")));
    EXPECT_EQ(grid.width(0), 70);
    EXPECT_EQ(grid.rowHeight(), 24);
}

// A variant changed in the register shows its stored values on the offer's tab.
TEST(ExchangeTab, ListFollowsChangesMadeInTheRegister)
{
    Exchange f;
    f.exec("INSERT INTO BazaSale (IDBazaSale) VALUES (5)", "ADOTBazaSale");
    f.exec("INSERT INTO BazaSpros (IDBazaSpros, IDBazaSaleForObmen, LevelMin) VALUES (1, 5, 1)", "ADOTBazaSpros");
    f.variants().requery();
    f.answerDemandCard(6, [] { FKardSpros->LevelMin->setValue(6); });
    FBaza->BitBtn4Click();
    f.onOffer(5, [&] {
        FKardSale->PageControl1->setCurrentWidget(f.tab());
        EXPECT_EQ(f.column("ADOTBazaSprosForObmen", "LevelMin"), QStringList({"6"}));
    });
}

// "Изменить" and "Удалить" need a variant of the offer on the card; "Выбор" needs the list, which a new offer hides.
TEST(ExchangeTab, CommandsFollowTheList)
{
    Exchange f;
    auto enabled = [&] {
        QList<bool> out;
        for (QToolButton *b : {f.tab()->BitBtn20, f.tab()->BitBtn21, f.tab()->BitBtn22, f.tab()->BitBtn23})
            out << b->isEnabled();
        return out;
    };
    QList<QList<bool>> seen;
    f.answerModal([&](QDialog *card) {
        EXPECT_TRUE(f.tab()->grid()->isHidden());
        seen << enabled();
        card->setResult(7);
    });
    FBaza->BitBtn2Click();
    f.exec("INSERT INTO BazaSale (IDBazaSale) VALUES (5)", "ADOTBazaSale");
    f.exec("INSERT INTO BazaSpros (IDBazaSpros, IDBazaSaleForObmen) VALUES (42, 5)", "ADOTBazaSprosForObmen");
    f.onOffer(5, [&] {
        seen << enabled();
        f.dialogs.answerMessage(Dialogs::Yes);   // "Удалить вариант?"
        f.tab()->BitBtn22->click();
        seen << enabled();
    });
    EXPECT_EQ(seen, QList<QList<bool>>({{true, false, false, false}, {true, true, true, true}, {true, false, false, true}}));
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSpros").toInt(), 0);
}
