#include "cards/RequestColumns.h"

namespace {

struct ColumnDef {
    const char *field;
    const char *title;
    int width;          // 0: the grid's default width for the field
    bool sortable;
};

std::vector<GridColumn> makeColumns(std::initializer_list<ColumnDef> defs)
{
    std::vector<GridColumn> columns;
    columns.reserve(defs.size());
    for (const ColumnDef &d : defs) {
        GridColumn c;
        c.field = QString::fromUtf8(d.field);
        c.title = QString::fromUtf8(d.title);
        c.width = d.width;
        c.sortable = d.sortable;
        columns.push_back(c);
    }
    return columns;
}

} // namespace

std::vector<GridColumn> saleColumns()
{
    return makeColumns({
        {"IDBazaSale", "№ Заяв.", 44, true},
        {"KolRoom", "Ком нат", 32, true},
        {"NameType", "Тип объекта", 0, true},
        {"Level", "Этаж|№", 22, true},
        {"LevelOf", "Этаж|Из", 22, true},
        {"S_Obsh", "Площадь|Общая", 48, true},
        {"S_Jil", "Площадь|Жилая", 48, true},
        {"S_Kuh", "Площадь|Кухня", 48, true},
        {"NamePlanHome", "Планировка дома", 72, true},
        {"NameMatHome", "Мат.дом", 53, true},
        {"NameBalkon", "Балкон", 0, true},
        {"NameBathRoom", "Сан.узел", 0, true},
        {"NameDoor", "Двери", 0, true},
        {"NameOtoplen", "Отопление", 0, true},
        {"NamePlanRoom", "Комнаты (план)", 0, true},
        {"NameTel", "Телефон", 0, true},
        {"NameValueKV", "Состояние", 0, true},
        {"NameWater", "Водоснаб жение", 0, true},
        {"Price", "Цена", 0, true},
        {"PriceUSD", "Цена USD", 0, true},
        {"PriceEUR", "Цена EUR", 0, true},
        {"YearBuild", "Год постройки", 0, true},
        {"NewNameTown", "Город", 119, false},
        {"NewNameRaion", "Район", 114, false},
        {"NewNameStreet", "Улица", 98, false},
    });
}

std::vector<GridColumn> sprosColumns()
{
    return makeColumns({
        {"IDBazaSpros", "№ Заяв.", 45, true},
        {"KolRoomMin", "Комнат|От", 32, true},
        {"KolRoomMax", "Комнат|До", 29, true},
        {"NameType", "Тип объекта", 0, true},
        {"NamePlanHome", "Планировка дома", 72, true},
        {"NameMatHome", "Мат.дом", 53, true},
        {"LevelMin", "Этаж|От", 22, true},
        {"LevelMax", "Этаж|До", 22, true},
        {"S_ObshMin", "Площадь|Общ.от", 48, true},
        {"S_ObshMax", "Площадь|Общ.до", 48, true},
        {"S_JilMin", "Площадь|Жилая от", 60, true},
        {"S_KuhMin", "Площадь|Кухня от", 60, true},
        {"NameMatHome", "Матер. дома", 0, true},
        {"NameOtoplen", "Отопление", 0, true},
        {"NamePlanHome", "План. дома", 0, true},
        {"NamePlanRoom", "Комнаты (план)", 0, true},
        {"NameValueKV", "Состояние объекта", 0, true},
        {"NameWater", "Водоснаб жение", 0, true},
        {"NameWindow", "Окна", 0, true},
        {"Price", "Цена", 0, true},
        {"PriceUSD", "Цена USD", 0, true},
        {"PriceEUR", "Цена EUR", 0, true},
        {"YearBuild", "Год постройки", 0, true},
    });
}
