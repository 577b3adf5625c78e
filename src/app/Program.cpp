#include "app/Program.h"
#include "app/About.h"
#include "app/Application.h"
#include "app/BackupCommands.h"
#include "app/Calendar.h"
#include "app/Start.h"
#include "app/VerInfo.h"
#include "app/Zastav.h"
#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "currency/CurrencyCommands.h"
#include "currency/SprUE.h"
#include "currency/TecKursUE.h"
#include "directories/DirectoryCommands.h"
#include "directories/SprAdress.h"
#include "directories/SprAll.h"
#include "directories/SprFirm.h"
#include "directories/SprKlient.h"
#include "directories/SprSotrud.h"
#include "data/DataModule.h"
#include "platform/QtDialogs.h"
#include "register/Baza.h"
#include "register/SelectColShow.h"
#include "widgets/Calculator.h"
#include "platform/SingleInstance.h"

namespace {

const char *const ApplicationTitle = "ЛАРМИС- Домлар";

// The main window's commands, each carried out by the window that serves it.
void wireCommands()
{
    FZastav->setCommand(TFZastav::Command::Calculator, [] {
        CalculatorDialog calculator(FZastav);
        dialogs().showModal(&calculator);
    });
    FZastav->setCommand(TFZastav::Command::Calendar, [] { FCalendar->ShowToday(); });
    FZastav->setCommand(TFZastav::Command::Register, [] { FBaza->showRegister(); });
    FZastav->setCommand(TFZastav::Command::About, [] { dialogs().showModal(FAbout); });
}

} // namespace

// The windows, in the order the program makes them; each lives until the end.
// The main window exists before the data module, which writes to its status bar;
// every window exists before the main window is shown.
void createForms(const QString &programFolder)
{
    FZastav = new TFZastav;
    FStart = new TFStart;
    new TFSprUE;
    new TFTecKursUE;
    FStart->show();
    qApp->processEvents();

    FKardSale = new TFKardSale(FZastav);
    new TDMDomlar(programFolder, [](const QString &text) { FZastav->setStatusText(text); }, qApp);
    reportErrors([] { DMDomlar->DataModuleCreate(); });
    FCalendar = new TFCalendar(FZastav);
    new TFSprAll;
    FBaza = new TFBaza(FZastav);
    new TFSprKlient;
    new TFSprSotrud;
    FKardSpros = new TFKardSpros(FZastav);
    FSelectColShow = new TFSelectColShow(FZastav);
    new TFSprFirm;
    new TFVerInfo;
    new TFAbout(QCoreApplication::applicationFilePath(), FZastav);
    new TFSprAdress;
    for (RequestCard *card : {static_cast<RequestCard *>(FKardSale), static_cast<RequestCard *>(FKardSpros)})
        card->bindSources();
    wireCommands();
    wireBackupCommands();
    wireDirectoryCommands();
    wireCurrencyCommands();

    FStart->close();
}

void destroyForms()
{
    delete FSprAdress;
    delete FSprFirm;
    delete FVerInfo;
    delete FSprSotrud;
    delete FSprKlient;
    delete FSprAll;
    delete FTecKursUE;
    delete FSprUE;
    // The windows are the main window's children and go with it.
    FKardSale = nullptr;
    FKardSpros = nullptr;
    FCalendar = nullptr;
    FBaza = nullptr;
    FSelectColShow = nullptr;
    delete FStart;
    FStart = nullptr;
    delete FZastav;
    FZastav = nullptr;
    delete DMDomlar;
}

int runProgram(int &argc, char **argv, const ProgramOptions &options)
{
    // A second copy ends before it opens a window or touches a file.
    SingleInstance guard(QStringLiteral("Domlar"), options.lockFolder);
    if (!guard.acquire(10))
        return 0;

    DomlarApplication app(argc, argv);
    app.setApplicationName(QString::fromUtf8(ApplicationTitle));
    app.setQuitOnLastWindowClosed(false);   // the program ends when the main window closes

    QtDialogs dialogs;
    Dialogs::setInstance(&dialogs);
    createForms(options.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : options.programFolder);
    FZastav->FormShow();
    const int code = app.exec();
    destroyForms();
    Dialogs::setInstance(nullptr);
    return code;
}
