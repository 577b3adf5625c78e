#include "support/ProgramForms.h"
#include "directories/SprKlient.h"
#include "directories/SprSotrud.h"
#include "widgets/DBGrid.h"
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include "support/TypeText.h"
#include <gtest/gtest.h>

namespace {

struct PeopleForms : ProgramForms {
    TFSprKlient *clients = make(FSprKlient);
    TFSprSotrud *employees = make(FSprSotrud);
    void enterList(TPersonDirectory *w)
    {
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(w->grid(), &in);
    }
};

} // namespace

TEST(SprKlient, AddTwiceGivesPlaceholdersWithConsecutiveCodes)
{
    PeopleForms f;
    const struct { TPersonDirectory *w; const char *dataset, *key, *name, *placeholder; } cases[] = {
        {f.clients, "ADOTSprKlient", "IDKlient", "NameKlient", "->Новый клиент"},
        {f.employees, "ADOTSprSotrud", "IDSotrud", "NameSotrud", "->Новый сотрудник"},
    };
    for (const auto &c : cases) {
        f.exec(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (4, 'Андреев')").arg(QString(c.dataset).mid(4), c.key, c.name),
               c.dataset);
        c.w->N1Click();
        c.w->N1Click();
        EXPECT_EQ(f.column(c.dataset, c.key), QStringList({"5", "6", "4"}));
        EXPECT_EQ(f.column(c.dataset, c.name),
                  QStringList({c.placeholder, c.placeholder, "Андреев"}));
        EXPECT_EQ(DMDomlar->table(c.dataset).fieldByName(c.key).asInteger(), 6);
        EXPECT_EQ(c.w->focusWidget(), c.w->nameEdit());
        EXPECT_EQ(c.w->nameEdit()->selectedText(), QString::fromUtf8(c.placeholder));
        EXPECT_EQ(c.w->stripText(), QString::fromUtf8(c.placeholder));
    }
}

// Typing in the details edits the row; entering the list stores it and re-sorts.
TEST(SprKlient, RenameStoresAndResorts)
{
    PeopleForms f;
    f.exec("INSERT INTO SprKlient (IDKlient, NameKlient) VALUES (1, 'Борисов'), (2, 'Иванов')", "ADOTSprKlient");
    Table &t = DMDomlar->table("ADOTSprKlient");
    t.first();
    QLineEdit *name = f.clients->nameEdit();
    name->selectAll();
    typeText(name, QStringLiteral("Яковлев"));
    auto *tel = f.clients->findChild<QLineEdit *>("TelKlient");
    typeText(tel, QStringLiteral("123"));
    EXPECT_EQ(f.clients->stripText(), QStringLiteral("Яковлев"));
    EXPECT_EQ(f.stored("SELECT NameKlient FROM SprKlient WHERE IDKlient=1").toString(), QStringLiteral("Борисов"));
    f.enterList(f.clients);
    EXPECT_EQ(f.column("ADOTSprKlient", "NameKlient"), QStringList({"Иванов", "Яковлев"}));
    EXPECT_EQ(t.fieldByName("IDKlient").asInteger(), 1);
    EXPECT_EQ(f.stored("SELECT NameKlient || '/' || TelKlient FROM SprKlient WHERE IDKlient=1").toString(),
              QStringLiteral("Яковлев/123"));

    // Moving to another row stores too; the details follow the current row.
    t.first();
    typeText(f.clients->findChild<QLineEdit *>("INNKlient"), QStringLiteral("55"));
    t.last();
    EXPECT_EQ(f.stored("SELECT INNKlient FROM SprKlient WHERE IDKlient=2").toString(), QStringLiteral("55"));
    EXPECT_EQ(name->text(), QStringLiteral("Яковлев"));
}

// The name edit takes no more than the column's 80 characters, and what it holds is stored.
TEST(SprKlient, NameEditTakesTheColumnsWidth)
{
    PeopleForms f;
    f.exec("INSERT INTO SprKlient (IDKlient, NameKlient) VALUES (1, 'Борисов')", "ADOTSprKlient");
    f.clients->nameEdit()->selectAll();
    f.clients->nameEdit()->insert(QString(81, QChar(u'ф')));
    emit f.clients->nameEdit()->textEdited(f.clients->nameEdit()->text());
    EXPECT_EQ(f.clients->nameEdit()->text(), QString(80, QChar(u'ф')));
    f.enterList(f.clients);
    EXPECT_EQ(f.stored("SELECT NameKlient FROM SprKlient").toString(), QString(80, QChar(u'ф')));
    EXPECT_TRUE(f.dialogs.calls().isEmpty() || f.dialogs.calls().last().what != "message");
}

TEST(SprKlient, EmployeeNotes)
{
    PeopleForms f;
    f.employees->N1Click();
    f.employees->findChild<QPlainTextEdit *>("infoSotrud")->setPlainText(QStringLiteral("стаж\n5 лет"));
    f.enterList(f.employees);
    EXPECT_EQ(f.stored("SELECT infoSotrud FROM SprSotrud").toString(), QStringLiteral("стаж\n5 лет"));
}

// Tab in the notes goes on to the next field; no tab character is stored.
TEST(SprKlient, TabLeavesTheNotes)
{
    PeopleForms f;
    f.employees->N1Click();
    auto *notes = f.employees->findChild<QPlainTextEdit *>("infoSotrud");
    notes->setPlainText(QStringLiteral("стаж"));
    QTest::keyClick(notes, Qt::Key_Tab);
    f.enterList(f.employees);
    EXPECT_EQ(f.stored("SELECT infoSotrud FROM SprSotrud").toString(), QStringLiteral("стаж"));
}

// A double click in the list closes with 1; the caller reads the current row.
TEST(SprKlient, PickerContract)
{
    PeopleForms f;
    f.exec("INSERT INTO SprKlient (IDKlient, NameKlient) VALUES (1, 'Борисов'), (2, 'Иванов')", "ADOTSprKlient");
    f.answerModal([](QDialog *d) {
        auto *grid = d->findChild<DBGrid *>("DBGridEh1");
        const QRect cell = grid->visualRect(grid->model()->index(1, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    });
    EXPECT_EQ(f.clients->Execute(), 1);
    EXPECT_EQ(DMDomlar->table("ADOTSprKlient").fieldByName("IDKlient").asInteger(), 2);
    f.answerModal([](QDialog *d) { d->reject(); });
    EXPECT_NE(f.clients->Execute(), 1);
    EXPECT_TRUE(f.clients->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(SprKlient, DeleteAsksFirst)
{
    PeopleForms f;
    f.exec("INSERT INTO SprSotrud (IDSotrud, NameSotrud) VALUES (1, 'Петров')", "ADOTSprSotrud");
    f.dialogs.answerMessage(Dialogs::No);
    f.employees->N2Click();
    EXPECT_EQ(f.stored("SELECT Count(*) FROM SprSotrud").toInt(), 1);
    f.dialogs.answerMessage(Dialogs::Yes);
    f.employees->N2Click();
    EXPECT_EQ(f.stored("SELECT Count(*) FROM SprSotrud").toInt(), 0);
    EXPECT_EQ(f.dialogs.calls().at(0).text, QStringLiteral("Удалить?"));
    EXPECT_EQ(f.employees->stripText(), QString());
}

TEST(SprKlient, ClosingStoresWhatWasTyped)
{
    PeopleForms f;
    f.exec("INSERT INTO SprKlient (IDKlient, NameKlient) VALUES (1, 'Борисов')", "ADOTSprKlient");
    f.answerModal([&](QDialog *d) {
        typeText(f.clients->findChild<QLineEdit *>("TelKlient"), QStringLiteral("77"));
        d->reject();
    });
    f.clients->Execute();
    EXPECT_EQ(DMDomlar->table("ADOTSprKlient").state(), Dataset::State::Browse);
    EXPECT_EQ(f.stored("SELECT TelKlient FROM SprKlient").toString(), QStringLiteral("77"));
}
