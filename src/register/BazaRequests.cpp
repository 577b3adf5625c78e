// The register's work with one request: clearing and filling the cards,
// numbering new requests, storing a saved card, deleting.
#include "register/Baza.h"
#include "cards/CardFields.h"
#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "data/DataModule.h"
#include "data/Query.h"
#include "directories/RowStore.h"
#include "platform/Dialogs.h"
#include "widgets/DateEdit.h"
#include "widgets/NumberEdits.h"

namespace {

// The Max+1 rule: one more than the greatest key, 1 for an empty table.
int nextNumber(const QString &table, const QString &key)
{
    Query q(DMDomlar->ADOConnection, QStringLiteral("SELECT Max(%1) as Max%1 FROM %2").arg(key, table));
    q.open();
    return q.fieldByName("Max" + key).asInteger() + 1;
}

bool hasCurrent(Dataset &ds, const QString &what)
{
    if (ds.recNo() >= 0) return true;
    dialogs().information(QStringLiteral("Нет выбранной заявки: %1.").arg(what));
    return false;
}

Table &sales() { return DMDomlar->table(QStringLiteral("ADOTBazaSale")); }
Table &demands() { return DMDomlar->table(QStringLiteral("ADOTBazaSpros")); }

} // namespace

void TFBaza::ClearKardSale()
{
    CardFields::clear(*FKardSale);
    FKardSale->DateReg->setDate(QDate::currentDate());
}

void TFBaza::ClearKardSpros()
{
    CardFields::clear(*FKardSpros);
    FKardSpros->DateSpros->setDate(QDate::currentDate());
}

void TFBaza::BitBtn2Click()
{
    ClearKardSale();
    FKardSale->setWindowTitle(QStringLiteral("Ввод новой заявки на продажу (обмен) недвижимости"));
    const int number = nextNumber(QStringLiteral("BazaSale"), QStringLiteral("IDBazaSale"));
    FKardSale->IDBazaSale->setValue(number);
    if (dialogs().showModal(FKardSale) != Dialogs::Yes) return;
    Table &t = sales();
    appendRow(t, [&] {
        t.fieldByName(QStringLiteral("IDBazaSale")).setInteger(number);
        CardFields::store(CardFields::sale(*FKardSale), t);
    });
}

void TFBaza::BitBtn7Click()
{
    Table &t = sales();
    if (!hasCurrent(t, QStringLiteral("выберите предложение в списке"))) return;
    ClearKardSale();
    OpenKardSaleForEdit(t.fieldByName(QStringLiteral("IDBazaSale")).asInteger());
}

void TFBaza::OpenKardSaleForEdit(int number)
{
    FKardSale->setWindowTitle(QStringLiteral("Заявка на продажу (обмен) недвижимости"));
    FKardSale->IDBazaSale->setValue(number);
    Table &t = sales();
    const CardMapping mapping = CardFields::sale(*FKardSale);
    CardFields::load(mapping, t);
    if (dialogs().showModal(FKardSale) != Dialogs::Yes) return;
    editRow(t, [&] { CardFields::store(mapping, t); });
}

void TFBaza::BitBtn6Click()
{
    Table &t = sales();
    if (!hasCurrent(t, QStringLiteral("удалять нечего"))) return;
    if (dialogs().confirm(QStringLiteral("Удалить предложение?"))) t.deleteRecord();
}

void TFBaza::BitBtn3Click()
{
    ClearKardSpros();
    FKardSpros->setWindowTitle(QStringLiteral("Ввод новой заявки на приобретение недвижимости"));
    FKardSpros->IDBazaSpros->setValue(nextNumber(QStringLiteral("BazaSpros"), QStringLiteral("IDBazaSpros")));
    if (dialogs().showModal(FKardSpros) != Dialogs::Yes) return;
    Table &t = demands();
    appendRow(t, [&] { CardFields::store(CardFields::demand(*FKardSpros), t); });
}

void TFBaza::BitBtn4Click()
{
    Table &t = demands();
    if (!hasCurrent(t, QStringLiteral("выберите спрос в списке"))) return;
    ClearKardSpros();
    OpenKardSprosForEdit(t.fieldByName(QStringLiteral("IDBazaSpros")).asInteger());
}

void TFBaza::editDemand(Table &t, int number, const QString &title)
{
    FKardSpros->setWindowTitle(title);
    FKardSpros->IDBazaSpros->setValue(number);
    const CardMapping mapping = CardFields::demand(*FKardSpros);
    CardFields::load(mapping, t);
    FKardSpros->IDBazaSpros->setValue(number);
    if (dialogs().showModal(FKardSpros) != Dialogs::Yes) return;
    editRow(t, [&] { CardFields::store(mapping, t); });
}

void TFBaza::OpenKardSprosForEdit(int number)
{
    editDemand(demands(), number, QStringLiteral("Заявка на приобретение недвижимости"));
}

void TFBaza::OpenKardSprosForEditForObmen(int number)
{
    editDemand(DMDomlar->table(QStringLiteral("ADOTBazaSprosForObmen")), number, QStringLiteral("Изменение спроса"));
}

void TFBaza::BitBtn8Click()
{
    Table &t = demands();
    if (!hasCurrent(t, QStringLiteral("удалять нечего"))) return;
    if (dialogs().confirm(QStringLiteral("Удалить спрос?"))) t.deleteRecord();
}
