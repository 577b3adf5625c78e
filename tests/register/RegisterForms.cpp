#include "RegisterForms.h"
#include "register/Baza.h"
#include "register/SelectColShow.h"
#include "support/TestDatabase.h"
#include "widgets/DBGrid.h"
#include <QDir>
#include <QFile>

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
{
    QDir(dir.path()).mkdir(QStringLiteral("Data"));
    {
        Connection c;
        c.open(Connection::connectionTextFor(createTestDatabase(dir.file(QStringLiteral("Data/domlar.mde")))));
        for (const char *sql : Rows) c.execute(QString::fromUtf8(sql));
    }
    module = std::make_unique<TDMDomlar>(dir.path(), [](const QString &) {});
    module->DataModuleCreate();
    FBaza = new TFBaza;
    FSelectColShow = new TFSelectColShow;
}

RegisterForms::~RegisterForms()
{
    delete FSelectColShow;
    FSelectColShow = nullptr;
    delete FBaza;
    FBaza = nullptr;
}

QString RegisterForms::layoutPath() const { return dir.file(QStringLiteral("Data/BazaGrid.ini")); }

void RegisterForms::writeLayout(const QByteArray &bytes) const
{
    QFile f(layoutPath());
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

int columnOf(DBGrid &grid, const QString &field)
{
    for (int l = 0; l < grid.columnCountTotal(); ++l)
        if (grid.gridColumn(l).field == field) return l;
    return -1;
}

