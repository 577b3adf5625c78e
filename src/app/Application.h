#pragma once
#include <QApplication>

// The program's application object. Its event dispatch is the one guard at the
// event-handler boundary: an error thrown by a handler ends that action, its
// text is shown in a message box titled "Ошибка", and the program goes on.
class DomlarApplication : public QApplication {
public:
    DomlarApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// The program's generic error report: runs an action and shows what it threw.
// Returns false when the action failed.
template <typename Action>
bool reportErrors(Action &&action);

void showError(const QString &text);

// Wraps a slot so that what it throws is reported where it is thrown, before
// it could unwind through Qt's signal machinery.
template <typename Action>
auto guarded(Action action)
{
    return [action = std::move(action)](auto &&...) { reportErrors(action); };
}

#include "platform/AppError.h"
#include <exception>

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
