#include "platform/Dialogs.h"
#include "platform/QtDialogs.h"

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
    static QtDialogs fallback;
    return g_installed ? *g_installed : fallback;
}

void Dialogs::setInstance(Dialogs *dialogs) { g_installed = dialogs; }

Dialogs *Dialogs::installed() { return g_installed; }
