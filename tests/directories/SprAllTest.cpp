#include "support/ProgramForms.h"
#include "directories/SprAll.h"
#include "widgets/DBGrid.h"
#include <gtest/gtest.h>

namespace {

struct ListForms : ProgramForms {
    TFSprAll *w = make(FSprAll);
    ListForms()
    {
        exec("INSERT INTO SprWindow (NameWindow) VALUES ('Деревянные'), ('Пластик')");
        exec("INSERT INTO SprType (NameType) VALUES ('Квартира')");
    }
    Table &windows() { return DMDomlar->table("ADOTSprWindow"); }
};

} // namespace

// Each opening re-reads its list and shows its caption in the title and the column.
TEST(SprAll, OpenFormBindsTheNamedList)
{
    ListForms f;
    QStringList seen;
    for (int i = 0; i < 2; ++i)
        f.answerModal([&](QDialog *) {
            seen << f.w->windowTitle() + "|" + f.w->grid()->datasetModel()->headerData(0, Qt::Horizontal).toString()
                        + "|" + QString::number(f.w->list()->recordCount());
        });
    f.w->OpenForm("SprWindow", QStringLiteral("Окна"), "NameWindow");
    f.w->OpenForm("SprType", QStringLiteral("Типы объектов"), "NameType");
    EXPECT_EQ(seen, QStringList({"Справочник (Окна)|Окна|2", "Справочник (Типы объектов)|Типы объектов|1"}));
    EXPECT_EQ(f.w->list(), &DMDomlar->table("ADOTSprType"));
}

// "Ввести": an existing word becomes current; a new one (empty included) is
// stored and seen at once in the shared dataset; a too long one is refused.
TEST(SprAll, EnterWords)
{
    ListForms f;
    f.w->BindList("SprWindow", QStringLiteral("Окна"), "NameWindow");
    const struct { bool ok; QString word; int rows; bool message; } cases[] = {
        {true, QStringLiteral("Пластик"), 2, false},
        {false, QStringLiteral("Алюминий"), 2, false},
        {true, QStringLiteral("Алюминий"), 3, false},
        {true, QString(), 4, false},
        {true, QString(31, QChar(u'ж')), 4, true},
    };
    for (const auto &c : cases) {
        f.windows().first();
        f.dialogs.clearCalls();
        f.dialogs.answerInput(c.ok, c.word);
        if (c.message) {   // too long: told, and asked again with the word as typed
            f.dialogs.answerMessage(Dialogs::Ok);
            f.dialogs.answerInput(false);
        }
        f.w->N1Click();
        if (c.message) {
            EXPECT_TRUE(f.dialogs.calls().at(1).text.contains("30"));
        }
        EXPECT_EQ(f.dialogs.calls().at(0).title, QStringLiteral("Ввод новой характеристики"));
        EXPECT_EQ(f.dialogs.calls().at(0).text, QStringLiteral("Наименование"));
        EXPECT_EQ(f.windows().recordCount(), c.rows) << c.word.toStdString();
        EXPECT_EQ(f.stored("SELECT Count(*) FROM SprWindow").toInt(), c.rows);
        if (c.ok && !c.message) {
            EXPECT_EQ(f.windows().fieldByName("NameWindow").asString(), c.word);
        }
        EXPECT_TRUE(f.dialogs.allAnswered());
    }
}

TEST(SprAll, CorrectAndDeleteWords)
{
    ListForms f;
    f.w->BindList("SprWindow", QStringLiteral("Окна"), "NameWindow");
    f.windows().locate("NameWindow", QStringLiteral("Пластик"));
    f.dialogs.answerInput(true, QStringLiteral("Пластиковые"));
    f.w->EditCurrentWord();
    EXPECT_EQ(f.stored("SELECT Count(*) FROM SprWindow WHERE NameWindow='Пластиковые'").toInt(), 1);

    f.dialogs.clearCalls();
    f.dialogs.answerMessage(Dialogs::No);
    f.dialogs.answerMessage(Dialogs::Yes);
    f.dialogs.answerMessage(Dialogs::Yes);
    f.w->N2Click();
    f.w->N2Click();
    f.w->N2Click();
    EXPECT_EQ(f.dialogs.calls().at(0).text, QStringLiteral("Удалить?"));
    EXPECT_EQ(f.stored("SELECT Count(*) FROM SprWindow").toInt(), 0);
    f.dialogs.clearCalls();
    f.dialogs.answerMessage(Dialogs::Ok);
    f.w->N2Click();   // an empty list: only a message
    ASSERT_EQ(f.dialogs.calls().size(), 1);
    EXPECT_EQ(f.dialogs.calls().at(0).title, QStringLiteral("Информация"));
}
