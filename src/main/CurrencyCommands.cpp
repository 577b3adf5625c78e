#include "main/CurrencyCommands.h"
#include "app/Zastav.h"
#include "currency/SprUE.h"
#include "currency/TecKursUE.h"

void wireCurrencyCommands()
{
    using Command = TFZastav::Command;
    FZastav->setCommand(Command::Currency, [] { FSprUE->Execute(); });
    FZastav->setCommand(Command::CurrentRates, [] {
        FSprUE->UpdatePeremenKurs();
        FTecKursUE->ShowWindow();
    });
    FZastav->setAfterShow([] { FSprUE->UpdatePeremenKurs(); });
}
