// The register's work with one request: the buttons of its halves and the
// named operations the search and the exchange list call, all over RequestEditor.
#include "register/Baza.h"
#include "cards/KardSale.h"
#include "cards/RequestEditor.h"
#include "data/DataModule.h"
#include "data/Keys.h"
#include "platform/Dialogs.h"

namespace {

Table &sales() { return DMDomlar->table(QStringLiteral("ADOTBazaSale")); }
Table &demands() { return DMDomlar->table(QStringLiteral("ADOTBazaSpros")); }

// The number of the grid's current request; 0 (and a message) when it shows none.
int currentNumber(Table &t, const QString &key, const QString &what)
{
    const int number = Keys::currentKey(t, key);
    if (number <= 0) dialogs().information(QStringLiteral("Нет выбранной заявки: %1.").arg(what));
    return number;
}

} // namespace

void TFBaza::ClearKardSale() { RequestEditor::clearSaleCard(); }
void TFBaza::ClearKardSpros() { RequestEditor::clearDemandCard(); }

void TFBaza::OpenKardSaleForEdit(int number) { RequestEditor::editSale(sales(), number); }

void TFBaza::OpenKardSprosForEdit(int number)
{
    RequestEditor::editDemand(demands(), number, QStringLiteral("Заявка на приобретение недвижимости"));
}

void TFBaza::OpenKardSprosForEditForObmen(int number)
{
    RequestEditor::editDemand(DMDomlar->table(QStringLiteral("ADOTBazaSprosForObmen")), number,
                              QStringLiteral("Изменение спроса"));
}

void TFBaza::BitBtn2Click()
{
    ClearKardSale();
    RequestEditor::addSale(sales());
}

void TFBaza::BitBtn7Click()
{
    const int number = currentNumber(sales(), QStringLiteral("IDBazaSale"), QStringLiteral("выберите предложение в списке"));
    if (number <= 0) return;
    ClearKardSale();
    FKardSale->setDetailsVisible(true);   // the lists follow the offer, current in the grid
    OpenKardSaleForEdit(number);
}

void TFBaza::BitBtn6Click()
{
    if (currentNumber(sales(), QStringLiteral("IDBazaSale"), QStringLiteral("удалять нечего")) <= 0) return;
    if (dialogs().confirm(QStringLiteral("Удалить предложение?"))) sales().deleteRecord();
}

void TFBaza::BitBtn3Click()
{
    ClearKardSpros();
    RequestEditor::addDemand(demands(), QStringLiteral("Ввод новой заявки на приобретение недвижимости"));
}

void TFBaza::BitBtn4Click()
{
    const int number = currentNumber(demands(), QStringLiteral("IDBazaSpros"), QStringLiteral("выберите спрос в списке"));
    if (number <= 0) return;
    ClearKardSpros();
    OpenKardSprosForEdit(number);
}

void TFBaza::BitBtn8Click()
{
    if (currentNumber(demands(), QStringLiteral("IDBazaSpros"), QStringLiteral("удалять нечего")) <= 0) return;
    if (dialogs().confirm(QStringLiteral("Удалить спрос?"))) demands().deleteRecord();
}
