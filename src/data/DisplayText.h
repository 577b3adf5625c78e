#pragma once
#include "data/Schema.h"
#include <QString>
#include <QVariant>

// How the program shows a stored value, wherever it shows one: grid cells, card
// edits, the rate windows, exported lists and document variables.
//   money   "1 234,50" (grouped, two decimals) or as a display format asks:
//           "0" no decimals, "0.0000" four, a leading "," groups thousands;
//   numbers zero as empty, as a numeric edit shows it;
//   dates   "dd.MM.yyyy", the zero date (no date) as empty;
//   yes/no  empty (grids draw a check mark); binary "(данные)"; text as stored.
QString displayText(FieldType type, const QVariant &value, const QString &format = {});

// The zero date as "no date".
bool isNoDate(const QDate &date);
