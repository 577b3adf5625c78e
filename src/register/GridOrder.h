#pragma once
#include "widgets/DBGrid.h"
#include <algorithm>
#include <vector>

// A grid's logical columns in their present order on screen.
inline std::vector<int> columnsInOrder(DBGrid &grid)
{
    std::vector<int> order(size_t(grid.columnCountTotal()));
    for (int l = 0; l < grid.columnCountTotal(); ++l) order[size_t(l)] = l;
    std::stable_sort(order.begin(), order.end(),
                     [&grid](int a, int b) { return grid.position(a) < grid.position(b); });
    return order;
}
