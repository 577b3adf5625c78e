#include "search/SearchForSpros.h"
#include "register/Baza.h"
#include "search/RequestPanel.h"

TFSearchForSpros *FSearchForSpros = nullptr;

namespace {

std::vector<GridColumn> columns()
{
    return {GridColumn::of("IDBazaSale", "№ Заяв.", 44),   GridColumn::of("KolRoom", "Ком нат", 32),
            GridColumn::of("NameType", "Тип объекта"),     GridColumn::of("Level", "Этаж|№", 22),
            GridColumn::of("LevelOf", "Этаж|Из", 22),      GridColumn::of("S_Obsh", "Площадь|Общая", 39),
            GridColumn::of("S_Jil", "Площадь|Жилая", 40),  GridColumn::of("S_Kuh", "Площадь|Кухня", 40),
            GridColumn::of("NameBalkon", "Балкон"),        GridColumn::of("NameTel", "Телефон"),
            GridColumn::of("NameValueKV", "Состояние"),    GridColumn::of("PriceUSD", "Цена USD"),
            GridColumn::of("NewNameTown", "Город", 119),   GridColumn::of("NewNameRaion", "Район", 114),
            GridColumn::of("NewNameStreet", "Улица", 98)};
}

} // namespace

TFSearchForSpros::TFSearchForSpros(QWidget *parent)
    : SearchWindow({"FSearchForSpros", QStringLiteral("Поиск подходящего предложения"),
                    MatchDirection::OffersForDemand, "ADOTBazaSpros", "ADOTBazaSale", "IDBazaSale",
                    QStringLiteral("Показатели из заявки на покупку"),
                    QStringLiteral("Результат подбора объектов из базы продавцов"), QSize(632, 551)},
                   columns(), parent)
{
    FSearchForSpros = this;
    panel()->addRows({
        {{"Клиент:", "NewNameKlient", 0, false, true}},
        {{"Этаж от:", "LevelMin", 30}, {"до:", "LevelMax", 30}, {"Комнат от:", "KolRoomMin", 30}, {"до:", "KolRoomMax", 30}},
        {{"Цена:", "Price"}, {"Цена $:", "PriceUSD"}, {"Цена EUR:", "PriceEUR"}},
    });
    panel()->addSubPanel(QStringLiteral("Дополнительные параметры объекта"))->addRows({
        {{"Тип.объекта:", "NameType", 0, false, true}, {"Состояние:", "NameValueKV"}},
        {{"Площ.(общ) от:", "S_ObshMin"}, {"до:", "S_ObshMax"}},
        {{"Площадь(жил):", "S_JilMin"}, {"Площадь(кух):", "S_KuhMin"}, {"Год построй.:", "YearBuild", 40}},
        {{"Балкон:", "Balkon", 0, true}, {"Сан.узел:", "BathRoom", 0, true}, {"Телефон:", "Tel", 0, true}},
        {{"Мат.дома:", "NameMatHome"}, {"План.дома:", "NamePlanHome"}},
        {{"План.комнат:", "NamePlanRoom"}},
    });
}

void TFSearchForSpros::clearCard() { FBaza->ClearKardSale(); }
void TFSearchForSpros::openCard(int number) { FBaza->OpenKardSaleForEdit(number); }
