#pragma once
#include <QString>

class DBGrid;

// Lets the user choose a grid's visible columns in the column chooser
// FSelectColShow under the given header caption: the chooser lists every
// column's title, ticked when visible; after it closes each column whose title
// equals an item's text is shown or hidden by that item's tick.
void chooseVisibleColumns(DBGrid &grid, const QString &caption);
