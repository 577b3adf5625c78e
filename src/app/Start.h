#pragma once
#include <QWidget>

// The splash window shown while the program makes its windows and opens the database.
class TFStart : public QWidget {
    Q_OBJECT
public:
    explicit TFStart(QWidget *parent = nullptr);
};

extern TFStart *FStart;
