#pragma once
#include "search/SearchWindow.h"

// "Поиск подходящего предложения": from the register's current demand to the offers that meet it.
class TFSearchForSpros : public SearchWindow {
    Q_OBJECT
public:
    explicit TFSearchForSpros(QWidget *parent = nullptr);

protected:
    void clearCard() override;
    void openCard(int number) override;
};

extern TFSearchForSpros *FSearchForSpros;
