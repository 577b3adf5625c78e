#pragma once
#include "directories/PersonDirectory.h"

// "Справочник клиентов": the clients of requests; the client picker of the cards.
class TFSprKlient : public TPersonDirectory {
    Q_OBJECT
public:
    explicit TFSprKlient(QWidget *parent = nullptr);
    ~TFSprKlient() override;
};

extern TFSprKlient *FSprKlient;
