#pragma once
#include <QString>
#include <vector>

// The database's catalogue of column descriptions: for each column of a table
// (in the order the table lists them) the description text kept in the file.
// It opens its own connection from the connection text, as the document windows hand it over.
namespace Catalog {

struct ColumnDescription {
    QString column;
    QString description;   // empty when the file keeps none
};

std::vector<ColumnDescription> columnDescriptions(const QString &connectionText, const QString &table);

} // namespace Catalog
