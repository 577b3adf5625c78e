#pragma once
#include <QString>

// A dataset's filter as users and windows write it: Field='value', where ''
// inside the quotes stands for one apostrophe.
struct FilterCondition {
    QString field;
    QString value;

    // Throws AppError ("Неверное условие отбора: …") for anything else.
    static FilterCondition parse(const QString &text);
};
