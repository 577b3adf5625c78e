#include "app/About.h"
#include "app/VerInfo.h"
#include "app/Zastav.h"
#include "platform/AppError.h"
#include "support/ProgramForms.h"
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVariantAnimation>
#include <gtest/gtest.h>

namespace {

struct AboutForms : ProgramForms {
    AboutForms() { dialogs.clearCalls(); }
};

} // namespace

// The record the build writes into the program is read back from its file.
TEST(VerInfo, BuiltProgram)
{
    AboutForms f;
    FVerInfo->SetFilename(DOMLAR_EXECUTABLE);
    EXPECT_EQ(FVerInfo->Filename, DOMLAR_EXECUTABLE);
    EXPECT_EQ(FVerInfo->LanguageInfo, "041904E3");
    EXPECT_EQ(FVerInfo->ProductVersion, "1");
    EXPECT_EQ(FVerInfo->FileVersion, "1.2.2006.4");
    EXPECT_EQ(FVerInfo->ProductName, "Домлар V");
    EXPECT_EQ(FVerInfo->EProductVersion->text(), "1");
    EXPECT_EQ(FVerInfo->EFileVersion->text(), "1.2.2006.4");
    EXPECT_EQ(FVerInfo->ECompanyName->text(), FVerInfo->CompanyName);
    EXPECT_EQ(FVerInfo->EComments->text(), FVerInfo->Comments);
    for (const QString &t : {FVerInfo->CompanyName, FVerInfo->FileDescription, FVerInfo->InternalName,
                             FVerInfo->LegalCopyright, FVerInfo->OriginalFilename, FVerInfo->Comments})
        EXPECT_NE(t, "n/a");
}

// A text the record does not carry reads "n/a" (this test program's record has no product version).
TEST(VerInfo, MissingTextReadsNa)
{
    AboutForms f;
    FVerInfo->SetFilename(QCoreApplication::applicationFilePath());
    EXPECT_EQ(FVerInfo->ProductVersion, "n/a");
    EXPECT_EQ(FVerInfo->CompanyName, "n/a");
    EXPECT_EQ(FVerInfo->FileVersion, "0.0.0.1");
    TFAbout about(QCoreApplication::applicationFilePath());
    EXPECT_EQ(about.versionText(), "Версия n/a\r\n(0.0.0.1)");
}

TEST(VerInfo, Failures)
{
    AboutForms f;
    struct Case { QString file, text; };
    const QString plain = f.dir.write("plain.txt", "no version here");
    const Case cases[] = {
        {plain, "Invalid version info record in file " + plain},
        {MORVEX_EXECUTABLE, QStringLiteral("Invalid version info record in file ") + MORVEX_EXECUTABLE},
        {f.dir.file("missing.exe"), "File not found: " + f.dir.file("missing.exe")},
    };
    for (const Case &c : cases) {
        FVerInfo->SetFilename(DOMLAR_EXECUTABLE);
        try {
            FVerInfo->SetFilename(c.file);
            ADD_FAILURE() << "read " << c.file.toStdString();
        } catch (const AppError &e) {
            EXPECT_EQ(e.text(), c.text);
        }
        EXPECT_EQ(FVerInfo->ProductVersion, "");   // cleared before the failure
    }
}

// On a failure while the window is made, the error is reported and the initial version text stays.
TEST(About, VersionTextAndFailure)
{
    AboutForms f;
    TFAbout about(DOMLAR_EXECUTABLE);
    EXPECT_EQ(about.versionText(), "Версия 1\r\n(1.2.2006.4)");
    EXPECT_EQ(about.windowTitle(), "О программе");
    EXPECT_EQ(about.minimumSize(), about.maximumSize());

    f.dialogs.answerMessage(Dialogs::Ok);
    TFAbout failed(f.dir.file("missing.exe"));
    EXPECT_EQ(failed.versionText(), "v.5.1.2006.1");
    ASSERT_EQ(f.dialogs.calls().size(), 1);
    EXPECT_EQ(f.dialogs.calls().at(0).title, "Ошибка");
    EXPECT_EQ(f.dialogs.calls().at(0).text, "File not found: " + f.dir.file("missing.exe"));
}

// "О программе" shows the window modally; each showing scrolls the text from the bottom again.
TEST(About, ScrollsAgainAtEveryShowing)
{
    AboutForms f;
    auto *scroll = FAbout->findChild<QVariantAnimation *>("ScrollAnimation");
    auto *text = FAbout->findChild<QLabel *>("LText");
    ASSERT_TRUE(scroll && text);
    EXPECT_TRUE(text->text().startsWith("Компьютерная программа «Домлар V»\n"));
    EXPECT_GE(text->text().count('\n'), 45);
    for (int showing = 0; showing < 2; ++showing) {
        f.dialogs.answerModal([&](QWidget *w) {
            w->show();
            EXPECT_EQ(scroll->state(), QAbstractAnimation::Running);
            EXPECT_EQ(text->y(), text->parentWidget()->height());
            scroll->setCurrentTime(scroll->duration());   // to the end of the scroll
            EXPECT_EQ(scroll->state(), QAbstractAnimation::Stopped);
            EXPECT_EQ(text->y(), -text->height());
            w->hide();
            return int(Dialogs::Cancel);
        });
        FZastav->findChild<QAction *>("NAbout")->trigger();
    }
    EXPECT_TRUE(f.dialogs.allAnswered());
}

// Closing is the window's only action: Esc does it.
TEST(About, EscapeCloses)
{
    AboutForms f;
    bool closed = false;
    f.answerModal([&](QDialog *d) {
        QTest::keyClick(d, Qt::Key_Escape);
        closed = !d->isVisible();
    });
    FZastav->findChild<QAction *>("NAbout")->trigger();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(f.dialogs.allAnswered());
}
