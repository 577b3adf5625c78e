#pragma once
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include <exception>

// The program's generic error report: a failing action ends where it failed,
// its text is shown in the box titled "Ошибка", and the program goes on.

inline void showError(const QString &text)
{
    dialogs().error(text);
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
    }
    return false;
}

// Wraps a slot so that what it throws is reported where it is thrown, before
// it could unwind through Qt's signal machinery. The slot's arguments are dropped.
template <typename Action>
auto guarded(Action action)
{
    return [action = std::move(action)](auto &&...) { reportErrors(action); };
}
