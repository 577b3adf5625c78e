#pragma once
#include "platform/ErrorReport.h"
#include <QApplication>

// The program's application object. Its event dispatch is the last guard at
// the event-handler boundary: an error that a handler let through ends that
// action, its text is shown in "Ошибка", and the program goes on.
class DomlarApplication : public QApplication {
public:
    DomlarApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
