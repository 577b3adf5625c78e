#pragma once
#include <QString>
#include <array>

class Dataset;
class SqlText;

// The matching search's SQL: a base text requiring the same type of object and
// one fragment per ticked criterion, appended in the criteria's order.
enum class MatchDirection {
    DemandsForOffer,   // from an offer (BazaSale) to the demands (BazaSpros) it meets
    OffersForDemand,   // from a demand to the offers that meet it
};

constexpr int CriterionCount = 6;
using Criteria = std::array<bool, CriterionCount>;
inline constexpr Criteria AllCriteria{true, true, true, true, true, true};

// The criteria list's items, in order: "Этаж", "Количество комнат", …
const std::array<QString, CriterionCount> &criterionTitles();

QString matchSql(MatchDirection direction, const Criteria &ticked);

// The exact matches, each with an empty field Miss, followed by the requests of
// the same type that fail exactly one ticked criterion, Miss naming it and the
// values compared ("Этаж: 6, нужно 2–5"). Same parameters as matchSql.
QString nearSql(MatchDirection direction, const Criteria &ticked);

// Binds every parameter of the text from the starting request's current row:
// NameType as text, floors and rooms as whole numbers, areas and the ceiling
// height as money; a field without a value binds as 0 or the empty text.
void bindMatchParams(SqlText &sql, Dataset &start);
