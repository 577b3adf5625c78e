#include "app/Zastav.h"
#include "support/ProgramForms.h"
#include "directories/SprFirm.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include "support/TypeText.h"
#include <gtest/gtest.h>

namespace {

struct FirmForms : ProgramForms {
    TFSprFirm *w = make(FSprFirm);
    void type(const QString &field, const QString &text)
    {
        w->edit(field)->selectAll();
        typeText(w->edit(field), text);
    }
};

} // namespace

TEST(SprFirm, FieldsInFormOrder)
{
    FirmForms f;
    QStringList names;
    for (QLineEdit *e : f.w->findChildren<QLineEdit *>()) names << e->objectName();
    EXPECT_EQ(names, QStringList({"INN", "KPP", "Name", "Adress", "AdressUrid", "TEL", "Bank", "RS", "KS", "Bik",
                                  "FIOBuh", "FIOKass", "FIORuk", "PassportSer", "PassportNom", "PassportVidan"}));
    EXPECT_TRUE(f.w->findChild<QPushButton *>("BitBtn1")->isDefault());
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("Данные организации (пользователя)"));
}

// Saving an empty table creates the row; saving again changes that row; the title follows.
TEST(SprFirm, SaveStoresTheFirstRowAndSetsTitle)
{
    FirmForms f;
    for (const char *name : {"Дом", "Дом и сад"}) {
        f.answerModal([&](QDialog *) {
            f.type("Name", QString::fromUtf8(name));
            f.type("Bik", "044525225");
            QTest::keyClick(f.w->edit("Bik"), Qt::Key_Return);   // the default button
        });
        EXPECT_EQ(f.w->Execute(), QDialog::Accepted);
        EXPECT_EQ(f.stored("SELECT Count(*) FROM Firm").toInt(), 1);
        EXPECT_EQ(f.stored("SELECT Name || '/' || Bik FROM Firm").toString(), QString::fromUtf8(name) + "/044525225");
        EXPECT_EQ(FZastav->windowTitle(), "\"ЛАРМИС\" - Домлар (" + QString::fromUtf8(name) + ")");
    }
}

TEST(SprFirm, EscapeStoresNothing)
{
    FirmForms f;
    f.exec("INSERT INTO Firm (Name) VALUES ('Дом')", "ADOTFirm");
    f.answerModal([&](QDialog *d) {
        f.type("Name", "Другое");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    f.w->Execute();
    EXPECT_EQ(f.stored("SELECT Name FROM Firm").toString(), QStringLiteral("Дом"));
    f.answerModal([](QDialog *) {});
    f.w->Execute();
    EXPECT_EQ(f.w->edit("Name")->text(), QStringLiteral("Дом"));
}

// An edit takes no more characters than its column holds ("Бик": 9), so what it shows is stored.
TEST(SprFirm, EditTakesItsColumnsWidth)
{
    FirmForms f;
    f.exec("INSERT INTO Firm (Name, Bik) VALUES ('Дом', '1')", "ADOTFirm");
    f.w->LoadFields();
    f.type("Bik", "0123456789");
    EXPECT_EQ(f.w->edit("Bik")->text(), "012345678");
    f.w->BitBtn1Click();
    EXPECT_TRUE(f.dialogs.calls().isEmpty());
    EXPECT_EQ(f.stored("SELECT Bik FROM Firm").toString(), QStringLiteral("012345678"));
    EXPECT_EQ(DMDomlar->table("ADOTFirm").state(), Dataset::State::Browse);
}
