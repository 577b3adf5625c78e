#include "main/Program.h"
#include "main/Application.h"
#include "app/About.h"
#include "app/BackupCommands.h"
#include "app/Calendar.h"
#include "app/Start.h"
#include "app/VerInfo.h"
#include "app/Zastav.h"
#include "cards/ExchangeTab.h"
#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "main/CurrencyCommands.h"
#include "currency/SprUE.h"
#include "currency/TecKursUE.h"
#include "currency/UploadUE.h"
#include "main/DirectoryCommands.h"
#include "main/ProgramFolder.h"
#include "directories/SprAdress.h"
#include "directories/SprAll.h"
#include "directories/SprFirm.h"
#include "directories/SprKlient.h"
#include "directories/SprSotrud.h"
#include "data/DataModule.h"
#include "data/Query.h"
#include "platform/QtDialogs.h"
#include "register/Baza.h"
#include "register/ColumnChoice.h"
#include "register/RegisterHalf.h"
#include "documents/Report.h"
#include "register/SelectColShow.h"
#include "search/SearchForSale.h"
#include "search/SearchForSpros.h"
#include "widgets/Calculator.h"
#include "platform/SingleInstance.h"
#include <QFileInfo>
#include <optional>

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
    QObject::connect(FBaza->saleHalf(), &RegisterHalf::documentRequested, FBaza,
                     guarded([] { FReport->ShowSaleList(DMDomlar->table(QStringLiteral("ADOTBazaSale"))); }));
    QObject::connect(FBaza->sprosHalf(), &RegisterHalf::documentRequested, FBaza,
                     guarded([] { FReport->ShowSprosList(DMDomlar->table(QStringLiteral("ADOTBazaSpros"))); }));
}

// The register's "Поиск" buttons open the search windows, whose "Документ" buttons print the search reports;
// the sale card's exchange list works through the register's operations and keeps its layout with the register's.
void wireSearch()
{
    QObject::connect(FBaza->saleHalf(), &RegisterHalf::searchRequested, FBaza, guarded([] { FSearchForSale->Execute(); }));
    QObject::connect(FBaza->sprosHalf(), &RegisterHalf::searchRequested, FBaza,
                     guarded([] { FSearchForSpros->Execute(); }));
    FBaza->setExchangeGrid(FKardSale->TabObmen->grid());
    FKardSale->TabObmen->editVariant = [](int number) { FBaza->OpenKardSprosForEditForObmen(number); };
    FKardSale->TabObmen->chooseColumns = chooseVisibleColumns;
    FReport->setSearchForSaleData({&FSearchForSale->start(), &FSearchForSale->result()});
    FReport->setSearchForSprosData({&FSearchForSpros->start(), &FSearchForSpros->result()});
    QObject::connect(FSearchForSale, &SearchWindow::documentRequested, FSearchForSale,
                     guarded([] { FReport->OnRSearchForSale(1); }));
    QObject::connect(FSearchForSpros, &SearchWindow::documentRequested, FSearchForSpros,
                     guarded([] { FReport->OnRSearchForSpros(1); }));
}

// Where the database is when it is not where it should be: the user's answer.
std::optional<QString> askForDatabase(const QString &dataFolder)
{
    if (!dialogs().confirm(QStringLiteral("База данных не найдена.\n\r\n\rХотите найти ее самостоятельно?")))
        return std::nullopt;
    return dialogs().openFile(QStringLiteral("Выбор базы данных"), dataFolder,
                              QStringLiteral("Файлы данных (mde)|*.mde"));
}

// The folder this run works in, filled from the package's copy when there is one;
// nothing when that failed (the user has been told why).
std::optional<QString> prepareProgramFolder()
{
    const QString folder = ProgramFolder::choose(ProgramFolder::current());
    const QString delivered = ProgramFolder::deliveredData(QCoreApplication::applicationDirPath());
    if (QFileInfo(delivered).isDir() && !reportErrors([&] { ProgramFolder::seed(delivered, folder); }))
        return std::nullopt;
    return folder;
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
    new TFUploadUE;
    FStart->show();
    qApp->processEvents();

    FKardSale = new TFKardSale(FZastav);
    new TDMDomlar(programFolder, [](const QString &text) { FZastav->setStatusText(text); }, qApp);
    DMDomlar->setDatabaseQuestion(askForDatabase);
    DMDomlar->askTryAgain = [](const QString &question) { return dialogs().confirm(question); };
    DMDomlar->announceReadOnly = [](const QString &notice) { dialogs().warning(notice); };
    reportErrors([] { DMDomlar->DataModuleCreate(); });
    FCalendar = new TFCalendar(FZastav);
    new TFSprAll(FZastav);
    FBaza = new TFBaza(FZastav);
    FReport = new TFReport(qApp);
    FReport->setOpener(FBaza);
    new TFSprKlient;
    new TFSprSotrud;
    FKardSpros = new TFKardSpros(FZastav);
    FSelectColShow = new TFSelectColShow(FZastav);
    new TFSprFirm;
    new TFVerInfo;
    new TFAbout(QCoreApplication::applicationFilePath(), FZastav);
    new TFSprAdress;
    new TFSearchForSale(FZastav);
    new TFSearchForSpros(FZastav);
    for (RequestCard *card : {static_cast<RequestCard *>(FKardSale), static_cast<RequestCard *>(FKardSpros)})
        card->bindSources();
    QObject::connect(FSprFirm, &TFSprFirm::firmSaved, FZastav, guarded([] { FZastav->UpdateTitle(); }));
    wireCommands();
    wireSearch();
    wireBackupCommands();
    wireDirectoryCommands();
    wireCurrencyCommands();

    FStart->close();
}

void destroyForms()
{
    delete FReport;
    FReport = nullptr;
    delete FSprAdress;
    delete FSprFirm;
    delete FVerInfo;
    delete FSprSotrud;
    delete FSprKlient;
    delete FSprAll;
    delete FUploadUE;
    delete FTecKursUE;
    delete FSprUE;
    // The windows are the main window's children and go with it.
    FKardSale = nullptr;
    FKardSpros = nullptr;
    FCalendar = nullptr;
    FBaza = nullptr;
    FSelectColShow = nullptr;
    FSearchForSale = nullptr;
    FSearchForSpros = nullptr;
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
    app.setDesktopFileName(QStringLiteral("domlar"));   // the menu entry and its icon belong to this window

    QtDialogs dialogs;
    Dialogs::setInstance(&dialogs);
    const std::optional<QString> folder =
        options.programFolder.isEmpty() ? prepareProgramFolder() : options.programFolder;
    if (!folder) {
        Dialogs::setInstance(nullptr);
        return 1;
    }
    createForms(*folder);
    FZastav->FormShow();
    const int code = app.exec();
    destroyForms();
    Dialogs::setInstance(nullptr);
    return code;
}
