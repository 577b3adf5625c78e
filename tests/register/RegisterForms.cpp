#include "RegisterForms.h"
#include "widgets/DBGrid.h"

namespace {

// Prices in ten-thousandths, as the database keeps money.
const char *const Rows[] = {
    "INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Москва'), (2, 'Тверь')",
    "INSERT INTO BazaSale (IDBazaSale, KolRoom, NameType, Level, Price, IDTown, NameMatHome) VALUES "
    "(1, 2, 'Квартира', 3, 15000000000, 1, 'Кирпич'),"
    "(2, 5, 'Дом', 1, 9000005000, 2, 'Дерево'),"
    "(3, 1, 'Кв. ''люкс''', 7, 12000000000, 1, NULL),"
    "(4, 3, '', 2, 15000000000, 2, 'Панель'),"
    "(5, 4, NULL, 5, NULL, 0, NULL),"
    "(6, 2, 'Квартира', 3, 12000000000, 2, 'Кирпич')",
    "INSERT INTO BazaSpros (IDBazaSpros, KolRoomMin, KolRoomMax, NameType, NameMatHome, Price) VALUES "
    "(1, 1, 2, 'Квартира', 'Кирпич', 10000000000),"
    "(2, 2, 4, 'Дом', 'Дерево', 20000000000),"
    "(3, 1, 3, 'Квартира', 'Панель', 10000000000)",
};

} // namespace

RegisterForms::RegisterForms()
    : ProgramForms([] {
          QStringList seed;
          for (const char *sql : Rows) seed << QString::fromUtf8(sql);
          return seed;
      }())
{
}

int columnOf(DBGrid &grid, const QString &field)
{
    for (int l = 0; l < grid.columnCountTotal(); ++l)
        if (grid.gridColumn(l).field == field) return l;
    return -1;
}

