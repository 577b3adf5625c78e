#include "data/Catalog.h"
#include "data/Connection.h"
#include "data/Statement.h"
#include "data/Schema.h"
#include "platform/AppError.h"
#include <sqlite3.h>

namespace Catalog {

std::vector<ColumnDescription> columnDescriptions(Connection &c, const QString &table)
{
    std::vector<ColumnDescription> result;
    {
        Statement info(c, QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
        while (info.step())
            result.push_back({QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info.handle(), 1))), {}});
    }
    if (result.empty())
        throw AppError(QStringLiteral("В базе данных нет таблицы «%1».").arg(table));
    Statement hasCatalog(c, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name=?"));
    hasCatalog.bind(1, QString::fromLatin1(Schema::DescriptionTable));
    if (!hasCatalog.step() || sqlite3_column_int(hasCatalog.handle(), 0) == 0)
        return result;
    Statement st(c, QStringLiteral("SELECT ColumnName, Description FROM %1 WHERE TableName=?")
                        .arg(QString::fromLatin1(Schema::DescriptionTable)));
    st.bind(1, table);
    while (st.step()) {
        const QString column = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st.handle(), 0)));
        for (auto &r : result)
            if (r.column.compare(column, Qt::CaseInsensitive) == 0)
                r.description = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st.handle(), 1)));
    }
    return result;
}

} // namespace Catalog
