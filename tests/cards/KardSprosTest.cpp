#include "cards/KardSpros.h"
#include "register/Baza.h"
#include "support/ProgramForms.h"
#include "widgets/DBGrid.h"
#include <QPushButton>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct DemandCard : ProgramForms {
    // Which of "Добавить", "Изменить", "Удалить" the user can press.
    static QList<bool> variantButtons()
    {
        return {FKardSpros->BitBtn2->isEnabled(), FKardSpros->BitBtn1->isEnabled(), FKardSpros->BitBtn5->isEnabled()};
    }
};

} // namespace

// A new demand has no variants: "Добавить" and "Изменить" stay, to ask for the demand to be stored first.
TEST(KardSpros, NewDemandAsksToBeStoredFirst)
{
    DemandCard f;
    // The register stands on another demand with a variant; the new demand's list is still its own, empty.
    f.exec("INSERT INTO BazaSpros (IDBazaSpros) VALUES (3)", "ADOTBazaSpros");
    f.exec("INSERT INTO BazaSprosVarMest (IDBazaSprosVarMest, IDBazaSpros) VALUES (1, 3)", "ADOTBazaSprosVarMest");
    QList<bool> buttons;
    f.answerModal([&](QDialog *card) {
        EXPECT_TRUE(FKardSpros->DBGridVarMest->isHidden());
        buttons = f.variantButtons();
        for (QPushButton *button : {FKardSpros->BitBtn2, FKardSpros->BitBtn1}) {
            f.dialogs.answerMessage(Dialogs::Cancel);   // "Для добавления необходимо сохранить документ."
            button->click();
        }
        card->setResult(7);
    });
    FBaza->BitBtn3Click();
    EXPECT_EQ(buttons, QList<bool>({true, true, false}));
    const auto warned = std::count_if(f.dialogs.calls().begin(), f.dialogs.calls().end(), [](const auto &call) {
        return call.text == QStringLiteral("Для добавления необходимо сохранить документ.");
    });
    EXPECT_EQ(warned, 2);
    EXPECT_EQ(f.stored("SELECT count(*) FROM BazaSprosVarMest").toInt(), 1);
}

// On a stored demand "Удалить" follows the grid: on with a current variant, off without one.
TEST(KardSpros, DeleteNeedsACurrentVariant)
{
    DemandCard f;
    f.exec("INSERT INTO BazaSpros (IDBazaSpros) VALUES (3)", "ADOTBazaSpros");
    f.exec("INSERT INTO BazaSprosVarMest (IDBazaSprosVarMest, IDBazaSpros) VALUES (1, 3)", "ADOTBazaSprosVarMest");
    QList<QList<bool>> seen;
    f.answerModal([&](QDialog *card) {
        EXPECT_FALSE(FKardSpros->DBGridVarMest->isHidden());
        seen << f.variantButtons();
        f.dialogs.answerMessage(Dialogs::Yes);   // "Удалить вариант?"
        FKardSpros->BitBtn5->click();
        seen << f.variantButtons();
        f.answerModal([](QDialog *adress) { adress->setResult(6); });
        FKardSpros->BitBtn2->click();
        seen << f.variantButtons();
        card->setResult(7);
    });
    FBaza->BitBtn4Click();
    EXPECT_EQ(seen, QList<QList<bool>>({{true, true, true}, {true, true, false}, {true, true, true}}));
    EXPECT_EQ(f.column("ADOTBazaSprosVarMest", "IDBazaSprosVarMest"), QStringList({"1"}));   // the table was empty again
}
