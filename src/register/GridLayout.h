#pragma once
#include <QString>

class DBGrid;
class IniFile;

// A grid's column layout and row height in the layout file "BazaGrid.ini":
// one key per column, "<grid name>.<field>" = "position,width,sort marker,
// visible,sort index,drop-down rows,drop-down width", the key "(Default)" =
// "row height,1" (written, never read), and the row height under section
// "Grid", key rowKey. The grid's objectName is its name in the file.
class GridLayout {
public:
    static constexpr int DefaultRowHeight = 15;
    static constexpr int MinRowHeight = 8;
    static constexpr int MaxRowHeight = 200;

    // Applies every recognisable setting of the section; a missing or unreadable
    // value keeps the column's current setting.
    static void restore(DBGrid &grid, const IniFile &ini, const QString &section, const QString &rowKey);
    // Replaces the section with the grid's columns and writes its row height.
    static void store(DBGrid &grid, IniFile &ini, const QString &section, const QString &rowKey);

    // The row height kept under rowKey: 15 when missing or not a whole number, clamped to 8..200.
    static int rowHeight(const IniFile &ini, const QString &rowKey);
    static QString key(DBGrid &grid, int logical);
};
