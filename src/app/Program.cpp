#include "app/Program.h"
#include "app/Application.h"
#include "app/Calendar.h"
#include "app/Start.h"
#include "app/Zastav.h"
#include "data/DataModule.h"
#include "platform/QtDialogs.h"
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
}

} // namespace

void createForms(const QString &programFolder)
{
    FZastav = new TFZastav;
    FStart = new TFStart;
    FStart->show();
    qApp->processEvents();

    // The main window exists before the data module, which writes to its status bar.
    new TDMDomlar(programFolder, [](const QString &text) { FZastav->setStatusText(text); }, qApp);
    reportErrors([] { DMDomlar->DataModuleCreate(); });
    FCalendar = new TFCalendar;
    wireCommands();

    FStart->close();
}

void destroyForms()
{
    delete FCalendar;
    FCalendar = nullptr;
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
