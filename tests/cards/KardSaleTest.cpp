#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "cards/PriceGroup.h"
#include "currency/CurrentRates.h"
#include "platform/AppError.h"
#include "platform/ScriptedDialogs.h"
#include "widgets/Lookups.h"
#include "widgets/NumberEdits.h"
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
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
