#pragma once
#include "cards/RequestCard.h"

class ExchangeTab;
class QCheckBox;

// The sale card: one offer entered or changed, shown modally by the register.
class TFKardSale : public RequestCard {
    Q_OBJECT
public:
    explicit TFKardSale(QWidget *parent = nullptr);
    QString NotAllSelect() const override;
    void bindSources() override;
    CardMapping fieldMapping() override;
    QString tableName() const override { return QStringLiteral("BazaSale"); }

    IntegerEdit *IDBazaSale;
    DateEdit *DateReg;
    IdLookup *NameTown, *NameRaion, *NameStreet;
    QLineEdit *Home, *Korpus;
    IntegerEdit *KV, *KolRoom, *Level, *LevelOf, *YearBuild;
    DecimalEdit *S_Obsh, *S_jil, *S_Kuh, *H_Potolok;
    QCheckBox *Lift, *Musor, *Osvobojdena;
    DecimalEdit *PriceRealt, *PriceUSDRealt, *PriceEURRealt;
    ExchangeTab *TabObmen;

    // The exchange list follows the register's current offer; a new offer hides it.
    void setDetailsVisible(bool visible);

private:
    QWidget *buildObjectTab();
    QWidget *buildContractTab();
    void BitBtn2Click();
};

extern TFKardSale *FKardSale;
