#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

// The tables and columns of the database, as the program treats them.
// The same definitions create the delivered database and tell the datasets
// which columns to declare and how wide each text may be.
enum class FieldType { Integer, Counter, Text, Money, Date, Bool, Binary, Lookup };

struct ColumnDef {
    QString name;
    FieldType type = FieldType::Text;
    int width = 0;            // text columns: at most this many characters; 0 = unlimited
};

struct TableDef {
    QString name;
    std::vector<ColumnDef> columns;
    // Datasets over these tables declare exactly these columns; a file that lacks
    // one cannot be opened. Over the other tables the columns the file has are taken.
    bool declared = false;

    const ColumnDef *column(const QString &name) const;   // case-insensitive
};

namespace Schema {

const std::vector<TableDef> &tables();
const TableDef *table(const QString &name);              // case-insensitive; nullptr if unknown

// The thirteen attribute lists: table and its single text column.
struct AttributeList { QString table, column; };
const std::vector<AttributeList> &attributeLists();

// SQL type names that keep the program's types readable from the file itself
// (sqlite3_column_decltype / PRAGMA table_info give them back).
QString sqlType(const ColumnDef &column);
FieldType typeFromSql(const QString &declType, int *width = nullptr);

QString createTableSql(const TableDef &table);
// Indexes on the integer link columns of the detail tables, so that a detail
// dataset reads only its linked rows, and on the integer keys numbered by
// Max+1, so that a new number is found without reading the table.
// Text columns are never indexed. Each may run again on a file that has it.
QStringList createIndexSql();

// The table of column descriptions (the catalogue), kept in the database file.
inline const char *DescriptionTable = "ColumnDescription";

// 30.12.1899, the date value 0: what an empty date field reads and stores as.
QDate zeroDate();

} // namespace Schema
