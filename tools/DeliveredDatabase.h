#pragma once
#include "tools/DemoData.h"
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class Connection;

namespace Delivered {

// The words each attribute list starts with (by list table, e.g. "SprType").
const QStringList &starterWords(const QString &listTable);

// Column -> the Russian text users see for it as a template variable.
using Descriptions = std::vector<std::pair<QString, QString>>;
const Descriptions &columnDescriptions(const QString &table);

// Creates every table, its indexes and the catalogue of column descriptions on an open, empty database.
void createSchema(Connection &connection);

// Creates every table, the catalogue of column descriptions, the agency row
// and the starter words on an open, empty database.
void createContents(Connection &connection);

// Makes a new encrypted database file (and its folder), with demo data when asked.
// Never touches an existing file; on failure removes what it began and throws AppError.
// Returns the rows written per table (demo tables only).
DemoCounts makeDatabase(const QString &path, const std::optional<DemoSizes> &demo = {});

} // namespace Delivered
