#include "support/ProgramForms.h"
#include "directories/SprAll.h"
#include "widgets/DBGrid.h"
#include <QAction>
#include <QMenuBar>
#include <QTest>
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
    // A click on a menu-bar command of the shown window.
    void clickMenu(const char *action)
    {
        auto *menu = w->findChild<QMenuBar *>();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(w->findChild<QAction *>(action)).center());
    }
    QRect cellOf(const QString &word)
    {
        const QAbstractItemModel *model = w->grid()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            if (model->index(row, 0).data().toString() == word) return w->grid()->visualRect(model->index(row, 0));
        return {};
    }
    int count(const QString &word)
    {
        return stored("SELECT Count(*) FROM SprWindow WHERE NameWindow='" + word + "'").toInt();
    }
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

// In the shown window: the menu's "Ввести", "Удалить" and "Закрыть", F2 and a
// double click each reach their command; a delete that fails (the file locked by
// another program) is reported, the word stays, and it goes once the file is free.
TEST(SprAll, MenuKeysAndDoubleClickInTheShownWindow)
{
    ListForms f;
    bool closed = false;
    f.answerModal([&](QDialog *d) {
        f.dialogs.answerInput(true, QStringLiteral("Алюминий"));
        f.clickMenu("N1");
        EXPECT_EQ(f.count(QStringLiteral("Алюминий")), 1);

        f.dialogs.answerInput(true, QStringLiteral("Алюминиевые"));
        QTest::keyClick(f.w->grid(), Qt::Key_F2);   // the word just entered is the current one
        EXPECT_EQ(f.count(QStringLiteral("Алюминиевые")), 1);
        EXPECT_EQ(f.count(QStringLiteral("Алюминий")), 0);

        const QRect cell = f.cellOf(QStringLiteral("Пластик"));
        ASSERT_TRUE(cell.isValid());
        f.dialogs.answerInput(true, QStringLiteral("Пластиковые"));
        QTest::mouseClick(f.w->grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(f.w->grid()->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_EQ(f.count(QStringLiteral("Пластиковые")), 1);

        auto lock = f.lockedByAnotherProgram();
        f.dialogs.clearCalls();
        f.dialogs.answerMessage(Dialogs::Yes);
        f.dialogs.answerMessage(Dialogs::Ok);
        f.clickMenu("N2");
        ASSERT_EQ(f.dialogs.calls().size(), 2);
        EXPECT_EQ(f.dialogs.calls().at(0).text, QStringLiteral("Удалить?"));
        EXPECT_EQ(f.dialogs.calls().at(1).title, QStringLiteral("Ошибка"));
        lock.reset();
        EXPECT_EQ(f.count(QStringLiteral("Пластиковые")), 1);
        f.dialogs.answerMessage(Dialogs::Yes);
        f.clickMenu("N2");
        EXPECT_EQ(f.count(QStringLiteral("Пластиковые")), 0);
        EXPECT_EQ(f.stored("SELECT Count(*) FROM SprWindow").toInt(), 2);

        f.clickMenu("N3");
        closed = !d->isVisible();
    });
    f.w->OpenForm("SprWindow", QStringLiteral("Окна"), "NameWindow");
    EXPECT_TRUE(closed);
    EXPECT_TRUE(f.dialogs.allAnswered());
}
