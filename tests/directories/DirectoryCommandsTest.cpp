#include "app/Zastav.h"
#include "main/DirectoryCommands.h"
#include "support/ProgramForms.h"
#include "directories/SprAdress.h"
#include "directories/SprAll.h"
#include "directories/SprFirm.h"
#include "directories/SprKlient.h"
#include "directories/SprSotrud.h"
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>

// Each main-window command opens its window modally under its own title.
TEST(DirectoryCommands, MainWindowOpensTheDirectories)
{
    ProgramForms f;
    f.make(FSprAdress);
    f.make(FSprAll);
    f.make(FSprKlient);
    f.make(FSprSotrud);
    f.make(FSprFirm);
    wireDirectoryCommands();
    for (int i = 0; i < 5; ++i) f.answerModal([](QDialog *d) { d->reject(); });
    f.dialogs.clearCalls();
    for (const char *button : {"BitBtnFirm", "BitBtnKlient", "BitBtnSotrud", "BitBtnAdress"})
        FZastav->findChild<QPushButton *>(button)->click();
    FZastav->findChild<QMenu *>("PopupMenuHarakter")->actions().at(3)->trigger();
    QStringList opened;
    for (const auto &call : f.dialogs.calls()) opened << call.title + ": " + call.text;
    EXPECT_EQ(opened, QStringList({"FSprFirm: Данные организации (пользователя)", "FSprKlient: Справочник клиентов",
                                   "FSprSotrud: Справочник сотрудников",
                                   "FSprAdress: Справочник городов, районов, улиц", "FSprAll: Справочник (Окна)"}));
    EXPECT_EQ(FSprAll->list(), &DMDomlar->table("ADOTSprWindow"));
}
