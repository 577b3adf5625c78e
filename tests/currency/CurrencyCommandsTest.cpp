#include "app/Zastav.h"
#include "main/CurrencyCommands.h"
#include "currency/CurrentRates.h"
#include "currency/SprUE.h"
#include "currency/TecKursUE.h"
#include "support/ProgramForms.h"
#include <QAction>
#include <QPushButton>
#include <gtest/gtest.h>

// The first showing refreshes the rates; "Валюта" does not; "Валюты" does and shows the current rates.
TEST(CurrencyCommands, WhenTheRatesAreRefreshed)
{
    ProgramForms f;
    f.make(FSprUE);
    f.make(FTecKursUE);
    wireCurrencyCommands();
    f.exec("INSERT INTO SprUE (UEDate, Dollar, EURO) VALUES ('2006-01-09', 270000, 330000)", "ADOTSprUE");
    FZastav->FormShow();
    EXPECT_EQ(PeremenKursUSD, Money::fromInteger(27));

    f.answerModal([&](QDialog *) {
        f.exec("INSERT INTO SprUE (UEDate, Dollar, EURO) VALUES ('2006-01-10', 280000, 340000)", "ADOTSprUE");
    });
    FZastav->findChild<QPushButton *>("BitBtnUE")->click();
    EXPECT_EQ(PeremenKursUSD, Money::fromInteger(27));
    EXPECT_FALSE(FTecKursUE->isVisible());

    FZastav->findChild<QAction *>("NRates")->trigger();
    EXPECT_EQ(PeremenKursUSD, Money::fromInteger(28));
    EXPECT_TRUE(FTecKursUE->isVisible());
    EXPECT_EQ(FTecKursUE->dateText(), QStringLiteral("10.01.2006"));
}
