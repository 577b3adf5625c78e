#pragma once
#include "directories/PersonDirectory.h"

// "Справочник сотрудников": the agents of requests; the agent picker of the cards.
class TFSprSotrud : public TPersonDirectory {
    Q_OBJECT
public:
    explicit TFSprSotrud(QWidget *parent = nullptr);
    ~TFSprSotrud() override;
};

extern TFSprSotrud *FSprSotrud;
