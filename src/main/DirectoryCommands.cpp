#include "main/DirectoryCommands.h"
#include "app/Zastav.h"
#include "directories/SprAdress.h"
#include "directories/SprAll.h"
#include "directories/SprFirm.h"
#include "directories/SprKlient.h"
#include "directories/SprSotrud.h"

void wireDirectoryCommands()
{
    using Command = TFZastav::Command;
    FZastav->setCommand(Command::Firm, [] { FSprFirm->Execute(); });
    FZastav->setCommand(Command::Clients, [] { FSprKlient->Execute(); });
    FZastav->setCommand(Command::Employees, [] { FSprSotrud->Execute(); });
    FZastav->setCommand(Command::Addresses, [] { FSprAdress->Execute(); });
    FZastav->setAttributeListHandler([](const QString &table, const QString &caption, const QString &column) {
        FSprAll->OpenForm(table, caption, column);
    });
}
