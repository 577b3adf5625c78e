#pragma once
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include <QtGlobal>
#include <exception>
#include <type_traits>
#include <utility>

// The program's generic error report: a failing action ends where it failed,
// its text is shown in the box titled "Ошибка", and the program goes on.
//
// The rule: every slot that can reach the data layer is connected through
// `guarded`, every event override that can reach it runs its work inside
// `reportErrors`, so no exception ever unwinds through Qt's code.

inline void showError(const QString &text)
{
    // Without installed dialogs (a command-line tool) there is no box to show.
    if (Dialogs *d = Dialogs::installed()) d->error(text);
    else qCritical("%s", qUtf8Printable(text));
}

// Runs an action and shows what it threw; false when it failed.
template <typename Action>
bool reportErrors(Action &&action)
{
    try {
        action();
        return true;
    } catch (const AppError &e) {
        showError(e.text());
    } catch (const std::exception &e) {
        showError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showError(QStringLiteral("Непредвиденная ошибка программы."));
    }
    return false;
}

// Wraps a slot so that what it throws is reported where it is thrown, before
// it could unwind through Qt's signal machinery. The signal's arguments reach
// the action when it takes them (a double-clicked index, a chosen entry).
template <typename Action>
auto guarded(Action action)
{
    return [action = std::move(action)](auto &&...args) {
        reportErrors([&] {
            if constexpr (std::is_invocable_v<const Action &, decltype(args)...>)
                action(std::forward<decltype(args)>(args)...);
            else
                action();
        });
    };
}
