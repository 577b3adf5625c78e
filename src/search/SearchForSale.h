#pragma once
#include "search/SearchWindow.h"

// "Поиск подходящего спроса": from the register's current offer to the demands it meets.
class TFSearchForSale : public SearchWindow {
    Q_OBJECT
public:
    explicit TFSearchForSale(QWidget *parent = nullptr);

protected:
    void clearCard() override;
    void openCard(int number) override;
};

extern TFSearchForSale *FSearchForSale;
