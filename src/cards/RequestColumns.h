#pragma once
#include "widgets/GridColumn.h"
#include <vector>

// The designed columns of the register's two grids, in their designed order; the
// sale card's exchange list shows the demand columns too.
std::vector<GridColumn> saleColumns();
std::vector<GridColumn> sprosColumns();
