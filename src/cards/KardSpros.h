#pragma once
#include "cards/RequestCard.h"

class DBGrid;
class Table;
class QCheckBox;
class QPushButton;

// The demand card: what a buyer looks for, with the places wanted (location
// variants, stored at once), shown modally by the register or the sale card.
class TFKardSpros : public RequestCard {
    Q_OBJECT
public:
    explicit TFKardSpros(QWidget *parent = nullptr);
    QString NotAllSelect() const override;
    void bindSources() override;
    CardMapping fieldMapping() override;
    QString tableName() const override { return QStringLiteral("BazaSpros"); }

    IntegerEdit *IDBazaSpros;
    DateEdit *DateSpros;
    IntegerEdit *LevelMin, *LevelMax, *KolRoomMin, *KolRoomMax, *YearBuild;
    QCheckBox *NotLevelLast, *Tel, *Balkon, *BathRoom, *Osvobojdena, *NoVarRaspologen;
    DecimalEdit *S_ObshMin, *S_ObshMax, *S_JilMin, *S_KuhMin, *H_PotolokMin;
    DBGrid *DBGridVarMest;
    QPushButton *BitBtn2, *BitBtn1, *BitBtn5;   // "Добавить", "Изменить", "Удалить"

    // The location-variant grid lists the rows of the demand on the card; a new demand hides it.
    void setDetailsVisible(bool visible);

    // The location-variant buttons; they act only on variants of the demand on the card.
    void BitBtn2Click();   // "Добавить"
    void BitBtn1Click();   // "Изменить"
    void BitBtn5Click();   // "Удалить"

private:
    QWidget *buildObjectTab();
    QWidget *buildPlacesTab();
    QWidget *buildContractTab();
    // Steps shared by adding and changing: the next number, or -1 when the user stopped.
    int prepareVariant();
    void storeVariant(bool append, int number);
    // The grid's current variant when it belongs to the demand on the card; nullptr otherwise.
    Table *currentVariant() const;
    // The same, with a message when there is none.
    Table *ownVariant();
    // "Удалить" only with a current variant to delete.
    void updateVariantButtons();
};

extern TFKardSpros *FKardSpros;
