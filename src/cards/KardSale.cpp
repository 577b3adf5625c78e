#include "cards/KardSale.h"
#include "cards/ExchangeTab.h"
#include "platform/ErrorReport.h"
#include "data/DataModule.h"
#include "directories/SprAdress.h"
#include "widgets/DateEdit.h"
#include "widgets/Lookups.h"
#include "widgets/NumberEdits.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace CardParts;

TFKardSale *FKardSale = nullptr;

namespace {

Dataset *list(const char *source)
{
    DataSource *s = DMDomlar ? DMDomlar->dataSource(QString::fromLatin1(source)) : nullptr;
    return s ? s->dataset() : nullptr;
}

QGroupBox *priceBox(const QString &title, const char *name, DecimalEdit *rub, DecimalEdit *usd, DecimalEdit *eur)
{
    auto *box = named(new QGroupBox(title), name);
    auto *g = new QGridLayout(box);
    addRow(g, QStringLiteral("Руб.:"), rub);
    addRow(g, QStringLiteral("USD:"), usd);
    addRow(g, QStringLiteral("EUR:"), eur);
    return box;
}

} // namespace

TFKardSale::TFKardSale(QWidget *parent) : RequestCard(QStringLiteral("FKardSale"), parent)
{
    setWindowTitle(QStringLiteral("Заявка на продажу (обмен) недвижимости"));
    IDBazaSale = new IntegerEdit;
    DateReg = new DateEdit;
    PriceRealt = named(new DecimalEdit, "PriceRealt");
    PriceUSDRealt = named(new DecimalEdit, "PriceUSDRealt");
    PriceEURRealt = named(new DecimalEdit, "PriceEURRealt");
    makePriceGroup(PriceRealt, PriceUSDRealt, PriceEURRealt);   // the agency's price converts on its own
    buildFrame(IDBazaSale, "IDBazaSale", DateReg, "DateReg",
               QStringLiteral("Оформление документов с продавцом недвижимости"),
               QStringLiteral("Оформление документов с продавцами недвижимости"),
               {{buildObjectTab(), QStringLiteral("Объект")}, {buildContractTab(), QStringLiteral("Договор")},
                {TabObmen = new ExchangeTab(this), QStringLiteral("К обмену")},
                {laterTab("TabDopDoc"), QStringLiteral("Доп. документы")}});
    resize(720, 560);
}

QWidget *TFKardSale::buildObjectTab()
{
    auto *tab = named(new QWidget, "TabObject");
    auto *h = new QHBoxLayout(tab);
    auto *main = new QGroupBox(QStringLiteral("Основные данные"));
    auto *g = new QGridLayout(main);
    NameTown = named(new IdLookup, "NameTown");
    NameRaion = named(new IdLookup, "NameRaion");
    NameStreet = named(new IdLookup, "NameStreet");
    QPushButton *pick = smallButton("BitBtn2", QStringLiteral("..."));
    QPushButton *clear = smallButton("BitBtn1", QStringLiteral("X"));
    connect(pick, &QPushButton::clicked, this, guarded([this] { BitBtn2Click(); }));
    connect(clear, &QPushButton::clicked, this, [this] {
        for (IdLookup *l : {NameTown, NameRaion, NameStreet}) l->setKey(0);
    });
    addRow(g, QStringLiteral("Город:"), lookupRow(NameTown, pick, clear));
    addRow(g, QStringLiteral("Район:"), NameRaion);
    addRow(g, QStringLiteral("Улица:"), NameStreet);
    addRow(g, QStringLiteral("Дом:"), Home = named(new QLineEdit, "Home"));
    addRow(g, QStringLiteral("Корпус:"), Korpus = named(new QLineEdit, "Korpus"));
    addRow(g, QStringLiteral("кв:"), KV = named(new IntegerEdit, "KV"));
    addRow(g, QStringLiteral("Комнат:"), KolRoom = named(new IntegerEdit, "KolRoom"));
    addRow(g, QStringLiteral("S-общая:"), S_Obsh = named(new DecimalEdit, "S_Obsh"));
    addRow(g, QStringLiteral("S-жилая:"), S_jil = named(new DecimalEdit, "S_jil"));
    addRow(g, QStringLiteral("S-кухня:"), S_Kuh = named(new DecimalEdit, "S_Kuh"));
    addRow(g, QStringLiteral("Выс.потолков:"), H_Potolok = named(new DecimalEdit, "H_Potolok"));
    addRow(g, QStringLiteral("Этаж:"), Level = named(new IntegerEdit, "Level"));
    addRow(g, QStringLiteral("Этажность:"), LevelOf = named(new IntegerEdit, "LevelOf"));
    addRow(g, QStringLiteral("Год постройки:"), YearBuild = named(new IntegerEdit, "YearBuild"));
    auto *flags = new QHBoxLayout;
    flags->addWidget(Lift = named(new QCheckBox(QStringLiteral("Лифт")), "Lift"));
    flags->addWidget(Musor = named(new QCheckBox(QStringLiteral("Мусоропровод")), "Musor"));
    flags->addWidget(Osvobojdena = named(new QCheckBox(QStringLiteral("Освобождена")), "Osvobojdena"));
    g->addLayout(flags, g->rowCount(), 0, 1, 2);
    for (IntegerEdit *e : {KolRoom, Level, LevelOf}) e->refuseNegative();
    for (DecimalEdit *e : {S_Obsh, S_jil, S_Kuh}) e->refuseNegative();
    g->setRowStretch(g->rowCount(), 1);
    h->addWidget(main, 1);
    h->addWidget(buildAttributes({"NameType", "NameValueKV", "NameBalkon", "NameDoor", "NameMatHome", "NameMatPol",
                                  "NameOtoplen", "NamePlanHome", "NamePlanRoom", "NameTel", "NameWindow",
                                  "NameWater", "NameBathRoom"}), 1);
    return tab;
}

QWidget *TFKardSale::buildContractTab()
{
    auto *tab = named(new QWidget, "TabDogovor");
    auto *g = new QGridLayout(tab);
    auto *contract = new QHBoxLayout;
    contract->addWidget(new QLabel(QStringLiteral("Договор №")));
    contract->addWidget(DogNo1, 1);
    contract->addWidget(new QLabel(QStringLiteral("с")));
    contract->addWidget(DogBegin1);
    contract->addWidget(new QLabel(QStringLiteral("по")));
    contract->addWidget(DogEnd1);
    g->addLayout(contract, 0, 0, 1, 2);
    auto *people = new QGridLayout;
    addRow(people, QStringLiteral("Клиент:"), personRow(Klient, "Klient", "BitBtn16", "BitBtn17"));
    g->addLayout(people, 1, 0, 1, 2);
    g->addWidget(priceBox(QStringLiteral("Цена клиента"), "GroupPrice", Price, PriceUSD, PriceEUR), 2, 0);
    g->addWidget(priceBox(QStringLiteral("Цена домлара"), "GroupPriceRealt", PriceRealt, PriceUSDRealt, PriceEURRealt), 2, 1);
    auto *agent = new QGridLayout;
    addRow(agent, QStringLiteral("Агент:"), personRow(Sotrud, "Sotrud", "BitBtn18", "BitBtn19"));
    g->addLayout(agent, 3, 0, 1, 2);
    g->setRowStretch(4, 1);
    return tab;
}

CardMapping TFKardSale::fieldMapping()
{
    return CardFields::sale(*this);
}

void TFKardSale::bindSources()
{
    RequestCard::bindSources();
    NameTown->setSource(list("DSSprTown"), "IDTown", "NameTown");
    NameRaion->setSource(list("DSSprRaion"), "IDRaion", "NameRaion");
    NameStreet->setSource(list("DSSprStreet"), "IDStreet", "NameStreet");
    if (DMDomlar) TabObmen->bindSource();
}

void TFKardSale::setDetailsVisible(bool visible)
{
    TabObmen->setListVisible(visible);
}

// The address picker: the town, district and street current in the directory, each from its own list.
void TFKardSale::BitBtn2Click()
{
    if (FSprAdress->Execute() != 6) return;
    NameTown->setKey(currentKey("ADOTSprTown", "IDTown"));
    NameRaion->setKey(currentKey("ADOTSprRaion", "IDRaion"));
    NameStreet->setKey(currentKey("ADOTSprStreet", "IDStreet"));
}

QString TFKardSale::NotAllSelect() const
{
    // Every test runs and a later one wins: town, district, street, client, employee.
    QString result = QStringLiteral("OK");
    if (Sotrud->key() == 0) result = QStringLiteral("Сотрудника");
    if (Klient->key() == 0) result = QStringLiteral("Клиента");
    if (NameStreet->key() == 0) result = QStringLiteral("Улицу");
    if (NameRaion->key() == 0) result = QStringLiteral("Район");
    if (NameTown->key() == 0) result = QStringLiteral("Город");
    return result;
}
