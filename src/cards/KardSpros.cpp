#include "cards/KardSpros.h"
#include "platform/ErrorReport.h"
#include "data/DataModule.h"
#include "data/Keys.h"
#include "widgets/RowStore.h"
#include "directories/SprAdress.h"
#include "platform/Dialogs.h"
#include "widgets/DBGrid.h"
#include "widgets/DateEdit.h"
#include "widgets/Lookups.h"
#include "widgets/NumberEdits.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace CardParts;

TFKardSpros *FKardSpros = nullptr;

namespace {

const QString VariantTitle = QStringLiteral("Ввод нового варианта расположения для спроса");

// Two bounds named by the row's label: "Этаж от" and "Этаж до".
QWidget *range(const QString &label, QWidget *from, QWidget *to, QWidget *extra = nullptr)
{
    from->setAccessibleName(label + QStringLiteral(" от"));
    to->setAccessibleName(label + QStringLiteral(" до"));
    for (QWidget *bound : {from, to}) bound->setFixedWidth(110);   // every range lines up, whatever follows it
    auto *w = new QWidget;
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(from);
    h->addWidget(new QLabel(QStringLiteral("до:")));
    h->addWidget(to);
    if (extra) h->addWidget(extra);
    h->addStretch();
    return w;
}

GridColumn place(const char *field, const char *title)
{
    GridColumn c;
    c.field = QString::fromLatin1(field);
    c.title = QString::fromUtf8(title);
    c.sortable = false;
    return c;
}

} // namespace

TFKardSpros::TFKardSpros(QWidget *parent) : RequestCard(QStringLiteral("FKardSpros"), parent)
{
    setWindowTitle(QStringLiteral("Заявка на приобретение недвижимости"));
    IDBazaSpros = new IntegerEdit;
    DateSpros = new DateEdit;
    buildFrame(IDBazaSpros, "IDBazaSpros", DateSpros, "DateSpros",
               QStringLiteral("Оформление документов с покупателем недвижимости"), QStringLiteral("Характеристики объектов"),
               {{buildObjectTab(), QStringLiteral("Объект")}, {buildPlacesTab(), QStringLiteral("Расположение")},
                {buildContractTab(), QStringLiteral("Договор")},
                {laterTab("TabDopDoc"), QStringLiteral("Доп. документы")}});
    resize(720, 540);
}

QWidget *TFKardSpros::buildObjectTab()
{
    auto *tab = named(new QWidget, "TabObject");
    auto *h = new QHBoxLayout(tab);
    auto *main = new QGroupBox(QStringLiteral("Основные данные"));
    auto *g = new QGridLayout(main);
    LevelMin = named(new IntegerEdit, "LevelMin");
    LevelMax = named(new IntegerEdit, "LevelMax");
    NotLevelLast = named(new QCheckBox(QStringLiteral("Не последний")), "NotLevelLast");
    addRow(g, QStringLiteral("Этаж от:"), range(QStringLiteral("Этаж"), LevelMin, LevelMax, NotLevelLast));
    KolRoomMin = named(new IntegerEdit, "KolRoomMin");
    KolRoomMax = named(new IntegerEdit, "KolRoomMax");
    addRow(g, QStringLiteral("Комнат от:"), range(QStringLiteral("Комнат"), KolRoomMin, KolRoomMax));
    S_ObshMin = named(new DecimalEdit, "S_ObshMin");
    S_ObshMax = named(new DecimalEdit, "S_ObshMax");
    addRow(g, QStringLiteral("S-общая от:"), range(QStringLiteral("S-общая"), S_ObshMin, S_ObshMax));
    addRow(g, QStringLiteral("S-жилая от:"), S_JilMin = named(new DecimalEdit, "S_JilMin"));
    addRow(g, QStringLiteral("S-кухня от:"), S_KuhMin = named(new DecimalEdit, "S_KuhMin"));
    addRow(g, QStringLiteral("Выс.потол. от:"), H_PotolokMin = named(new DecimalEdit, "H_PotolokMin"));
    addRow(g, QStringLiteral("Год постройки не ранее:"), YearBuild = named(new IntegerEdit, "YearBuild"));
    for (auto [box, name, text] : {std::tuple{&Tel, "Tel", "Наличие телефона"}, std::tuple{&Balkon, "Balkon", "Наличие балкона"},
                                   std::tuple{&BathRoom, "BathRoom", "Наличие сан.узла"},
                                   std::tuple{&Osvobojdena, "Osvobojdena", "Освобождена"}}) {
        *box = named(new QCheckBox(QString::fromUtf8(text)), name);
        g->addWidget(*box, g->rowCount(), 0, 1, 2);
    }
    g->setRowStretch(g->rowCount(), 1);
    for (IntegerEdit *e : {LevelMin, LevelMax, KolRoomMin, KolRoomMax}) e->refuseNegative();
    for (DecimalEdit *e : {S_ObshMin, S_ObshMax, S_JilMin, S_KuhMin}) e->refuseNegative();
    h->addWidget(main, 1);
    h->addWidget(buildAttributes({"NameType", "NameValueKV", "NameDoor", "NameMatHome", "NameOtoplen",
                                  "NamePlanHome", "NamePlanRoom", "NameWindow", "NameWater"}), 1);
    return tab;
}

QWidget *TFKardSpros::buildPlacesTab()
{
    auto *tab = named(new QWidget, "TabRaspologen");
    auto *v = new QVBoxLayout(tab);
    auto *bar = new QHBoxLayout;
    auto button = [&](const char *name, const char *text, void (TFKardSpros::*handler)()) {
        auto *b = named(new QPushButton(QString::fromUtf8(text)), name);
        connect(b, &QPushButton::clicked, this, guarded([this, handler] { (this->*handler)(); }));
        bar->addWidget(b);
        return b;
    };
    // "Добавить" and "Изменить" stay on: on a new demand they tell the user to store it
    // first, and "Изменить" with an empty list adds the first variant.
    BitBtn2 = button("BitBtn2", "Добавить", &TFKardSpros::BitBtn2Click);
    BitBtn1 = button("BitBtn1", "Изменить", &TFKardSpros::BitBtn1Click);
    BitBtn5 = button("BitBtn5", "Удалить", &TFKardSpros::BitBtn5Click);
    bar->addWidget(NoVarRaspologen = named(new QCheckBox(QStringLiteral("Кроме указанных")), "NoVarRaspologen"));
    bar->addStretch();
    v->addLayout(bar);
    DBGridVarMest = named(new DBGrid, "DBGridVarMest");
    DBGridVarMest->setKeyboardDelete(false);
    DBGridVarMest->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    v->addWidget(DBGridVarMest, 1);
    v->addStretch();   // keeps the toolbar at the top while the grid is hidden
    return tab;
}

QWidget *TFKardSpros::buildContractTab()
{
    auto *tab = named(new QWidget, "TabDogovor");
    auto *g = new QGridLayout(tab);
    addRow(g, QStringLiteral("Клиент:"), personRow(Klient, "Klient", "BitBtn16", "BitBtn17"));
    // The prices as wide as on the sale card, not the whole tab.
    for (DecimalEdit *price : {Price, PriceUSD, PriceEUR}) price->setFixedWidth(194);
    addRow(g, QStringLiteral("Цена:"), Price);
    addRow(g, QStringLiteral("ЦенаUSD:"), PriceUSD);
    addRow(g, QStringLiteral("ЦенаEUR:"), PriceEUR);
    auto *contract = new QHBoxLayout;
    contract->addWidget(DogNo1, 1);
    contract->addWidget(new QLabel(QStringLiteral("с")));
    contract->addWidget(DogBegin1);
    contract->addWidget(new QLabel(QStringLiteral("по")));
    contract->addWidget(DogEnd1);
    auto *contractRow = new QWidget;
    contractRow->setLayout(contract);
    contract->setContentsMargins(0, 0, 0, 0);
    addRow(g, QStringLiteral("Договор №"), contractRow);
    addRow(g, QStringLiteral("Агент:"), personRow(Sotrud, "Sotrud", "BitBtn18", "BitBtn19"));
    g->setRowStretch(g->rowCount(), 1);
    return tab;
}

CardMapping TFKardSpros::fieldMapping()
{
    return CardFields::demand(*this);
}

void TFKardSpros::bindSources()
{
    RequestCard::bindSources();
    if (!DMDomlar) return;
    DBGridVarMest->setDataset(&DMDomlar->table(QStringLiteral("ADOTBazaSprosVarMest")));
    DBGridVarMest->setColumns({place("NewNameTown", "Город"), place("NewNameRaion", "Район"), place("NewNameStreet", "Улица")});
    Table &variants = DMDomlar->table(QStringLiteral("ADOTBazaSprosVarMest"));
    for (auto signal : {&Dataset::currentChanged, &Dataset::rowInserted, &Dataset::rowRemoved})
        connect(&variants, signal, this, [this] { updateVariantButtons(); });
    connect(&variants, &Dataset::resetDone, this, [this] { updateVariantButtons(); });
    connect(IDBazaSpros, &QLineEdit::textChanged, this, [this] { updateVariantButtons(); });
    updateVariantButtons();
}

QString TFKardSpros::NotAllSelect() const
{
    QString result = QStringLiteral("OK");
    if (Sotrud->key() == 0) result = QStringLiteral("Сотрудника");
    if (Klient->key() == 0) result = QStringLiteral("Клиента");
    return result;
}

void TFKardSpros::setDetailsVisible(bool visible)
{
    DBGridVarMest->setVisible(visible);
    updateVariantButtons();
}

void TFKardSpros::updateVariantButtons()
{
    BitBtn5->setEnabled(DMDomlar && currentVariant());
}

int TFKardSpros::prepareVariant()
{
    // Variants belong to a stored demand.
    if (!storedOrAskToStore()) return -1;
    if (FSprAdress->Execute(VariantTitle) != 6) return -1;
    return Keys::nextKey(DMDomlar->ADOConnection, QStringLiteral("BazaSprosVarMest"), QStringLiteral("IDBazaSprosVarMest"));
}

Table *TFKardSpros::currentVariant() const
{
    Table &variants = DMDomlar->table(QStringLiteral("ADOTBazaSprosVarMest"));
    const bool own = !variants.isEmpty() && !DBGridVarMest->isHidden()
        && Keys::currentKey(variants, QStringLiteral("IDBazaSpros")) == IDBazaSpros->value();
    return own ? &variants : nullptr;
}

Table *TFKardSpros::ownVariant()
{
    if (Table *variant = currentVariant()) return variant;
    Table &variants = DMDomlar->table(QStringLiteral("ADOTBazaSprosVarMest"));
    dialogs().information(variants.isEmpty() || DBGridVarMest->isHidden()
                              ? QStringLiteral("Нет вариантов расположения для этой заявки.")
                              : QStringLiteral("Выбранный вариант относится к другой заявке; он не изменен."));
    return nullptr;
}

void TFKardSpros::storeVariant(bool append, int number)
{
    Table &variants = DMDomlar->table(QStringLiteral("ADOTBazaSprosVarMest"));
    auto fill = [&] {
        if (append) variants.fieldByName(QStringLiteral("IDBazaSpros")).setInteger(IDBazaSpros->value());
        variants.fieldByName(QStringLiteral("IDBazaSprosVarMest")).setInteger(number);
        variants.fieldByName(QStringLiteral("IDTown")).setInteger(currentKey("ADOTSprTown", "IDTown"));
        variants.fieldByName(QStringLiteral("IDRaion")).setInteger(currentKey("ADOTSprRaion", "IDRaion"));
        variants.fieldByName(QStringLiteral("IDStreet")).setInteger(currentKey("ADOTSprStreet", "IDStreet"));
    };
    if (append) appendRow(variants, fill);
    else editRow(variants, fill);
}

void TFKardSpros::BitBtn2Click()
{
    const int number = prepareVariant();
    if (number > 0) storeVariant(true, number);
}

void TFKardSpros::BitBtn1Click()
{
    // A demand not stored yet is told to store it first (its list may show another
    // demand's variants); an empty list gets its first variant; otherwise only this
    // demand's variant may change.
    const bool append = !requestStored() || DMDomlar->table(QStringLiteral("ADOTBazaSprosVarMest")).isEmpty();
    if (!append && !ownVariant()) return;
    const int number = prepareVariant();
    if (number > 0) storeVariant(append, number);
}

void TFKardSpros::BitBtn5Click()
{
    Table *variants = ownVariant();
    if (variants && dialogs().confirm(QStringLiteral("Удалить вариант?"))) variants->deleteRecord();
}
