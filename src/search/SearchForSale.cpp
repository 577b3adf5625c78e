#include "search/SearchForSale.h"
#include "register/Baza.h"
#include "search/RequestPanel.h"

TFSearchForSale *FSearchForSale = nullptr;

namespace {

std::vector<GridColumn> columns()
{
    return {GridColumn::of("IDBazaSpros", "№ Заяв.", 45),      GridColumn::of("KolRoomMin", "Комнат|От", 32),
            GridColumn::of("KolRoomMax", "Комнат|До", 29),     GridColumn::of("NameType", "Тип объекта"),
            GridColumn::of("NameMatHome", "Мат.дом", 53),      GridColumn::of("LevelMin", "Этаж|От", 22),
            GridColumn::of("LevelMax", "Этаж|До", 22),         GridColumn::of("S_ObshMin", "Площадь|Общ.от", 43),
            GridColumn::of("S_ObshMax", "Площадь|Общ.до", 45), GridColumn::of("S_JilMin", "Площадь|Жилая от", 60),
            GridColumn::of("S_KuhMin", "Площадь|Кухня от", 60), GridColumn::of("PriceUSD", "Цена USD")};
}

} // namespace

TFSearchForSale::TFSearchForSale(QWidget *parent)
    : SearchWindow({"FSearchForSale", QStringLiteral("Поиск подходящего спроса"), MatchDirection::DemandsForOffer,
                    "ADOTBazaSale", "ADOTBazaSpros", "IDBazaSpros",
                    QStringLiteral("Показатели из заявки на продажу"),
                    QStringLiteral("Результат подбора объектов из базы покупателей"), QSize(631, 548)},
                   columns(), parent)
{
    FSearchForSale = this;
    panel()->addRows({
        {{"Клиент:", "NewNameKlient", 0, false, true}},
        {{"Этаж:", "Level", 30}, {"из:", "LevelOf", 30}, {"Кол.комнат:", "KolRoom", 30}},
        {{"Адрес:", "NewNameTown"}, {"", "NewNameRaion"}, {"", "NewNameStreet"}},
        {{"Дом:", "Home"}, {"Корпус:", "Korpus"}, {"Квартира:", "KV"}},
        {{"Цена:", "Price"}, {"Цена $:", "PriceUSD"}, {"Цена EUR:", "PriceEUR"}},
    });
    panel()->addSubPanel(QStringLiteral("Дополнительные параметры объекта"))->addRows({
        {{"Тип.объекта:", "NameType", 0, false, true}, {"Состояние:", "NameValueKV"}},
        {{"Площадь(общ):", "S_Obsh", 44}, {"Площадь(жил):", "S_Jil", 44}, {"Площадь(кух):", "S_Kuh", 44}},
        {{"Год построй.:", "YearBuild", 40}, {"Балкон:", "NameBalkon"}, {"Сан.узел:", "NameBathRoom"}},
        {{"Мат.дома:", "NameMatHome"}, {"План.дома:", "NamePlanHome"}},
        {{"План.комнат:", "NamePlanRoom"}, {"Телефон:", "NameTel"}},
    });
}

void TFSearchForSale::clearCard() { FBaza->ClearKardSpros(); }
void TFSearchForSale::openCard(int number) { FBaza->OpenKardSprosForEdit(number); }
