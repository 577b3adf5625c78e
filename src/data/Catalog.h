#pragma once
#include <QString>
#include <vector>

// The database's catalogue of column descriptions: for each column of a table
// (in the order the table lists them) the description text kept in the file.
// It reads over the program's open connection; a second connection would pay for
// the key derivation again.
class Connection;

namespace Catalog {

struct ColumnDescription {
    QString column;
    QString description;   // empty when the file keeps none
};

std::vector<ColumnDescription> columnDescriptions(Connection &connection, const QString &table);

} // namespace Catalog
