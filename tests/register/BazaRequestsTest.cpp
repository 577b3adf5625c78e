#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "register/Baza.h"
#include "support/ProgramForms.h"
#include "widgets/DBGrid.h"
#include "widgets/DateEdit.h"
#include "widgets/Lookups.h"
#include "widgets/NumberEdits.h"
#include <QLineEdit>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Requests : ProgramForms {
    Table &sale() { return DMDomlar->table("ADOTBazaSale"); }
    Table &spros() { return DMDomlar->table("ADOTBazaSpros"); }
    // The card shown next is answered with `result` after `fill` ran on it.
    void answerCard(int result, std::function<void()> fill = {})
    {
        answerModal([result, fill](QDialog *d) {
            if (fill) fill();
            d->setResult(result);
        });
    }
};

void chooseAll(TFKardSale *c)
{
    for (IdLookup *l : {c->NameTown, c->NameRaion, c->NameStreet, c->Klient, c->Sotrud}) l->setKey(1);
}

} // namespace

// A new number is the greatest plus one; a card ended with "Нет" stores nothing and uses no number.
TEST(BazaRequests, AddOfferNumbersAndStores)
{
    Requests f;
    int shown = 0;
    f.answerCard(7, [&] { shown = FKardSale->IDBazaSale->value(); });
    FBaza->BitBtn2Click();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(f.sale().isEmpty());
    EXPECT_EQ(FKardSale->windowTitle(), QStringLiteral("Ввод новой заявки на продажу (обмен) недвижимости"));

    f.answerCard(6, [&] {
        shown = FKardSale->IDBazaSale->value();
        chooseAll(FKardSale);
        FKardSale->Home->setText("7а");
        FKardSale->Price->setValue(*Money::parse("1500000"));
    });
    FBaza->BitBtn2Click();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(f.stored("SELECT Home FROM BazaSale WHERE IDBazaSale=1").toString(), QStringLiteral("7а"));
    EXPECT_EQ(f.stored("SELECT DogBegin1 FROM BazaSale WHERE IDBazaSale=1").toString(), "1899-12-30");
    EXPECT_EQ(f.sale().fieldByName("IDBazaSale").asInteger(), 1);   // the new row is the current offer
    EXPECT_EQ(f.sale().fieldByName("DateReg").asDate(), QDate::currentDate());
}

// Opening fills the card from the current row; saving keeps the number and writes the fields back.
TEST(BazaRequests, OpenOfferAndClearAfterwards)
{
    Requests f;
    f.exec("INSERT INTO BazaSale (IDBazaSale, Home, info, IDKlient, NameType, DogBegin1) "
           "VALUES (57, '12', 'заметка', 3, 'Дом', NULL)", "ADOTBazaSale");
    f.answerCard(6, [] {
        EXPECT_EQ(FKardSale->IDBazaSale->value(), 57);
        EXPECT_EQ(FKardSale->Info->toPlainText(), QStringLiteral("заметка"));
        EXPECT_EQ(FKardSale->wordLookup("NameType")->word(), QStringLiteral("Дом"));
        EXPECT_EQ(FKardSale->DogBegin1->text(), "");
        FKardSale->Home->setText("14");
    });
    FBaza->BitBtn7Click();
    EXPECT_EQ(f.stored("SELECT Home FROM BazaSale WHERE IDBazaSale=57").toString(), "14");
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSale").toInt(), 1);

    f.answerCard(7, [] {
        EXPECT_EQ(FKardSale->IDBazaSale->value(), 58);
        EXPECT_EQ(FKardSale->Home->text(), "");
        EXPECT_EQ(FKardSale->Info->toPlainText(), "");
        EXPECT_EQ(FKardSale->Klient->key(), 0);
        EXPECT_EQ(FKardSale->wordLookup("NameType")->word(), "");
        EXPECT_EQ(FKardSale->DateReg->date(), QDate::currentDate());
    });
    FBaza->BitBtn2Click();
}

TEST(BazaRequests, NoCurrentRowOpensAndDeletesNothing)
{
    Requests f;
    f.dialogs.answerMessage(Dialogs::Ok);
    FBaza->BitBtn7Click();   // no offer: a short message, no card
    f.dialogs.answerMessage(Dialogs::Ok);
    FBaza->BitBtn8Click();
    EXPECT_TRUE(f.dialogs.allAnswered());
    EXPECT_TRUE(f.sale().isEmpty());
}

TEST(BazaRequests, DeleteAsksFirst)
{
    Requests f;
    f.exec("INSERT INTO BazaSpros (IDBazaSpros) VALUES (1), (2)", "ADOTBazaSpros");
    f.dialogs.answerMessage(Dialogs::No);
    FBaza->BitBtn8Click();
    EXPECT_EQ(f.spros().recordCount(), 2);
    f.dialogs.answerMessage(Dialogs::Yes);
    FBaza->BitBtn8Click();
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSpros").toInt(), 1);
    EXPECT_EQ(f.dialogs.calls().last().text, QStringLiteral("Удалить спрос?"));
}

// An exchange demand edited from the register stays attached to its offer.
TEST(BazaRequests, DemandEditKeepsExchangeLink)
{
    Requests f;
    f.exec("INSERT INTO BazaSpros (IDBazaSpros, IDBazaSaleForObmen, LevelMin) VALUES (4, 9, 2)", "ADOTBazaSpros");
    f.answerCard(6, [] {
        EXPECT_EQ(FKardSpros->LevelMin->value(), 2);
        FKardSpros->LevelMax->setValue(5);
    });
    FBaza->BitBtn4Click();
    EXPECT_EQ(f.stored("SELECT IDBazaSaleForObmen FROM BazaSpros WHERE IDBazaSpros=4").toInt(), 9);
    EXPECT_EQ(f.stored("SELECT LevelMax FROM BazaSpros WHERE IDBazaSpros=4").toInt(), 5);
    EXPECT_EQ(FKardSpros->windowTitle(), QStringLiteral("Заявка на приобретение недвижимости"));
}

// Location variants are stored at once, numbered by Max+1, renumbered when changed.
TEST(BazaRequests, LocationVariants)
{
    Requests f;
    f.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Тверь')", "ADOTSprTown");
    f.exec("INSERT INTO BazaSprosVarMest (IDBazaSprosVarMest, IDBazaSpros) VALUES (10, 99)", "ADOTBazaSprosVarMest");
    Table &variants = DMDomlar->table("ADOTBazaSprosVarMest");

    FKardSpros->IDBazaSpros->setValue(5);   // a demand not stored yet
    f.dialogs.answerMessage(Dialogs::Cancel);
    FKardSpros->BitBtn2Click();
    EXPECT_EQ(f.dialogs.calls().last().text, QStringLiteral("Для добавления необходимо сохранить документ."));

    f.exec("INSERT INTO BazaSpros (IDBazaSpros) VALUES (5)", "ADOTBazaSpros");
    auto pickStreet = [&] { f.answerModal([](QDialog *d) { d->setResult(6); }); };
    pickStreet();
    FKardSpros->BitBtn1Click();             // no variants yet: "Изменить" adds
    pickStreet();
    FKardSpros->BitBtn2Click();
    EXPECT_EQ(f.column("ADOTBazaSprosVarMest", "IDBazaSprosVarMest"), QStringList({"11", "12"}));
    EXPECT_EQ(f.column("ADOTBazaSprosVarMest", "NewNameTown"), QStringList({"Тверь", "Тверь"}));

    variants.first();
    pickStreet();
    FKardSpros->BitBtn1Click();
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSprosVarMest WHERE IDBazaSpros=5").toInt(), 2);
    EXPECT_EQ(f.stored("SELECT Max(IDBazaSprosVarMest) FROM BazaSprosVarMest").toInt(), 13);
    EXPECT_EQ(f.dialogs.calls().last().text, QStringLiteral("Ввод нового варианта расположения для спроса"));

    f.dialogs.answerMessage(Dialogs::Yes);
    FKardSpros->BitBtn5Click();
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSprosVarMest WHERE IDBazaSpros=5").toInt(), 1);
}

// The card's pickers take the current rows of the shared directories, each from its own list.
TEST(BazaRequests, CardPickers)
{
    Requests f;
    f.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Тверь'), (2, 'Клин')", "ADOTSprTown");
    f.exec("INSERT INTO SprStreet (IDStreet, NameStreet) VALUES (7, 'Лесная')", "ADOTSprStreet");
    f.exec("INSERT INTO SprKlient (IDKlient, NameKlient) VALUES (4, 'Иванов')", "ADOTSprKlient");
    auto button = [](const char *name) { return FKardSale->findChild<QPushButton *>(name); };

    f.answerModal([](QDialog *d) {
        DMDomlar->table("ADOTSprTown").locate("IDTown", 1);
        d->setResult(6);
    });
    button("BitBtn2")->click();
    EXPECT_EQ(FKardSale->NameTown->key(), 1);
    EXPECT_EQ(FKardSale->NameTown->currentText(), QStringLiteral("Тверь"));
    EXPECT_EQ(FKardSale->NameRaion->key(), 0);            // an empty district list gives 0
    EXPECT_EQ(FKardSale->NameStreet->key(), 7);

    f.answerModal([](QDialog *d) { d->setResult(2); });   // closed without a choice: nothing changes
    button("BitBtn2")->click();
    EXPECT_EQ(FKardSale->NameTown->key(), 1);

    f.answerModal([](QDialog *d) { d->setResult(1); });
    button("BitBtn16")->click();
    EXPECT_EQ(FKardSale->Klient->currentText(), QStringLiteral("Иванов"));
    button("BitBtn17")->click();
    EXPECT_EQ(FKardSale->Klient->key(), 0);
    button("BitBtn1")->click();
    EXPECT_EQ(FKardSale->NotAllSelect(), QStringLiteral("Город"));
}

// A row the database refuses is reported and nothing of the card is stored.
TEST(BazaRequests, RefusedValueStoresNothing)
{
    Requests f;
    f.exec("CREATE TRIGGER Refuse BEFORE INSERT ON BazaSale BEGIN SELECT RAISE(ABORT, 'refused'); END");
    f.answerCard(6, [] { FKardSale->Home->setText("77"); });
    f.dialogs.answerMessage(Dialogs::Ok);
    QString again;
    f.answerCard(7, [&] { again = FKardSale->Home->text(); });   // the card comes back as it was left
    FBaza->BitBtn2Click();
    EXPECT_EQ(again, "77");
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSale").toInt(), 0);
    EXPECT_TRUE(f.sale().isEmpty());
    EXPECT_EQ(f.sale().state(), Dataset::State::Browse);
}

// A request is opened only when its dataset shows it; one hidden by the filter is refused and
// the dataset stays as it was. A shown row that is not current is made current first.
TEST(BazaRequests, OpenByNumberOnlyTheRowWithThatNumber)
{
    Requests f;
    f.exec("INSERT INTO BazaSale (IDBazaSale, Home) VALUES (1, '1'), (2, '2')", "ADOTBazaSale");
    f.sale().setFilterText("Home='1'");
    f.sale().setFiltered(true);
    f.dialogs.answerMessage(Dialogs::Ok);
    FBaza->OpenKardSaleForEdit(2);
    ASSERT_EQ(f.dialogs.calls().size(), 1);   // no card shown
    EXPECT_TRUE(f.dialogs.calls().last().text.contains(QStringLiteral("№ 2 не найдена")));
    EXPECT_EQ(f.sale().recNo(), 0);
    EXPECT_EQ(f.sale().state(), Dataset::State::Browse);

    f.sale().setFiltered(false);
    f.sale().first();
    f.answerCard(6, [] { FKardSale->Home->setText(QStringLiteral("2б")); });
    FBaza->OpenKardSaleForEdit(2);
    EXPECT_EQ(f.stored("SELECT Home FROM BazaSale WHERE IDBazaSale=2").toString(), QStringLiteral("2б"));
    EXPECT_EQ(f.stored("SELECT Home FROM BazaSale WHERE IDBazaSale=1").toString(), QStringLiteral("1"));
}

// A request deleted while its card is open: nothing is stored anywhere, and the card comes back.
TEST(BazaRequests, RequestDeletedWhileOpenStoresNothing)
{
    Requests f;
    f.exec("INSERT INTO BazaSale (IDBazaSale, Home) VALUES (1, '1'), (2, '2')", "ADOTBazaSale");
    f.answerCard(6, [&] {
        FKardSale->Home->setText(QStringLiteral("новый"));
        f.exec("DELETE FROM BazaSale WHERE IDBazaSale=1", "ADOTBazaSale");
    });
    f.dialogs.answerMessage(Dialogs::Ok);
    QString again;
    f.answerCard(7, [&] { again = FKardSale->Home->text(); });
    FBaza->OpenKardSaleForEdit(1);
    EXPECT_EQ(again, QStringLiteral("новый"));
    EXPECT_EQ(f.stored("SELECT Home FROM BazaSale").toString(), QStringLiteral("2"));
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSale").toInt(), 1);
}

// Another program took the new number while the card was open: the next free one is used, and said.
TEST(BazaRequests, NumberTakenMeanwhileGetsTheNextFree)
{
    Requests f;
    Connection other;
    other.open(Connection::connectionTextFor(DMDomlar->databasePath()));
    int shown = 0;
    f.answerCard(6, [&] {
        shown = FKardSale->IDBazaSale->value();
        other.execute("INSERT INTO BazaSale (IDBazaSale, Home) VALUES (1, 'чужая')");
        FKardSale->Home->setText(QStringLiteral("моя"));
    });
    f.dialogs.answerMessage(Dialogs::Ok);
    FBaza->BitBtn2Click();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(f.stored("SELECT Home FROM BazaSale WHERE IDBazaSale=2").toString(), QStringLiteral("моя"));
    EXPECT_EQ(f.stored("SELECT Home FROM BazaSale WHERE IDBazaSale=1").toString(), QStringLiteral("чужая"));
    EXPECT_TRUE(f.dialogs.calls().last().text.contains(QStringLiteral("под номером 2")));
}

// A store that fails (the file locked by another program) shows why and the card again with its
// entries; once the lock is gone, saving again stores the request once.
TEST(BazaRequests, FailedStoreShowsTheCardAgain)
{
    Requests f;
    DMDomlar->ADOConnection.setBusyTimeout(0);
    Connection other;
    other.open(Connection::connectionTextFor(DMDomlar->databasePath()));
    f.answerCard(6, [&] {
        FKardSale->Home->setText(QStringLiteral("7а"));
        other.execute("BEGIN EXCLUSIVE");
    });
    f.dialogs.answerMessage(Dialogs::Ok);
    QString again;
    f.answerCard(6, [&] {
        again = FKardSale->Home->text();
        other.execute("COMMIT");
    });
    FBaza->BitBtn2Click();
    EXPECT_EQ(again, QStringLiteral("7а"));
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSale").toInt(), 1);
    EXPECT_EQ(f.stored("SELECT Home FROM BazaSale WHERE IDBazaSale=1").toString(), QStringLiteral("7а"));
    EXPECT_EQ(f.sale().recordCount(), 1);
    EXPECT_TRUE(f.dialogs.allAnswered());
}

// A new demand's card hides the variants of the register's current demand, and its
// commands never touch a variant of another demand.
TEST(BazaRequests, NewDemandTouchesNoForeignVariant)
{
    Requests f;
    f.exec("INSERT INTO BazaSpros (IDBazaSpros) VALUES (5)", "ADOTBazaSpros");
    f.exec("INSERT INTO BazaSprosVarMest (IDBazaSprosVarMest, IDBazaSpros) VALUES (10, 5)", "ADOTBazaSprosVarMest");
    bool hidden = false;
    f.answerCard(7, [&] {
        hidden = FKardSpros->DBGridVarMest->isHidden();
        f.dialogs.answerMessage(Dialogs::Yes);
        FKardSpros->BitBtn5Click();
    });
    FBaza->BitBtn3Click();
    EXPECT_TRUE(hidden);
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSprosVarMest WHERE IDBazaSprosVarMest=10").toInt(), 1);

    f.answerCard(7, [&] { hidden = FKardSpros->DBGridVarMest->isHidden(); });
    FBaza->BitBtn4Click();
    EXPECT_FALSE(hidden);   // an opened demand lists its own variants
}

// A value its column would refuse is told by the field's label before anything is
// stored, and the card stays open with what was typed; a text edit takes no more
// than its column's width.
TEST(BazaRequests, RefusedValuesKeepTheCardOpen)
{
    Requests f;
    struct Case { std::function<void()> spoil; const char *label; std::function<void()> mend; };
    const Case cases[] = {
        {[] { FKardSale->Info->setPlainText(QString(256, QChar('x'))); }, "Доп. инфо.",
         [] { FKardSale->Info->clear(); }},
        {[] { FKardSale->DogBegin1->setText("31.02.2027"); }, "Начало договора", [] { FKardSale->DogBegin1->clear(); }},
        {[] { FKardSale->DateReg->setText("01.06.2"); }, "Дата заявки", [] { FKardSale->DateReg->setDate(QDate(2027, 6, 1)); }},
    };
    bool stayedOpen = true;
    QStringList told;
    f.answerModal([&](QDialog *card) {
        chooseAll(FKardSale);
        QTest::keyClicks(FKardSale->Korpus, "korpus 12345");
        EXPECT_EQ(FKardSale->Korpus->text(), "korpus 123");
        for (const Case &c : cases) {
            c.spoil();
            f.dialogs.answerMessage(Dialogs::Yes);   // "Сохранить заявку?"
            f.dialogs.answerMessage(Dialogs::Ok);    // the refusal
            card->close();
            stayedOpen = stayedOpen && card->isVisible() && card->result() == 0;
            told << f.dialogs.calls().last().text;
            c.mend();
        }
        card->setResult(Dialogs::No);
    });
    FBaza->BitBtn2Click();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(told.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(told[i].contains(QStringLiteral("«%1»").arg(QString::fromUtf8(cases[i].label)))) << told[i].toStdString();
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSale").toInt(), 0);
}
