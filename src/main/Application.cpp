#include "main/Application.h"
#include "platform/Dialogs.h"
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

DomlarApplication::DomlarApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    // The windows were laid out for a small sans-serif face; Arial's metrics come with fonts-liberation2.
    setFont(QFont(QStringLiteral("Arial"), 8));
    // Qt's own dialogs (file dialogs, standard buttons) in Russian where the translations are installed.
    auto *qt = new QTranslator(this);
    if (qt->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qt);
}

bool DomlarApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    if (!reportErrors([&] { handled = QApplication::notify(receiver, event); }))
        return true;
    return handled;
}
