#include "main/Program.h"
#include "app/Zastav.h"
#include "data/DataModule.h"
#include "platform/ScriptedDialogs.h"
#include "support/ProgramForms.h"
#include <QAction>
#include <QCalendarWidget>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace {

// The Firm row that names the agency: none for an invalid name, a NULL name for a null one.
QStringList agencyRow(const QVariant &agencyName)
{
    if (!agencyName.isValid()) return {};
    return {agencyName.isNull() ? QStringLiteral("INSERT INTO Firm (Name) VALUES (NULL)")
                                : "INSERT INTO Firm (Name) VALUES ('" + agencyName.toString() + "')"};
}

// The program shown as at start, over a database with the given agency name, or without a database.
struct Forms : ProgramForms {
    explicit Forms(const QVariant &agencyName) : ProgramForms(agencyRow(agencyName)) { FZastav->FormShow(); }
    explicit Forms(const NoDatabase &start) : ProgramForms(start) { FZastav->FormShow(); }
    QString text(const QString &name) const { return FZastav->findChild<QLabel *>(name)->text(); }
};

QPushButton *button(const QString &name) { return FZastav->findChild<QPushButton *>(name); }

} // namespace

TEST(Zastav, WithDatabaseTitleStatusAndClocks)
{
    Forms f(QStringLiteral("Агентство \"Дом\""));
    EXPECT_EQ(FZastav->windowTitle(), QStringLiteral("\"ЛАРМИС\" - Домлар (Агентство \"Дом\")"));
    EXPECT_EQ(FZastav->statusText(), "Путь к базе данных: " + QFileInfo(f.dir.file("Data/domlar.mde")).absoluteFilePath());
    EXPECT_TRUE(FZastav->isMaximized());
    EXPECT_EQ(f.text("LDate"), dateLine(QDate::currentDate()));
    EXPECT_EQ(f.text("LClock"), "00:00:00");
    for (int i = 0; i < 60; ++i) FZastav->Timer1Timer();
    EXPECT_EQ(f.text("LClock"), "00:01:00");
    FZastav->FormShow();   // showing again starts the count anew
    EXPECT_EQ(f.text("LClock"), "00:00:00");
}

TEST(Zastav, TitleWithoutAgencyName)
{
    for (const QVariant &name : {QVariant(), QVariant(QMetaType::fromType<QString>())}) {
        Forms f(name);
        EXPECT_EQ(FZastav->windowTitle(), QStringLiteral("\"ЛАРМИС\" - Домлар"));
    }
}

TEST(Zastav, WithoutDatabase)
{
    Forms f(ProgramForms::NoDatabase{[](ScopedScriptedDialogs &d) {
        d.answerMessage(Dialogs::No);
        d.answerMessage(Dialogs::Ok);   // the current rates cannot be read
    }});
    EXPECT_EQ(FZastav->windowTitle(), QStringLiteral("\"ЛАРМИС\" Домлар"));
    EXPECT_EQ(FZastav->statusText(), QStringLiteral("БАЗА ДАННЫХ НЕ НАЙДЕНА !"));
    EXPECT_TRUE(FZastav->isVisible());
    ASSERT_EQ(f.dialogs.calls().size(), 2);
    EXPECT_EQ(f.dialogs.calls().at(1).title, QStringLiteral("Ошибка"));   // the rate refresh reports the data layer's text
    EXPECT_EQ(f.dialogs.calls().at(1).text, QStringLiteral("База данных не открыта: данные недоступны."));
}

TEST(Zastav, ButtonsHintsAndMenus)
{
    Forms f(QStringLiteral("А"));
    struct Expect { const char *name, *text, *hint; };
    const Expect buttons[] = {
        {"BitBtnUchet", "Учет", ""},
        {"BitBtnFirm", "Организация", "Справочник организации"},
        {"BitBtnKlient", "Клиенты", "Справочник клиентов"},
        {"BitBtnSotrud", "Сотрудники", "Справочник сотрудников"},
        {"BitBtnAdress", "Города, районы, улицы", "Справочник городов, районов, улиц"},
        {"BitBtnUE", "Валюта", "Справочник валют"},
        {"BitBtnExit", "Выход", "Выход из программы"},
    };
    for (const Expect &e : buttons) {
        QPushButton *b = button(e.name);
        ASSERT_NE(b, nullptr) << e.name;
        EXPECT_EQ(b->text(), QString::fromUtf8(e.text));
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(e.hint));
    }
    EXPECT_TRUE(button("BitBtnUchet")->isDefault());
    EXPECT_TRUE(button("BitBtnUchet")->font().bold());

    QStringList menus;
    for (QAction *a : FZastav->menuBar()->actions()) {
        QStringList items;
        if (a->menu())
            for (QAction *i : a->menu()->actions()) items << (i->isSeparator() ? "-" : i->text());
        menus << a->text() + (items.isEmpty() ? "" : ": " + items.join(" | "));
    }
    EXPECT_EQ(menus, QStringList({
        "Сохранение: Сохранить | Восстановить | Сжатие данных",
        "Сервис: Калькулятор | Календарь | Валюты | - | Конструктор документов (Заявки на продажу) | "
        "Конструктор документов (Заявки на приобретение)",
        "О программе"}));
}

// Commands are enabled once their window is wired in, and run its handler.
TEST(Zastav, CommandsAndAttributeLists)
{
    Forms f(QStringLiteral("А"));
    auto *backup = FZastav->findChild<QAction *>("NBackup");
    FZastav->setCommand(TFZastav::Command::Backup, nullptr);
    EXPECT_FALSE(backup->isEnabled());   // nothing carries it out
    int opened = 0;
    FZastav->setCommand(TFZastav::Command::Backup, [&] { ++opened; });
    EXPECT_TRUE(backup->isEnabled());
    backup->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(button("BitBtnKlient")->isEnabled());

    QStringList asked;
    FZastav->setAttributeListHandler([&](const QString &t, const QString &c, const QString &col) { asked << t + "|" + c + "|" + col; });
    auto *menu = FZastav->findChild<QMenu *>("PopupMenuHarakter");
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (QAction *a : menu->actions()) items << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(items, QStringList({"Типы объектов", "-", "Телефоны", "Окна", "Водоснабжение", "Отопление",
                                  "Материал дома", "Двери", "Материал пола", "Планировка дома",
                                  "Планировка комнат", "Сан.узел", "Состояние", "Балкон"}));
    menu->actions().at(3)->trigger();
    EXPECT_EQ(asked, QStringList({"SprWindow|Окна|NameWindow"}));
}

// "Нет" to the exit question keeps the program, whichever way the exit was asked for.
TEST(Zastav, ExitQuestion)
{
    Forms f(QStringLiteral("А"));
    f.dialogs.clearCalls();
    f.dialogs.answerMessage(Dialogs::No);
    button("BitBtnExit")->click();
    EXPECT_TRUE(FZastav->isVisible());
    f.dialogs.answerMessage(Dialogs::No);
    EXPECT_FALSE(FZastav->close());
    EXPECT_TRUE(FZastav->isVisible());
    ASSERT_EQ(f.dialogs.calls().size(), 2);
    EXPECT_EQ(f.dialogs.calls().at(0).text, QStringLiteral("Вы хотите выйти из программы ?"));
    EXPECT_EQ(f.dialogs.calls().at(0).title, QStringLiteral("Подтвердить"));

    f.dialogs.answerMessage(Dialogs::Yes);
    EXPECT_TRUE(FZastav->close());
    EXPECT_FALSE(FZastav->isVisible());
}

// "Калькулятор" and "Календарь" open their windows modally; the calendar starts on today.
TEST(Zastav, CalculatorAndCalendar)
{
    Forms f(QStringLiteral("А"));
    QStringList shown;
    f.dialogs.answerModal([&](QWidget *w) { shown << w->windowTitle(); return 2; });
    f.dialogs.answerModal([&](QWidget *w) {
        shown << w->windowTitle();
        EXPECT_EQ(w->findChild<QCalendarWidget *>("Calendar1")->selectedDate(), QDate::currentDate());
        EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
        return 2;
    });
    FZastav->findChild<QAction *>("NCalculator")->trigger();
    FZastav->findChild<QAction *>("NCalendar")->trigger();
    EXPECT_EQ(shown, QStringList({"Калькулятор", "Календарь"}));
}
