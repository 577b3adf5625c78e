#pragma once
#include <QString>

class DBGrid;

// The filter text that keeps the rows whose field equals value: F='V', an
// apostrophe inside the value written twice.
QString cellFilterExpression(const QString &field, const QString &value);

// Filters the grid's dataset by the value of its current row in the focused
// column (the leftmost visible one when no cell is focused). The information
// message messageStart + title + " " + the cell's text is shown before the
// filter goes on.
void filterByCurrentCell(DBGrid &grid, const QString &messageStart);
