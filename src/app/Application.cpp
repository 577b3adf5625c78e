#include "app/Application.h"
#include "platform/Dialogs.h"
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

DomlarApplication::DomlarApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    // Qt's own dialogs (file dialogs, standard buttons) in Russian where the translations are installed.
    auto *qt = new QTranslator(this);
    if (qt->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qt);
}

void showError(const QString &text)
{
    dialogs().error(text);
}

bool DomlarApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    if (!reportErrors([&] { handled = QApplication::notify(receiver, event); }))
        return true;
    return handled;
}
