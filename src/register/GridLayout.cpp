#include "register/GridLayout.h"
#include "platform/IniFile.h"
#include "widgets/DBGrid.h"
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

const char *const RowSection = "Grid";
const char *const DefaultKey = "(Default)";
constexpr int MaxWidth = 4000;

// The seven numbers of a column key, in the order they are written.
enum Slot { Position, Width, SortMarker, Visible, SortIndex, DropDownRows, DropDownWidth, SlotCount };
using Saved = std::array<std::optional<int>, SlotCount>;

Saved parseSaved(const QString &text)
{
    Saved saved;
    const QStringList parts = text.split(QLatin1Char(','));
    for (int i = 0; i < SlotCount && i < parts.size(); ++i) {
        bool ok = false;
        const int value = parts[i].trimmed().toInt(&ok, 10);
        if (ok) saved[size_t(i)] = value;
    }
    return saved;
}

std::optional<int> within(const std::optional<int> &value, int low, int high)
{
    if (value && *value >= low && *value <= high) return value;
    return std::nullopt;
}

void applyKept(GridColumn &column, const Saved &saved)
{
    if (saved[SortMarker]) column.sortMarker = *saved[SortMarker];
    if (saved[SortIndex]) column.sortIndex = *saved[SortIndex];
    if (auto rows = within(saved[DropDownRows], 0, 1000)) column.dropDownRows = *rows;
    if (auto width = within(saved[DropDownWidth], 0, MaxWidth)) column.dropDownWidth = *width;
}

// Visibility from the file, unless it would leave the grid without a visible column.
void applyVisibility(DBGrid &grid, const std::vector<Saved> &saved)
{
    std::vector<bool> visible(saved.size());
    bool any = false;
    for (size_t l = 0; l < saved.size(); ++l) {
        const auto flag = within(saved[l][Visible], 0, 1);
        visible[l] = flag ? *flag == 1 : grid.isVisibleColumn(int(l));
        any = any || visible[l];
    }
    if (!any) return;
    for (size_t l = 0; l < saved.size(); ++l)
        if (grid.isVisibleColumn(int(l)) != visible[l]) grid.setVisibleColumn(int(l), visible[l]);
}

// For position 0, 1, 2 … in turn, the first column saved at that position goes there.
void applyOrder(DBGrid &grid, const std::vector<Saved> &saved)
{
    const int count = grid.columnCountTotal();
    for (int p = 0; p < count; ++p) {
        for (int l : grid.columnsInOrder()) {
            if (within(saved[size_t(l)][Position], 0, count - 1) == p) {
                if (grid.position(l) != p) grid.moveToPosition(l, p);
                break;
            }
        }
    }
}

// The width a column has, or will have again when shown: a hidden column
// reports no width of its own.
int storedWidth(DBGrid &grid, int logical)
{
    if (grid.isVisibleColumn(logical)) return grid.width(logical);
    grid.setVisibleColumn(logical, true);
    const int width = grid.width(logical);
    grid.setVisibleColumn(logical, false);
    return width;
}

} // namespace

QString GridLayout::key(DBGrid &grid, int logical)
{
    return grid.objectName() + QLatin1Char('.') + grid.gridColumn(logical).field;
}

int GridLayout::rowHeight(const IniFile &ini, const QString &rowKey)
{
    bool ok = false;
    const int height = ini.readString(RowSection, rowKey).trimmed().toInt(&ok, 10);
    return ok ? std::clamp(height, MinRowHeight, MaxRowHeight) : DefaultRowHeight;
}

void GridLayout::restore(DBGrid &grid, const IniFile &ini, const QString &section, const QString &rowKey)
{
    // A missing key reads as empty text: every value missing, every setting kept.
    std::vector<Saved> saved(size_t(grid.columnCountTotal()));
    for (int l = 0; l < grid.columnCountTotal(); ++l) {
        saved[size_t(l)] = parseSaved(ini.readString(section, key(grid, l)));
        if (auto width = within(saved[size_t(l)][Width], 1, MaxWidth)) grid.setWidth(l, *width);
        applyKept(grid.gridColumn(l), saved[size_t(l)]);
    }
    applyVisibility(grid, saved);
    applyOrder(grid, saved);
    // Setting the height touches every row; a grid keeps the height it already has.
    if (const int height = rowHeight(ini, rowKey); height != grid.rowHeight()) grid.setRowHeight(height);
}

void GridLayout::store(DBGrid &grid, IniFile &ini, const QString &section, const QString &rowKey)
{
    ini.eraseSection(section);
    for (int l : grid.columnsInOrder()) {
        const GridColumn &c = grid.gridColumn(l);
        const QList<int> values{grid.position(l), storedWidth(grid, l), c.sortMarker, grid.isVisibleColumn(l) ? 1 : 0,
                                c.sortIndex, c.dropDownRows, c.dropDownWidth};
        QStringList texts;
        for (int v : values) texts << QString::number(v);
        ini.writeString(section, key(grid, l), texts.join(QLatin1Char(',')));
    }
    ini.writeString(section, DefaultKey, QString::number(grid.rowHeight()) + QStringLiteral(",1"));
    ini.writeInteger(RowSection, rowKey, grid.rowHeight());
}
