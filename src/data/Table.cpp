// Table: a dataset over one table of the database, written back row by row.
#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/FieldValue.h"
#include "data/Statement.h"
#include "platform/AppError.h"
#include <sqlite3.h>

Table::Table(Connection &connection, const QString &tableName, QObject *parent)
    : Dataset(parent), m_connection(connection), m_table(tableName) {}

QString Table::describe() const
{
    return objectName().isEmpty() ? m_table : objectName();
}

void Table::load()
{
    struct FileColumn { QString name, decl; };
    std::vector<FileColumn> fileColumns;
    {
        Statement info(m_connection, QStringLiteral("PRAGMA table_info(\"%1\")").arg(m_table));
        while (info.step())
            fileColumns.push_back({QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info.handle(), 1))),
                                   QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info.handle(), 2)))});
    }
    if (fileColumns.empty())
        throw AppError(QStringLiteral("В базе данных нет таблицы «%1».").arg(m_table));
    auto inFile = [&](const QString &name) {
        return std::any_of(fileColumns.begin(), fileColumns.end(),
                           [&](const FileColumn &c) { return c.name.compare(name, Qt::CaseInsensitive) == 0; });
    };

    const TableDef *def = Schema::table(m_table);
    QStringList select{QStringLiteral("rowid")};
    if (def && def->declared) {
        for (const ColumnDef &c : def->columns) {
            if (!inFile(c.name))
                throw AppError(QStringLiteral("В таблице «%1» базы данных нет колонки «%2».").arg(m_table, c.name));
            addStoredField(FieldInfo::stored(c.name, c.type, c.width));
            select << '"' + c.name + '"';
        }
    } else {
        for (const FileColumn &fc : fileColumns) {
            const ColumnDef *known = def ? def->column(fc.name) : nullptr;
            FieldInfo f = FieldInfo::stored(fc.name, FieldType::Text, 0);
            if (known) { f.type = known->type; f.width = known->width; }
            else f.type = Schema::typeFromSql(fc.decl, &f.width);
            addStoredField(f);
            select << '"' + fc.name + '"';
        }
    }
    // A detail dataset only ever shows rows whose link matches a parent key, so
    // rows without a link are not read at all.
    // An integer link is written as a range, which an index on it can serve.
    QString where;
    if (const int link = fieldIndex(detailFieldName()); link >= 0) {
        where = fieldInfo(link).type == FieldType::Integer
                    ? QStringLiteral(" WHERE \"%1\" BETWEEN -2147483648 AND 2147483647")
                    : QStringLiteral(" WHERE \"%1\" IS NOT NULL");
        where = where.arg(fieldInfo(link).name);
    }
    if (where.isEmpty()) {
        // The greatest row id bounds the row count and costs one index step.
        Statement size(m_connection, QStringLiteral("SELECT max(rowid) FROM \"%1\"").arg(m_table));
        if (size.step()) reserveRows(size_t(std::max<int64_t>(0, sqlite3_column_int64(size.handle(), 0))));
    }
    Statement st(m_connection, QStringLiteral("SELECT %1 FROM \"%2\"%3").arg(select.join(','), m_table, where));
    readRows(st.handle(), 1);
}

void Table::storeInsert(int physicalRow)
{
    QStringList names, marks;
    std::vector<int> fields;
    for (int i = 0; i < storedFieldCount(); ++i) {
        if (fieldInfo(i).type == FieldType::Counter) continue;
        names << '"' + fieldInfo(i).name + '"';
        marks << QStringLiteral("?");
        fields.push_back(i);
    }
    Statement st(m_connection, QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                   .arg(m_table, names.join(','), marks.join(',')));
    for (size_t k = 0; k < fields.size(); ++k) st.bind(int(k) + 1, cellValue(physicalRow, fields[k]));
    st.step();
    const int64_t id = m_connection.lastInsertRowId();
    setRowId(physicalRow, id);
    for (int i = 0; i < storedFieldCount(); ++i)
        if (fieldInfo(i).type == FieldType::Counter) setCounter(physicalRow, i, id);
}

void Table::storeUpdate(int physicalRow)
{
    QStringList sets;
    std::vector<int> fields;
    for (int i = 0; i < storedFieldCount(); ++i) {
        if (fieldInfo(i).type == FieldType::Counter) continue;
        sets << '"' + fieldInfo(i).name + "\"=?";
        fields.push_back(i);
    }
    Statement st(m_connection, QStringLiteral("UPDATE \"%1\" SET %2 WHERE rowid=?").arg(m_table, sets.join(',')));
    for (size_t k = 0; k < fields.size(); ++k) st.bind(int(k) + 1, cellValue(physicalRow, fields[k]));
    st.bind(int(fields.size()) + 1, QVariant::fromValue<qlonglong>(rowId(physicalRow)));
    st.step();
    if (sqlite3_changes(m_connection.handle()) == 0)
        throw AppError(QStringLiteral("Запись не найдена в таблице «%1»: возможно, ее удалила другая программа. "
                                      "Изменения не сохранены.").arg(m_table));
}

void Table::storeDelete(int physicalRow)
{
    Statement st(m_connection, QStringLiteral("DELETE FROM \"%1\" WHERE rowid=?").arg(m_table));
    st.bind(1, QVariant::fromValue<qlonglong>(rowId(physicalRow)));
    st.step();
}
