#include "platform/Dialogs.h"
#include "platform/AppError.h"

namespace {
Dialogs *g_installed = nullptr;
}

QString Dialogs::title(Kind kind)
{
    switch (kind) {
    case Kind::Information: return QStringLiteral("Информация");
    case Kind::Confirmation: return QStringLiteral("Подтвердить");
    case Kind::Warning: return QStringLiteral("Предупреждение");
    case Kind::Error: return QStringLiteral("Ошибка");
    }
    return {};
}

Dialogs &Dialogs::instance()
{
    // A program or test that shows a dialog must have installed its dialogs first.
    if (!g_installed) throw AppError(QStringLiteral("Окна сообщений программы не подготовлены."));
    return *g_installed;
}

void Dialogs::setInstance(Dialogs *dialogs) { g_installed = dialogs; }

Dialogs *Dialogs::installed() { return g_installed; }
