#include "cards/RequestEditor.h"
#include "cards/CardFields.h"
#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "data/DataModule.h"
#include "data/Keys.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "widgets/DateEdit.h"
#include "widgets/NumberEdits.h"
#include "widgets/RowStore.h"

namespace {

const QString SaleKey = QStringLiteral("IDBazaSale");
const QString DemandKey = QStringLiteral("IDBazaSpros");

QString notFoundText(int number)
{
    return QStringLiteral("Заявка № %1 не найдена в списке: она удалена или скрыта отбором. "
                          "Ничего не сохранено.").arg(number);
}

// Shows the card until it is closed without saving or what it holds is stored.
void showUntilStored(QDialog *card, const std::function<void()> &store)
{
    while (dialogs().showModal(card) == Dialogs::Yes) {
        try {
            store();
            return;
        } catch (const AppError &e) {
            dialogs().error(e.text() + QStringLiteral("\n\nЗаявка не сохранена. Карточка открыта снова со всеми "
                                                      "введенными данными: исправьте их и сохраните заявку "
                                                      "или закройте карточку без сохранения."));
        }
    }
}

// Writes the card into the row being edited or inserted and posts it; on failure
// the dataset is back in browse state and nothing is stored.
void postRow(Table &t, const std::function<void()> &fill)
{
    try {
        fill();
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
    keepInOrder(t);
}

void storeEdit(Table &t, const QString &key, int number, const std::function<void()> &fill)
{
    if (!Keys::positionOn(t, key, number)) throw AppError(notFoundText(number));
    t.edit();
    postRow(t, fill);
}

// Inserts the new request under `number`, or under the next free number when
// another program stored that one meanwhile; returns the number used.
int storeNew(Table &t, const QString &table, const QString &key, int number,
             const std::function<void(int)> &fill)
{
    Connection &c = DMDomlar->ADOConnection;
    Transaction transaction(c, Transaction::Kind::Immediate);
    if (Keys::stored(c, table, key, number)) number = Keys::nextKey(c, table, key);
    t.append();
    postRow(t, [&] { fill(number); });
    try {
        transaction.commit();
    } catch (...) {
        t.requery();   // the dataset holds a row the file does not
        throw;
    }
    return number;
}

void tellRenumbered(int wanted, int got)
{
    if (wanted != got)
        dialogs().information(QStringLiteral("Номер %1 тем временем занят другой заявкой. "
                                             "Заявка сохранена под номером %2.").arg(wanted).arg(got));
}

} // namespace

namespace RequestEditor {

void clearSaleCard()
{
    CardFields::clear(*FKardSale);
    FKardSale->DateReg->setDate(QDate::currentDate());
}

void clearDemandCard()
{
    CardFields::clear(*FKardSpros);
    FKardSpros->DateSpros->setDate(QDate::currentDate());
}

void addSale(Table &sales)
{
    FKardSale->setDetailsVisible(false);   // a new offer has no exchange variants yet
    FKardSale->setWindowTitle(QStringLiteral("Ввод новой заявки на продажу (обмен) недвижимости"));
    const int number = Keys::nextKey(DMDomlar->ADOConnection, QStringLiteral("BazaSale"), SaleKey);
    FKardSale->IDBazaSale->setValue(number);
    const CardMapping mapping = CardFields::sale(*FKardSale);
    showUntilStored(FKardSale, [&] {
        const int stored = storeNew(sales, QStringLiteral("BazaSale"), SaleKey, number, [&](int n) {
            sales.fieldByName(SaleKey).setInteger(n);
            CardFields::store(mapping, sales);
        });
        tellRenumbered(number, stored);
    });
}

void addDemand(Table &demands, const QString &title, const std::function<void(Table &)> &extra)
{
    FKardSpros->setDetailsVisible(false);   // a new demand has no variants yet
    FKardSpros->setWindowTitle(title);
    const int number = Keys::nextKey(DMDomlar->ADOConnection, QStringLiteral("BazaSpros"), DemandKey);
    FKardSpros->IDBazaSpros->setValue(number);
    const CardMapping mapping = CardFields::demand(*FKardSpros);
    showUntilStored(FKardSpros, [&] {
        const int stored = storeNew(demands, QStringLiteral("BazaSpros"), DemandKey, number, [&](int n) {
            FKardSpros->IDBazaSpros->setValue(n);
            CardFields::store(mapping, demands);
            if (extra) extra(demands);
        });
        tellRenumbered(number, stored);
    });
}

void editSale(Table &sales, int number)
{
    if (!Keys::positionOn(sales, SaleKey, number)) {
        dialogs().information(notFoundText(number));
        return;
    }
    FKardSale->setWindowTitle(QStringLiteral("Заявка на продажу (обмен) недвижимости"));
    FKardSale->IDBazaSale->setValue(number);
    const CardMapping mapping = CardFields::sale(*FKardSale);
    CardFields::load(mapping, sales);
    showUntilStored(FKardSale, [&] { storeEdit(sales, SaleKey, number, [&] { CardFields::store(mapping, sales); }); });
}

void editDemand(Table &demands, int number, const QString &title)
{
    if (!Keys::positionOn(demands, DemandKey, number)) {
        dialogs().information(notFoundText(number));
        return;
    }
    // The detail grids follow the register's demands; they show this demand's rows only when it is current there.
    Table &register_ = DMDomlar->table(QStringLiteral("ADOTBazaSpros"));
    FKardSpros->setDetailsVisible(&demands == &register_ || Keys::positionOn(register_, DemandKey, number));
    FKardSpros->setWindowTitle(title);
    const CardMapping mapping = CardFields::demand(*FKardSpros);
    CardFields::load(mapping, demands);
    FKardSpros->IDBazaSpros->setValue(number);
    showUntilStored(FKardSpros, [&] { storeEdit(demands, DemandKey, number, [&] { CardFields::store(mapping, demands); }); });
}

} // namespace RequestEditor
