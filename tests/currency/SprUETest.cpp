#include "currency/CurrentRates.h"
#include "currency/SprUE.h"
#include "currency/TecKursUE.h"
#include "support/ProgramForms.h"
#include "widgets/DBGrid.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct RateForms : ProgramForms {
    TFSprUE *w = make(FSprUE);
    TFTecKursUE *current = make(FTecKursUE);
    Table &rates() { return DMDomlar->table("ADOTSprUE"); }
    void addRow(const char *date, const char *dollar, const char *euro)
    {
        exec(QStringLiteral("INSERT INTO SprUE (UEDate, Dollar, EURO) VALUES ('%1', %2, %3)")
                 .arg(date, QString::number(Money::parse(dollar)->units()), QString::number(Money::parse(euro)->units())),
             "ADOTSprUE");
    }
    QString latestStored()
    {
        return stored("SELECT UEDate || ' ' || Dollar || ' ' || EURO FROM SprUE ORDER BY IDUE DESC").toString();
    }
};

QString today() { return QDate::currentDate().toString(Qt::ISODate); }

// An action stamps the day it ran: `before` (taken just before it) or, across midnight, today.
bool stampedThatDay(const QString &date, const QString &before) { return date == before || date == today(); }

} // namespace

TEST(SprUE, EmptyTableRefreshAndAdd)
{
    RateForms f;
    PeremenKursUSD = PeremenKursEURO = Money::fromInteger(5);
    f.w->UpdatePeremenKurs();
    EXPECT_EQ(PeremenKursUSD, Money());
    EXPECT_EQ(PeremenKursEURO, Money());
    EXPECT_EQ(f.current->dateText(), QString());
    const QString before = today();
    f.w->N1Click();
    const QStringList latest = f.latestStored().split(' ');
    ASSERT_EQ(latest.size(), 3);
    EXPECT_TRUE(stampedThatDay(latest[0], before));
    EXPECT_EQ(latest.mid(1), QStringList({"10000", "10000"}));
}

// Each rate is copied when above zero, else 1.0000; two adds on a day give two rows.
TEST(SprUE, AddCopiesTheLatestRates)
{
    const struct { const char *dollar, *euro; long long storedDollar, storedEuro; } cases[] = {
        {"0", "35.5", 10000, 355000},
        {"28.1234", "0", 281234, 10000},
        {"-1", "36", 10000, 360000},
    };
    for (const auto &c : cases) {
        RateForms f;
        f.addRow("2005-01-10", "99", "99");
        f.addRow("2006-01-09", c.dollar, c.euro);
        f.addRow("2005-06-01", "77", "77");
        const QString before = today();
        f.w->N1Click();
        f.w->N1Click();
        const QStringList latest = f.latestStored().split(' ');
        ASSERT_EQ(latest.size(), 3);
        EXPECT_TRUE(stampedThatDay(latest[0], before)) << latest[0].toStdString();
        EXPECT_EQ(latest.mid(1), QStringList({QString::number(c.storedDollar), QString::number(c.storedEuro)}));
        EXPECT_EQ(f.stored("SELECT Count(*) FROM SprUE WHERE UEDate >= '" + before + "'").toInt(), 2);
        EXPECT_TRUE(stampedThatDay(f.rates().fieldByName("UEDate").asDate().toString(Qt::ISODate), before));
    }
}

// The latest date gives the current rates whatever the order of entry; of
// several rows of that date the last entered.
TEST(SprUE, LatestDateWins)
{
    const struct { std::vector<std::array<const char *, 3>> rows; const char *usd, *eur, *date; } cases[] = {
        {{{"2006-01-10", "28", "34"}, {"2006-01-09", "27", "33"}}, "28,0000", "34,0000", "10.01.2006"},
        {{{"2006-01-09", "27", "33"}, {"2006-01-11", "1234.5", "0"}, {"2006-01-10", "28", "34"}},
         "1\u00a0234,5000", "0,0000", "11.01.2006"},
        {{{"2006-01-11", "28", "34"}, {"2006-01-11", "29.25", "35.1"}, {"2006-01-02", "1", "1"}},
         "29,2500", "35,1000", "11.01.2006"},
    };
    for (const auto &c : cases) {
        RateForms f;
        for (const auto &r : c.rows) f.addRow(r[0], r[1], r[2]);
        f.w->UpdatePeremenKurs();
        EXPECT_EQ(f.current->usdText(), QString::fromUtf8(c.usd));
        EXPECT_EQ(f.current->eurText(), QString::fromUtf8(c.eur));
        EXPECT_EQ(f.current->dateText(), QString::fromUtf8(c.date));
        EXPECT_EQ(PeremenKursUSD, *Money::parse(QString::fromUtf8(c.usd)));
    }
}

TEST(SprUE, DeleteAsksAndRefreshTakesTheNextLatest)
{
    RateForms f;
    f.addRow("2006-01-09", "27", "33");
    f.addRow("2006-01-10", "28", "34");
    f.w->UpdatePeremenKurs();
    f.dialogs.answerMessage(Dialogs::Yes);
    f.w->N3Click();
    EXPECT_EQ(f.dialogs.calls().last().text, QStringLiteral("Удалить?"));
    EXPECT_EQ(PeremenKursUSD, Money::fromInteger(28));   // until the next refresh
    f.w->UpdatePeremenKurs();
    EXPECT_EQ(PeremenKursUSD, Money::fromInteger(27));
    f.dialogs.answerMessage(Dialogs::Yes);
    f.w->N3Click();
    f.dialogs.clearCalls();
    f.dialogs.answerMessage(Dialogs::Ok);
    f.w->N3Click();   // an empty table: only a message
    ASSERT_EQ(f.dialogs.calls().size(), 1);
    EXPECT_EQ(f.dialogs.calls().at(0).title, QStringLiteral("Информация"));
}

// Enter changes the focused cell; text or a negative rate is refused and the row keeps its value.
TEST(SprUE, EnterEditsTheCurrentCell)
{
    RateForms f;
    f.addRow("2006-01-09", "27", "33");
    f.w->UpdatePeremenKurs();
    DBGrid *grid = f.w->grid();
    const struct { int column; const char *typed; bool refused; const char *stored; } cases[] = {
        {1, "28,5", false, "2006-01-09 285000 330000"},
        {1, "много", true, "2006-01-09 285000 330000"},
        {2, "-3", true, "2006-01-09 285000 330000"},
        {2, "35.1234", false, "2006-01-09 285000 351234"},
        {0, "31.02.2006", true, "2006-01-09 285000 351234"},
        {0, "10.01.2006", false, "2006-01-10 285000 351234"},
    };
    for (const auto &c : cases) {
        grid->setCurrentIndex(grid->model()->index(0, c.column));
        f.dialogs.answerInput(true, QString::fromUtf8(c.typed));
        if (c.refused) f.dialogs.answerMessage(Dialogs::Ok);
        QTest::keyClick(grid, Qt::Key_Return);
        EXPECT_TRUE(f.dialogs.allAnswered()) << c.typed;
        EXPECT_EQ(f.latestStored(), QString::fromUtf8(c.stored)) << c.typed;
    }
}

TEST(SprUE, ArrowKeysNeverMakeARow)
{
    RateForms f;
    f.addRow("2006-01-09", "27", "33");
    f.addRow("2006-01-10", "28", "34");
    DBGrid *grid = f.w->grid();
    f.w->UpdatePeremenKurs();
    for (int i = 0; i < 4; ++i) QTest::keyClick(grid, Qt::Key_Down);
    for (int i = 0; i < 4; ++i) QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(f.rates().recordCount(), 2);
    EXPECT_EQ(f.rates().state(), Dataset::State::Browse);
    EXPECT_EQ(f.stored("SELECT Count(*) FROM SprUE").toInt(), 2);
    EXPECT_EQ(f.rates().recNo(), 0);
}

TEST(SprUE, WindowTexts)
{
    RateForms f;
    f.w->UpdatePeremenKurs();
    const auto *model = f.w->grid()->datasetModel();
    QStringList titles;
    for (const GridColumn &c : model->columns()) titles << c.title + " " + c.format;
    EXPECT_EQ(titles, QStringList({"Дата ", "КУРС|$ 0.0000", "КУРС|EUR 0.0000"}));
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("Справочник курсов валют"));
    QStringList menu;
    for (QAction *a : f.w->findChildren<QAction *>())
        if (!a->text().isEmpty()) menu << a->text() + (a->isEnabled() ? "" : "(-)");
    EXPECT_EQ(menu, QStringList({"Добавить", "Интернет", "Удалить"}));
}

// The current-rate window's button opens the directory and refreshes on its close.
TEST(TecKursUE, ButtonOpensDirectoryAndRefreshes)
{
    RateForms f;
    f.w->UpdatePeremenKurs();
    f.answerModal([&](QDialog *) { f.addRow("2006-01-09", "27", "33"); });
    f.current->BitBtn1Click();
    EXPECT_EQ(PeremenKursEURO, Money::fromInteger(33));
    EXPECT_EQ(f.current->dateText(), QStringLiteral("09.01.2006"));
    EXPECT_TRUE(f.current->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(f.current->windowTitle(), QStringLiteral("Курс валют"));
    f.current->ShowWindow();
    QApplication::setActiveWindow(f.current);
    f.current->findChild<QLineEdit *>("EditUSD")->setFocus();
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("BitBtn1"));
}

// A click on the shown window's button: the directory opens, and the rates it leaves
// are shown on its close. When the rates cannot be read (no open database) the
// failure is reported and the window keeps what it showed.
TEST(TecKursUE, ClickOpensDirectoryAndShowsItsRates)
{
    RateForms f;
    f.w->UpdatePeremenKurs();
    f.current->ShowWindow();
    auto *button = f.current->findChild<QPushButton *>("BitBtn1");
    f.answerModal([&](QDialog *) { f.addRow("2006-01-09", "27", "33"); });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(f.dialogs.calls().last().title, QStringLiteral("FSprUE"));
    EXPECT_EQ(f.current->dateText(), QStringLiteral("09.01.2006"));
    EXPECT_EQ(f.current->usdText(), QStringLiteral("27,0000"));
    EXPECT_EQ(f.current->eurText(), QStringLiteral("33,0000"));

    f.answerModal([&](QDialog *) { f.rates().close(); });
    f.dialogs.answerMessage(Dialogs::Ok);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(f.dialogs.calls().last().title, QStringLiteral("Ошибка"));
    EXPECT_EQ(f.dialogs.calls().last().text, QStringLiteral("База данных не открыта: данные недоступны."));
    EXPECT_EQ(f.current->dateText(), QStringLiteral("09.01.2006"));
    EXPECT_TRUE(f.current->isVisible());
    EXPECT_TRUE(f.dialogs.allAnswered());
    f.current->hide();
}
