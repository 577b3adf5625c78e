#include "data/Keys.h"
#include "directories/SprAdress.h"
#include "support/ProgramForms.h"
#include "widgets/DBGrid.h"
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct ListCase {
    TFSprAdress::List list;
    const char *dataset, *key, *name, *addTitle, *prompt;
};

const ListCase lists[] = {
    {TFSprAdress::Towns, "ADOTSprTown", "IDTown", "NameTown", "Ввод нового города", "Название города"},
    {TFSprAdress::Districts, "ADOTSprRaion", "IDRaion", "NameRaion", "Ввод нового района", "Название района"},
    {TFSprAdress::Streets, "ADOTSprStreet", "IDStreet", "NameStreet", "Ввод новой улицы", "Название улицы"},
};

struct AddressForms : ProgramForms {
    TFSprAdress *w = make(FSprAdress);
    void add(TFSprAdress::List list, const QString &name)
    {
        dialogs.answerInput(true, name);
        w->Add(list);
    }
    int current(const char *dataset, const char *field)
    {
        return DMDomlar->table(dataset).fieldByName(field).asInteger();
    }
};

} // namespace

TEST(SprAdress, MaxCodeQueryTexts)
{
    const struct { const char *table, *key, *sql; } cases[] = {
        {"SprTown", "IDTown", "SELECT Max(IDTown) as MaxIDTown FROM SprTown"},
        {"SprRaion", "IDRaion", "SELECT Max(IDRaion) as MaxIDRaion FROM SprRaion"},
        {"SprStreet", "IDStreet", "SELECT Max(IDStreet) as MaxIDStreet FROM SprStreet"},
        {"SprKlient", "IDKlient", "SELECT Max(IDKlient) as MaxIDKlient FROM SprKlient"},
        {"SprSotrud", "IDSotrud", "SELECT Max(IDSotrud) as MaxIDSotrud FROM SprSotrud"},
    };
    for (const auto &c : cases) EXPECT_EQ(Keys::maxKeySql(c.table, c.key), QString::fromUtf8(c.sql));
}

// The first row gets 1; after the greatest is deleted its code is given again.
TEST(SprAdress, CodesByMaxPlusOne)
{
    AddressForms f;
    for (const ListCase &c : lists) {
        f.dialogs.clearCalls();
        for (const char *name : {"Б", "А", "В"}) f.add(c.list, QString::fromUtf8(name));
        EXPECT_EQ(f.dialogs.calls().at(0).title, QString::fromUtf8(c.addTitle));
        EXPECT_EQ(f.dialogs.calls().at(0).text, QString::fromUtf8(c.prompt));
        EXPECT_EQ(f.stored(QStringLiteral("SELECT Count(*) FROM ") + QString(c.dataset).mid(4)).toInt(), 3);
        Table &t = DMDomlar->table(c.dataset);
        ASSERT_TRUE(t.locate(c.key, 3));
        f.dialogs.answerMessage(Dialogs::Yes);
        f.w->Remove(c.list);
        f.add(c.list, QStringLiteral("Г"));
        EXPECT_EQ(t.fieldByName(c.name).asString(), QStringLiteral("Г"));
        EXPECT_EQ(f.current(c.dataset, c.key), 3) << c.dataset;
    }
    EXPECT_TRUE(f.dialogs.allAnswered());
}

TEST(SprAdress, DistrictAndStreetRecordTheCurrentRows)
{
    AddressForms f;
    f.add(TFSprAdress::Districts, QStringLiteral("Центральный"));
    EXPECT_EQ(f.current("ADOTSprRaion", "IDTown"), 0);
    f.add(TFSprAdress::Towns, QStringLiteral("Омск"));
    f.add(TFSprAdress::Towns, QStringLiteral("Тара"));
    DMDomlar->table("ADOTSprTown").locate("NameTown", QStringLiteral("Омск"));
    f.add(TFSprAdress::Districts, QStringLiteral("Советский"));
    EXPECT_EQ(f.current("ADOTSprRaion", "IDTown"), 1);
    f.add(TFSprAdress::Streets, QStringLiteral("Ленина"));
    EXPECT_EQ(f.current("ADOTSprStreet", "IDTown"), 1);
    EXPECT_EQ(f.current("ADOTSprStreet", "IDRaion"), 2);
    EXPECT_EQ(f.stored("SELECT IDRaion FROM SprStreet WHERE NameStreet='Ленина'").toInt(), 2);
}

// Refused names store nothing; cancelling changes nothing.
TEST(SprAdress, RefusedAndCancelledNames)
{
    AddressForms f;
    // A name too long is told and asked for again (here cancelled).
    const struct { bool ok; QString name; bool message, again; } cases[] = {
        {false, QString(), false, false},
        {true, QString(), true, false},
        {true, QStringLiteral("   "), true, false},
        {true, QString(51, QChar(u'я')), true, true},
    };
    for (const auto &c : cases) {
        f.dialogs.clearCalls();
        f.dialogs.answerInput(c.ok, c.name);
        if (c.message) f.dialogs.answerMessage(Dialogs::Ok);
        if (c.again) f.dialogs.answerInput(false);
        f.w->Add(TFSprAdress::Towns);
        EXPECT_EQ(f.dialogs.calls().size(), 1 + int(c.message) + int(c.again));
        EXPECT_EQ(f.stored("SELECT Count(*) FROM SprTown").toInt(), 0);
        EXPECT_TRUE(DMDomlar->table("ADOTSprTown").isEmpty());
        EXPECT_EQ(DMDomlar->table("ADOTSprTown").state(), Dataset::State::Browse);
    }
    f.add(TFSprAdress::Towns, QString(50, QChar(u'я')));
    EXPECT_EQ(f.stored("SELECT Count(*) FROM SprTown").toInt(), 1);
}

TEST(SprAdress, ChangeAndDelete)
{
    AddressForms f;
    f.dialogs.clearCalls();
    f.w->Change(TFSprAdress::Towns);   // an empty list: nothing happens
    f.dialogs.answerMessage(Dialogs::Ok);
    f.w->Remove(TFSprAdress::Towns);
    ASSERT_EQ(f.dialogs.calls().size(), 1);
    EXPECT_EQ(f.dialogs.calls().at(0).title, QStringLiteral("Информация"));

    f.add(TFSprAdress::Streets, QStringLiteral("Мира"));
    f.dialogs.clearCalls();
    f.dialogs.answerInput(true, QStringLiteral("Мира пр."));
    f.w->Change(TFSprAdress::Streets);
    EXPECT_EQ(f.dialogs.calls().at(0).title, QStringLiteral("Изменение названия улицы"));
    EXPECT_EQ(f.stored("SELECT NameStreet FROM SprStreet WHERE IDStreet=1").toString(), QStringLiteral("Мира пр."));

    f.dialogs.answerMessage(Dialogs::No);
    f.w->Remove(TFSprAdress::Streets);
    f.dialogs.answerMessage(Dialogs::Yes);
    f.w->Remove(TFSprAdress::Streets);
    EXPECT_EQ(f.dialogs.calls().at(1).text, QStringLiteral("Удалить улицу?"));
    EXPECT_EQ(f.dialogs.calls().at(1).title, QStringLiteral("Подтвердить"));
    EXPECT_EQ(f.stored("SELECT Count(*) FROM SprStreet").toInt(), 0);
}

// Enter moves town -> district -> street and ends the choice with 6 there;
// the caller then reads the three current rows.
TEST(SprAdress, PickerContract)
{
    AddressForms f;
    f.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Омск'), (2, 'Тара')", "ADOTSprTown");
    f.exec("INSERT INTO SprRaion (IDRaion, NameRaion, IDTown) VALUES (5, 'Северный', 2)", "ADOTSprRaion");
    f.exec("INSERT INTO SprStreet (IDStreet, NameStreet) VALUES (7, 'Ленина'), (8, 'Мира')", "ADOTSprStreet");
    QStringList focused;
    f.answerModal([&](QDialog *d) {
        QApplication::setActiveWindow(d);
        focused << QApplication::focusWidget()->objectName();
        DMDomlar->table("ADOTSprTown").setRecNo(1);
        QTest::keyClick(f.w->grid(TFSprAdress::Towns), Qt::Key_Return);
        focused << QApplication::focusWidget()->objectName();
        QTest::keyClick(f.w->grid(TFSprAdress::Districts), Qt::Key_Enter);
        focused << QApplication::focusWidget()->objectName();
        DMDomlar->table("ADOTSprStreet").setRecNo(1);
        QTest::keyClick(f.w->grid(TFSprAdress::Streets), Qt::Key_Return);
    });
    EXPECT_EQ(f.w->Execute(), Dialogs::Yes);
    EXPECT_EQ(focused, QStringList({"DBGridEh1", "DBGridEh2", "DBGridEh3"}));
    EXPECT_EQ(f.current("ADOTSprTown", "IDTown"), 2);
    EXPECT_EQ(f.current("ADOTSprRaion", "IDRaion"), 5);
    EXPECT_EQ(f.current("ADOTSprStreet", "IDStreet"), 8);

    f.answerModal([](QDialog *d) { d->reject(); });   // closed without a choice
    EXPECT_NE(f.w->Execute(), Dialogs::Yes);
}

TEST(SprAdress, TitleForOneOpening)
{
    AddressForms f;
    f.answerModal([](QDialog *) {});
    f.answerModal([](QDialog *) {});
    f.dialogs.clearCalls();
    f.w->Execute(QStringLiteral("Ввод нового варианта расположения для спроса"));
    f.w->Execute();
    ASSERT_EQ(f.dialogs.calls().size(), 2);
    EXPECT_EQ(f.dialogs.calls().at(0).text, QStringLiteral("Ввод нового варианта расположения для спроса"));
    EXPECT_EQ(f.dialogs.calls().at(1).text, QStringLiteral("Справочник городов, районов, улиц"));
    EXPECT_EQ(f.w->objectName(), QStringLiteral("FSprAdress"));
}
