#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "cards/PriceGroup.h"
#include "currency/CurrentRates.h"
#include "platform/AppError.h"
#include "platform/ScriptedDialogs.h"
#include "register/Baza.h"
#include "support/ProgramForms.h"
#include "support/TypeText.h"
#include "widgets/Lookups.h"
#include "widgets/NumberEdits.h"
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <memory>
#include <gtest/gtest.h>

namespace {

struct Card {
    TFKardSale card;
    Card()
    {
        PeremenKursUSD = *Money::parse("28.5");
        PeremenKursEURO = *Money::parse("34.6");
    }
    // What typing a value into a price edit does.
    void type(DecimalEdit *edit, const QString &text, PriceGroup *group = nullptr)
    {
        edit->setText(text);
        (group ? group : card.findChild<PriceGroup *>())->convertFrom(edit);
    }
    QStringList prices() const
    {
        QStringList p;
        for (DecimalEdit *e : {card.Price, card.PriceUSD, card.PriceEUR, card.PriceRealt, card.PriceUSDRealt, card.PriceEURRealt})
            p << e->text();
        return p;
    }
};

// The program's cards over a database with a town, district and street, two clients and an employee.
struct CardForms : ProgramForms {
    CardForms()
    {
        exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Самара')", "ADOTSprTown");
        exec("INSERT INTO SprRaion (IDRaion, NameRaion, IDTown) VALUES (1, 'Кировский', 1)", "ADOTSprRaion");
        exec("INSERT INTO SprStreet (IDStreet, NameStreet, IDRaion, IDTown) VALUES (1, 'Победы', 1, 1)", "ADOTSprStreet");
        exec("INSERT INTO SprKlient (IDKlient, NameKlient) VALUES (1, 'Борисов'), (2, 'Иванов')", "ADOTSprKlient");
        exec("INSERT INTO SprSotrud (IDSotrud, NameSotrud) VALUES (1, 'Петров')", "ADOTSprSotrud");
    }
    // Brings up the card's tab holding `w`, by a click on the tab, and clicks `w`.
    static void click(RequestCard *card, QWidget *w)
    {
        QTabBar *tabs = card->PageControl1->tabBar();
        for (int i = 0; i < card->PageControl1->count(); ++i)
            if (card->PageControl1->widget(i)->isAncestorOf(w))
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
        QTest::mouseClick(w, Qt::LeftButton);
    }
    static void click(RequestCard *card, const char *button)
    {
        if (auto *b = card->findChild<QPushButton *>(button)) click(card, b);
        else ADD_FAILURE() << "no button " << button;
    }
    static void type(RequestCard *card, QLineEdit *field, const QString &text)
    {
        click(card, field);
        field->selectAll();
        typeText(field, text);
    }
    // A directory shown by a picker closes with `result`, the row with `key` current.
    void answerPick(int result, const QString &dataset = {}, const QString &field = {}, int key = 0)
    {
        answerModal([=](QDialog *d) {
            if (!dataset.isEmpty()) DMDomlar->table(dataset).locate(field, key);
            d->setResult(result);
        });
    }
};

// Each attribute's "..." opens the list editor on its own list; its "Х" clears the word.
const struct { const char *lookup, *picker, *clear, *caption; } AttributeButtons[] = {
    {"NameType", "TypeBtn", "BitBtn3", "Типы объектов"},
    {"NameValueKV", "ValueKVBtn", "BitBtn4", "Состояние"},
    {"NameBalkon", "BalkonBtn", "BitBtn5", "Балкон"},
    {"NameDoor", "DoorBtn", "BitBtn6", "Двери"},
    {"NameMatHome", "NameMatHomeBtn", "BitBtn7", "Материал дома"},
    {"NameMatPol", "NameMatPolBtn", "BitBtn8", "Материал пола"},
    {"NameOtoplen", "OtoplenBtn", "BitBtn9", "Отопление"},
    {"NamePlanHome", "NamePlanHomeBtn", "BitBtn10", "Планировка дома"},
    {"NamePlanRoom", "NamePlanRoomBtn", "BitBtn11", "Планировка комнат"},
    {"NameTel", "NameTelBtn", "BitBtn12", "Телефоны"},
    {"NameWindow", "NameWindowBtn", "BitBtn13", "Окна"},
    {"NameWater", "NameWaterBtn", "BitBtn14", "Водоснабжение"},
    {"NameBathRoom", "NameBathRoomBtn", "BitBtn15", "Сан.узел"},
};

} // namespace

// The worked example with 28.5 roubles per dollar and 34.6 per euro.
TEST(KardSale, PriceConversion)
{
    struct Case { const char *edit, *typed; QStringList client; };
    const Case cases[] = {
        {"Price", "1000", {"1000", "35,09", "28,90"}},
        {"PriceUSD", "100", {"2 850,00", "100", "82,37"}},
        {"PriceEUR", "100", {"3 460,00", "121,40", "100"}},
        {"Price", "", {"", "", ""}},
    };
    for (const Case &c : cases) {
        Card k;
        k.type(k.card.findChild<DecimalEdit *>(c.edit), c.typed);
        EXPECT_EQ(k.prices(), c.client + QStringList({"", "", ""})) << c.edit;   // the agency's prices stay
    }
    Card k;
    PriceGroup *agency = k.card.findChildren<PriceGroup *>().at(1);
    k.type(k.card.PriceRealt, "2850", agency);
    EXPECT_EQ(k.prices(), QStringList({"", "", "", "2850", "100,00", "82,37"}));
}

TEST(KardSale, ProgramValuesNeverConvert)
{
    Card k;
    k.card.Price->setValue(*Money::parse("1000"));   // as the register fills the card: no focus, no conversion
    k.card.Price->setText("2000");
    EXPECT_EQ(k.card.PriceUSD->text(), "");
}

// A rate that is not set stops the conversion with a clear text; the steps done keep their results.
TEST(KardSale, ZeroRate)
{
    Card k;
    PeremenKursUSD = Money();
    try {
        k.type(k.card.PriceEUR, "100");
        FAIL() << "converted";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("Курс доллара не задан"))) << e.text().toStdString();
    }
    EXPECT_EQ(k.prices().mid(0, 3), QStringList({"3 460,00", "", "100"}));
}

TEST(KardSale, RequiredFieldsInOrderOfPrecedence)
{
    Card k;
    struct Case { int town, raion, street, klient, sotrud; const char *word; };
    const Case cases[] = {
        {0, 0, 0, 0, 0, "Город"}, {0, 1, 1, 0, 1, "Город"}, {1, 0, 0, 0, 0, "Район"}, {1, 1, 0, 0, 0, "Улицу"},
        {1, 1, 1, 0, 0, "Клиента"}, {1, 1, 1, 1, 0, "Сотрудника"}, {1, 1, 1, 1, 1, "OK"},
    };
    for (const Case &c : cases) {
        k.card.NameTown->setKey(c.town);
        k.card.NameRaion->setKey(c.raion);
        k.card.NameStreet->setKey(c.street);
        k.card.Klient->setKey(c.klient);
        k.card.Sotrud->setKey(c.sotrud);
        EXPECT_EQ(k.card.NotAllSelect(), QString::fromUtf8(c.word));
    }
}

TEST(KardSale, ClosingDialogue)
{
    Card k;
    ScopedScriptedDialogs dialogs;
    k.card.Home->setText("12");
    k.card.setResult(0);

    dialogs.answerMessage(Dialogs::Cancel);
    k.card.close();
    EXPECT_EQ(k.card.result(), 0);               // stays open, nothing changes
    EXPECT_EQ(k.card.Home->text(), "12");

    dialogs.answerMessage(Dialogs::Yes);         // the town is missing: a warning, the card stays
    dialogs.answerMessage(Dialogs::Ok);
    k.card.close();
    EXPECT_EQ(k.card.result(), 0);
    ASSERT_EQ(dialogs.calls().size(), 3);
    EXPECT_EQ(dialogs.calls()[0].text, QStringLiteral("Сохранить заявку?"));
    EXPECT_EQ(dialogs.calls()[2].title, QStringLiteral("Предупреждение"));
    EXPECT_EQ(dialogs.calls()[2].text, QStringLiteral("Внимение! Необходимо выбрать Город"));

    dialogs.answerMessage(Dialogs::No);          // "Нет" never checks
    k.card.close();
    EXPECT_EQ(k.card.result(), 7);
    EXPECT_EQ(dialogs.calls().size(), 4);

    for (IdLookup *l : {k.card.NameTown, k.card.NameRaion, k.card.NameStreet, k.card.Klient, k.card.Sotrud}) l->setKey(1);
    k.card.Info->setPlainText(QString(256, QChar('x')));   // a note too long for its field: told, nothing returned
    dialogs.answerMessage(Dialogs::Yes);
    dialogs.answerMessage(Dialogs::Ok);
    k.card.close();
    EXPECT_EQ(k.card.result(), 7);
    EXPECT_TRUE(dialogs.calls().last().text.contains("255"));

    k.card.Info->setPlainText(QString(255, QChar('x')));
    dialogs.answerMessage(Dialogs::Yes);
    k.card.close();
    EXPECT_EQ(k.card.result(), 6);
    EXPECT_TRUE(dialogs.allAnswered());
}

// Enter in a field presses none of the card's buttons.
TEST(KardSale, EnterInAFieldPressesNoButton)
{
    ScopedScriptedDialogs dialogs;
    Card k;
    k.card.show();
    QApplication::setActiveWindow(&k.card);
    QList<std::shared_ptr<QSignalSpy>> spies;
    for (QPushButton *b : k.card.findChildren<QPushButton *>()) {
        QObject::disconnect(b, &QPushButton::clicked, nullptr, nullptr);
        spies << std::make_shared<QSignalSpy>(b, &QPushButton::clicked);
    }
    ASSERT_FALSE(spies.isEmpty());
    for (QLineEdit *field : {k.card.Korpus, k.card.Home, k.card.DogNo1}) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
    }
    for (const auto &spy : spies) EXPECT_EQ(spy->count(), 0) << spy->signal().toStdString();
    k.card.hide();
}

// Tab in the notes goes on to the next field and puts no tab character into them.
TEST(KardSale, TabLeavesTheNotes)
{
    ScopedScriptedDialogs dialogs;
    Card k;
    k.card.show();
    QApplication::setActiveWindow(&k.card);
    k.card.Info->setFocus();
    ASSERT_TRUE(k.card.Info->hasFocus());
    typeText(k.card.Info, QStringLiteral("Тихий двор"));
    QTest::keyClick(k.card.Info, Qt::Key_Tab);
    EXPECT_EQ(k.card.Info->toPlainText(), QStringLiteral("Тихий двор"));
    EXPECT_FALSE(k.card.Info->hasFocus());
    k.card.hide();
}

// The demand card asks for the client before the employee when both are missing.
TEST(KardSpros, RequiredFieldsInOrderOfPrecedence)
{
    TFKardSpros card;
    struct Case { int klient, sotrud; const char *word; };
    const Case cases[] = {{0, 0, "Клиента"}, {0, 1, "Клиента"}, {1, 0, "Сотрудника"}, {1, 1, "OK"}};
    for (const Case &c : cases) {
        card.Klient->setKey(c.klient);
        card.Sotrud->setKey(c.sotrud);
        EXPECT_EQ(card.NotAllSelect(), QString::fromUtf8(c.word)) << c.klient << c.sotrud;
    }
}

// A new offer filled by clicks and typing: the address, client and employee pickers
// give the directories' current rows, a typed price is converted, Esc asks "Сохранить
// заявку?"; "Отменить" keeps the card, "Да" stores what it shows, "Нет" on the next
// card stores nothing.
TEST(KardSale, FilledByClicksStoredOnEscape)
{
    CardForms f;
    PeremenKursUSD = *Money::parse("28.5");
    PeremenKursEURO = *Money::parse("34.6");
    bool keptOpen = false;
    QString converted;
    f.answerModal([&](QDialog *card) {
        QApplication::setActiveWindow(card);
        f.answerPick(6);
        f.click(FKardSale, "BitBtn2");
        f.answerPick(1, "ADOTSprKlient", "IDKlient", 2);
        f.click(FKardSale, "BitBtn16");
        f.answerPick(1);
        f.click(FKardSale, "BitBtn18");
        f.type(FKardSale, FKardSale->Home, QStringLiteral("7а"));
        f.type(FKardSale, FKardSale->Price, QStringLiteral("2850"));
        converted = FKardSale->PriceUSD->text() + " " + FKardSale->PriceEUR->text();
        f.dialogs.answerMessage(Dialogs::Cancel);
        QTest::keyClick(card, Qt::Key_Escape);
        keptOpen = card->isVisible() && FKardSale->Home->text() == QStringLiteral("7а");
        f.dialogs.answerMessage(Dialogs::Yes);
        QTest::keyClick(card, Qt::Key_Escape);
    });
    FBaza->BitBtn2Click();
    EXPECT_TRUE(keptOpen);
    EXPECT_EQ(converted, QStringLiteral("100,00 82,37"));
    EXPECT_EQ(f.stored("SELECT Home || ' ' || IDTown || IDRaion || IDStreet || ' ' || IDKlient || ' ' || IDSotrud "
                       "|| ' ' || Price || ' ' || PriceUSD FROM BazaSale").toString(),
              QStringLiteral("7а 111 2 1 28500000 1000000"));

    f.answerModal([&](QDialog *card) {
        f.type(FKardSale, FKardSale->Home, QStringLiteral("9"));
        f.dialogs.answerMessage(Dialogs::No);
        QTest::keyClick(card, Qt::Key_Escape);
    });
    FBaza->BitBtn2Click();
    EXPECT_EQ(f.stored("SELECT Count(*) FROM BazaSale").toInt(), 1);
    EXPECT_TRUE(f.dialogs.allAnswered());
}

// On both cards each attribute's "..." opens the list editor on its own list and its
// "Х" clears the word; the address "X" clears the town, district and street. A list
// that cannot be read (the file locked by another program) is reported.
TEST(KardSale, AttributeButtonsOfBothCards)
{
    CardForms f;
    for (RequestCard *card : {static_cast<RequestCard *>(FKardSale), static_cast<RequestCard *>(FKardSpros)}) {
        card->show();
        f.dialogs.clearCalls();
        QStringList expected;
        for (const auto &a : AttributeButtons) {
            WordLookup *lookup = card->wordLookup(a.lookup);
            if (!lookup) continue;
            expected << "FSprAll: Справочник (" + QString::fromUtf8(a.caption) + ")";
            f.answerModal([](QDialog *) {});
            f.click(card, a.picker);
            lookup->setWord(QStringLiteral("слово"));
            f.click(card, a.clear);
            EXPECT_EQ(lookup->word(), QString()) << a.clear;
        }
        QStringList opened;
        for (const auto &call : f.dialogs.calls()) opened << call.title + ": " + call.text;
        EXPECT_EQ(opened, expected);
        EXPECT_EQ(expected.size(), card == FKardSale ? 13 : 9);
        card->hide();
    }

    FKardSale->show();
    for (IdLookup *l : {FKardSale->NameTown, FKardSale->NameRaion, FKardSale->NameStreet}) l->setKey(1);
    f.click(FKardSale, "BitBtn1");
    for (IdLookup *l : {FKardSale->NameTown, FKardSale->NameRaion, FKardSale->NameStreet}) EXPECT_EQ(l->key(), 0);

    auto lock = f.lockedByAnotherProgram();
    f.dialogs.clearCalls();
    f.dialogs.answerMessage(Dialogs::Ok);
    f.click(FKardSale, "TypeBtn");
    ASSERT_EQ(f.dialogs.calls().size(), 1);
    EXPECT_EQ(f.dialogs.calls().at(0).title, QStringLiteral("Ошибка"));
    EXPECT_TRUE(FKardSale->isVisible());
    FKardSale->hide();
    EXPECT_TRUE(f.dialogs.allAnswered());
}

// An opened demand: the client picked by a click, the contract number typed. With the
// employee cleared by its "Х", Esc and "Да" only warn and the card stays; picked again,
// the demand is stored. Opened again, what is typed and ended with "Нет" is not stored.
TEST(KardSpros, ChangedByClicksStoredOnEscape)
{
    CardForms f;
    f.exec("INSERT INTO BazaSpros (IDBazaSpros, IDKlient, IDSotrud, DogNo1) VALUES (5, 1, 1, 'старый')",
           "ADOTBazaSpros");
    QStringList warnings;
    bool keptOpen = false;
    f.answerModal([&](QDialog *card) {
        f.answerPick(1, "ADOTSprKlient", "IDKlient", 2);
        f.click(FKardSpros, "BitBtn16");
        f.type(FKardSpros, FKardSpros->DogNo1, QStringLiteral("Д-15"));
        f.click(FKardSpros, "BitBtn19");
        f.dialogs.answerMessage(Dialogs::Yes);
        f.dialogs.answerMessage(Dialogs::Yes);
        QTest::keyClick(card, Qt::Key_Escape);
        warnings << f.dialogs.calls().last().text;
        keptOpen = card->isVisible();
        f.answerPick(1);
        f.click(FKardSpros, "BitBtn18");
        f.dialogs.answerMessage(Dialogs::Yes);
        QTest::keyClick(card, Qt::Key_Escape);
    });
    FBaza->BitBtn4Click();
    EXPECT_EQ(warnings, QStringList({"Внимение! Необходимо выбрать Сотрудника"}));
    EXPECT_TRUE(keptOpen);
    EXPECT_EQ(f.stored("SELECT IDKlient || ' ' || IDSotrud || ' ' || DogNo1 FROM BazaSpros WHERE IDBazaSpros=5")
                  .toString(),
              QStringLiteral("2 1 Д-15"));

    f.answerModal([&](QDialog *card) {
        f.type(FKardSpros, FKardSpros->DogNo1, QStringLiteral("другой"));
        f.dialogs.answerMessage(Dialogs::No);
        QTest::keyClick(card, Qt::Key_Escape);
    });
    FBaza->BitBtn4Click();
    EXPECT_EQ(f.stored("SELECT DogNo1 FROM BazaSpros WHERE IDBazaSpros=5").toString(), QStringLiteral("Д-15"));
    EXPECT_TRUE(f.dialogs.allAnswered());
}
