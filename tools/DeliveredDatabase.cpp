#include "tools/DeliveredDatabase.h"
#include "data/Connection.h"
#include "data/Query.h"
#include "data/Schema.h"
#include "platform/AppError.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>

namespace Delivered {

const QStringList &starterWords(const QString &listTable)
{
    static const std::map<QString, QStringList> words = {
        {"SprType", {"Квартира", "Комната", "Дом", "Участок", "Дача", "Гараж", "Офис"}},
        {"SprTel", {"Есть", "Нет", "Спаренный"}},
        {"SprWindow", {"Деревянные", "Пластиковые"}},
        {"SprWater", {"Центральное", "Скважина", "Колодец", "Нет"}},
        {"SprOtoplen", {"Центральное", "Газовое", "Электрическое", "Печное"}},
        {"SprMatHome", {"Кирпич", "Панель", "Монолит", "Дерево", "Блоки"}},
        {"SprDoor", {"Деревянная", "Металлическая", "Двойная"}},
        {"SprMatPol", {"Паркет", "Ламинат", "Линолеум", "Доска", "Плитка"}},
        {"SprPlanHome", {"Хрущевка", "Брежневка", "Улучшенная", "Сталинка", "Новостройка"}},
        {"SprPlanRoom", {"Раздельные", "Смежные", "Смежно-раздельные", "Студия"}},
        {"SprBathRoom", {"Раздельный", "Совмещенный", "Нет"}},
        {"SprValueKV", {"Отличное", "Хорошее", "Удовлетворительное", "Требует ремонта", "Без отделки"}},
        {"SprBalkon", {"Балкон", "Лоджия", "Два балкона", "Нет"}},
    };
    static const QStringList none;
    const auto it = words.find(listTable);
    return it == words.end() ? none : it->second;
}

const Descriptions &columnDescriptions(const QString &table)
{
    // Users pick these texts as template variables, so each reads on its own
    // and none repeats within its table.
    static const std::map<QString, Descriptions> all = {
        {"Firm", {
            {"IDFirm", "Код организации"},
            {"INN", "ИНН"},
            {"KPP", "КПП"},
            {"Name", "Наименование организации"},
            {"Nam", "Краткое наименование"},
            {"RS", "Расчетный счет"},
            {"Bank", "Банк"},
            {"KS", "Корреспондентский счет"},
            {"Bik", "БИК"},
            {"FIOKass", "Кассир"},
            {"FIOBuh", "Бухгалтер"},
            {"FIORuk", "Руководитель"},
            {"Adress", "Адрес фактический"},
            {"AdressUrid", "Адрес юридический"},
            {"TEL", "Телефон/факс"},
            {"PassportSer", "Серия паспорта руководителя"},
            {"PassportNom", "Номер паспорта руководителя"},
            {"PassportVidan", "Паспорт руководителя выдан"},
        }},
        {"SprKlient", {
            {"IDKlient", "Код клиента"},
            {"NameKlient", "Наименование клиента"},
            {"AdressKlient", "Адрес клиента"},
            {"INNKlient", "ИНН клиента"},
            {"PassportSer", "Серия паспорта клиента"},
            {"PassportNom", "Номер паспорта клиента"},
            {"PassportVidan", "Паспорт клиента выдан"},
            {"TelKlient", "Телефон клиента"},
            {"RSKlient", "Расчетный счет клиента"},
            {"BankKlient", "Банк клиента"},
            {"DirKlient", "Руководитель клиента"},
            {"KSKlient", "Корреспондентский счет клиента"},
            {"KPPKlient", "КПП клиента"},
            {"BikKlient", "БИК клиента"},
        }},
    };
    static const Descriptions none;
    const auto it = all.find(table);
    return it == all.end() ? none : it->second;
}

namespace {

void describeColumns(Connection &connection)
{
    Command insert(connection, QStringLiteral(
        "INSERT INTO ColumnDescription (TableName, ColumnName, Description) "
        "VALUES (:TableName, :ColumnName, :Description)"));
    for (const QString table : {"Firm", "SprKlient"}) {
        // Walk the table's real columns so that a column added later without a text is noticed.
        for (const ColumnDef &column : Schema::table(table)->columns) {
            QString text;
            for (const auto &[name, description] : columnDescriptions(table))
                if (name == column.name)
                    text = description;
            if (text.isEmpty())
                throw AppError(QStringLiteral("Нет описания поля %1.%2").arg(table, column.name));
            insert.setParam("TableName", table);
            insert.setParam("ColumnName", column.name);
            insert.setParam("Description", text);
            insert.execute();
        }
    }
}

} // namespace

void createSchema(Connection &connection)
{
    for (const TableDef &table : Schema::tables())
        connection.execute(Schema::createTableSql(table));
    for (const QString &index : Schema::createIndexSql())
        connection.execute(index);
    connection.execute(QStringLiteral(
        "CREATE TABLE %1 (TableName TEXT COLLATE NOCASE, ColumnName TEXT COLLATE NOCASE, "
        "Description TEXT)").arg(QLatin1String(Schema::DescriptionTable)));
    describeColumns(connection);
}

void createContents(Connection &connection)
{
    createSchema(connection);

    Command firm(connection, QStringLiteral("INSERT INTO Firm (Name, Nam) VALUES (:Name, :Nam)"));
    firm.setParam("Name", QStringLiteral("Агентство недвижимости \"Домлар\""));
    firm.setParam("Nam", QStringLiteral("АН \"Домлар\""));
    firm.execute();

    for (const auto &list : Schema::attributeLists()) {
        Command word(connection, QStringLiteral("INSERT INTO %1 (%2) VALUES (:Word)")
                                     .arg(list.table, list.column));
        for (const QString &text : starterWords(list.table)) {
            word.setParam("Word", text);
            word.execute();
        }
    }
}

DemoCounts makeDatabase(const QString &path, const std::optional<DemoSizes> &demo)
{
    const QFileInfo info(path);
    const QString file = info.absoluteFilePath();
    if (info.exists() || info.isSymLink())
        throw AppError(QStringLiteral("Файл уже существует, он не будет перезаписан: %1")
                           .arg(QDir::toNativeSeparators(path)));
    if (!QDir().mkpath(info.absolutePath()))
        throw AppError(QStringLiteral("Не удалось создать папку: %1")
                           .arg(QDir::toNativeSeparators(info.absolutePath())));

    // Outside the guard below: should the file appear meanwhile, opening refuses it,
    // and a file this tool did not make must never be removed. The connection
    // pins the cipher settings, so the tool and the program make the same format.
    Connection connection;
    connection.open(Connection::connectionTextFor(file), Connection::Mode::CreateNew);
    try {
        DemoCounts counts;
        {
            Transaction transaction(connection);
            createContents(connection);
            if (demo)
                counts = Demo::fill(connection, *demo);
            transaction.commit();
        }
        connection.close();
        return counts;
    } catch (...) {
        connection.close();
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-journal"));
        throw;
    }
}

} // namespace Delivered
