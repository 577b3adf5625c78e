#include "widgets/Calculator.h"
#include "widgets/DateEdit.h"
#include "widgets/Lookups.h"
#include "widgets/NumberEdits.h"
#include "data/Dataset.h"
#include "support/TestDatabase.h"
#include "platform/ScriptedDialogs.h"
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(CardControls, NumberEditsReadZeroForEmptyAndShowZeroEmpty)
{
    IntegerEdit i;
    i.setValue(0);
    EXPECT_EQ(i.text(), "");
    i.setValue(1985);
    EXPECT_EQ(i.value(), 1985);
    for (const char *unreadable : {"", " ", "12a", "--"}) {
        i.setText(unreadable);
        EXPECT_EQ(i.value(), 0) << unreadable;
    }

    struct Case { const char *put, *shown, *read; };
    const Case cases[] = {
        {"28.555", "28,56", "28.56"},        // a tie rounds to even: 2855.5 -> 2856
        {"28.565", "28,56", "28.56"},
        {"1234567.5", "1 234 567,50", "1234567.5"},
        {"-0.004", "", "0"},
        {"0", "", "0"},
    };
    DecimalEdit d;
    for (const Case &c : cases) {
        d.setValue(*Money::parse(c.put));
        EXPECT_EQ(d.text(), QString::fromUtf8(c.shown)) << c.put;
        EXPECT_EQ(d.value().toString(), c.read) << c.put;
    }
    d.setText("12,345");
    EXPECT_EQ(d.value().toString(), "12.34");
    d.setText("abc");
    EXPECT_TRUE(d.value().isZero());
}

TEST(CardControls, DateEditZeroDateIsEmpty)
{
    DateEdit e;
    e.setDate(Schema::zeroDate());
    EXPECT_EQ(e.text(), "");
    EXPECT_EQ(e.date(), Schema::zeroDate());
    e.setDate(QDate(2006, 1, 9));
    EXPECT_EQ(e.text(), "09.01.2006");
    EXPECT_EQ(e.date(), QDate(2006, 1, 9));
    e.setText("31.02.2006");
    EXPECT_FALSE(e.isValidInput());
    EXPECT_EQ(e.date(), Schema::zeroDate());
}

// Digits typed without separators fill day, month and year; the short forms read as dates.
TEST(CardControls, DateEditTypedDigitsAndShortForms)
{
    DateEdit typed;
    QTest::keyClicks(&typed, "01062027");
    EXPECT_EQ(typed.text(), "01.06.2027");
    EXPECT_EQ(typed.date(), QDate(2027, 6, 1));

    const int thisYear = QDate::currentDate().year();
    struct Case { const char *text; QDate date; };
    const Case cases[] = {
        {"010627", QDate(2027, 6, 1)},      {"1.6.27", QDate(2027, 6, 1)},
        {"1.6.2027", QDate(2027, 6, 1)},    {"01.06.", QDate(thisYear, 6, 1)},
        {"1.6", QDate(thisYear, 6, 1)},     {"0106", QDate(thisYear, 6, 1)},
        {"", Schema::zeroDate()},           {"31.02.2027", QDate()},
        {"01.06.202", QDate()},             {"0106202", QDate()},
        {"13.13.2027", QDate()},            {"01", QDate()},
    };
    for (const Case &c : cases) {
        const std::optional<QDate> d = DateEdit::parse(c.text);
        EXPECT_EQ(d.value_or(QDate()), c.date) << c.text;
    }
}

// Leaving a date edit with an impossible date says so and brings the focus back.
TEST(CardControls, DateEditRefusesAnImpossibleDateOnLeaving)
{
    ScopedScriptedDialogs dialogs;
    QWidget window;
    auto *date = new DateEdit(&window);
    auto *next = new QLineEdit(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(date);
    layout->addWidget(next);
    window.show();
    QApplication::setActiveWindow(&window);
    date->setFocus();
    QTest::keyClicks(date, "3102");
    dialogs.answerMessage(Dialogs::Ok);
    next->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs.calls().size(), 1);
    EXPECT_TRUE(dialogs.calls()[0].text.contains("31.02")) << dialogs.calls()[0].text.toStdString();
    EXPECT_TRUE(date->hasFocus());

    date->setText("1.6.27");
    next->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(date->text(), "01.06.2027");
    EXPECT_EQ(dialogs.calls().size(), 1);
}

// Where the column is a count, a floor or an area, a minus cannot be typed.
TEST(CardControls, NegativeRefusedWhereAsked)
{
    IntegerEdit count, year;
    count.refuseNegative();
    DecimalEdit area;
    area.refuseNegative();
    for (QLineEdit *e : {static_cast<QLineEdit *>(&count), static_cast<QLineEdit *>(&area)}) {
        QTest::keyClicks(e, "-12");
        EXPECT_EQ(e->text(), "12");
    }
    QTest::keyClicks(&year, "-12");
    EXPECT_EQ(year.value(), -12);
}

TEST(CardControls, Lookups)
{
    TestDatabase db;
    db.exec("INSERT INTO SprKlient (IDKlient, NameKlient) VALUES (1, 'Иванов'), (2, 'Петров')");
    db.exec("INSERT INTO SprType (NameType) VALUES ('Дом'), ('Квартира')");
    Table clients(db.connection, "SprKlient"), types(db.connection, "SprType");
    clients.open();
    types.open();

    IdLookup klient;
    klient.setSource(&clients, "IDKlient", "NameKlient");
    klient.setKey(2);
    EXPECT_EQ(klient.currentText(), QStringLiteral("Петров"));
    klient.setKey(0);
    EXPECT_EQ(klient.currentText(), "");
    klient.setKey(7);                       // a deleted or unknown client shows nothing
    EXPECT_EQ(klient.currentText(), "");

    WordLookup type;
    type.setSource(&types, "NameType");
    EXPECT_EQ(type.count(), 3);             // the empty text and two words
    type.setWord(QStringLiteral("Квартира"));
    types.append();
    types.fieldByName("NameType").setString(QStringLiteral("Участок"));
    types.post();
    type.reloadWords();                     // what a drop-down does each time
    EXPECT_EQ(type.count(), 4);
    EXPECT_EQ(type.word(), QStringLiteral("Квартира"));
    type.setWord(QStringLiteral("Дача"));    // a word since removed from the list still shows
    EXPECT_EQ(type.word(), QStringLiteral("Дача"));
}

TEST(CardControls, Calculator)
{
    struct Case { const char *keys, *shown; };
    const Case cases[] = {
        {"12+3=", "15"}, {"2*3+4=", "10"}, {"1,5*2=", "3"}, {"7/0=", "Ошибка"}, {"7/0=C", "0"},
        {"9-12=", "-3"}, {"5S", "5"}, {"100/8=", "12,5"}, {"3+=", "6"},
    };
    for (const Case &c : cases) {
        CalculatorEngine e;
        for (const QChar k : QString::fromUtf8(c.keys)) {
            if (k.isDigit()) e.digit(k.digitValue());
            else if (k == ',') e.point();
            else if (k == '=') e.equals();
            else if (k == 'C') e.clear();
            else if (k == 'S') e.memoryStore();
            else e.operation(k);
        }
        EXPECT_EQ(e.display(), QString::fromUtf8(c.shown)) << c.keys;
    }
    CalculatorEngine m;
    m.digit(4);
    m.memoryStore();
    m.memoryAdd();
    m.clear();
    m.memoryRecall();
    EXPECT_EQ(m.display(), "8");
}

// Every key of the calculator window reaches the calculator under a mouse click,
// typing works the same, and Esc closes the window.
TEST(CardControls, CalculatorWindowKeys)
{
    struct Case { const char *clicks, *shown; };
    const Case cases[] = {
        {"1 2 + 3 =", "15"}, {"4 5 6 ← * 2 =", "90"}, {"7 8 9 / 3 =", "263"}, {"1 , 5 * 2 =", "3"},
        {"9 - 2 ± =", "11"}, {"7 / 0 =", "Ошибка"}, {"7 / 0 = C", "0"}, {"5 CE 8", "8"},
        {"4 MS", "M  4"}, {"4 MS M+ C MR", "M  8"}, {"4 MS MC", "4"},
    };
    for (const Case &c : cases) {
        CalculatorDialog calculator;
        calculator.show();
        for (const QString &key : QString::fromUtf8(c.clicks).split(' ')) {
            QPushButton *button = nullptr;
            for (QPushButton *b : calculator.findChildren<QPushButton *>())
                if (b->text() == key) button = b;
            ASSERT_TRUE(button) << key.toStdString();
            QTest::mouseClick(button, Qt::LeftButton);
        }
        EXPECT_EQ(calculator.findChild<QLineEdit *>("Display")->text(), QString::fromUtf8(c.shown)) << c.clicks;
    }
    CalculatorDialog calculator;
    calculator.show();
    QTest::keyClicks(&calculator, "12,5*4");
    QTest::keyClick(&calculator, Qt::Key_Backspace);
    QTest::keyClick(&calculator, '2');
    QTest::keyClick(&calculator, Qt::Key_Return);
    EXPECT_EQ(calculator.findChild<QLineEdit *>("Display")->text(), "25");
    EXPECT_TRUE(calculator.isVisible());
    QTest::keyClick(&calculator, Qt::Key_Escape);
    EXPECT_FALSE(calculator.isVisible());
}
