#pragma once
#include "platform/Dialogs.h"

// Real Qt dialogs with Russian buttons ("Да", "Нет", "Отменить").
class QtDialogs : public Dialogs {
public:
    int message(Kind kind, const QString &text, Buttons buttons) override;
    bool inputBox(const QString &title, const QString &prompt, QString &value) override;
    QString openFile(const QString &title, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &title, const QString &folder, const QString &filter) override;
    int showModal(QWidget *window) override;

    // "Файлы данных (mde)|*.mde" -> "Файлы данных (mde) (*.mde)"
    static QString qtFilter(const QString &filter);
};
