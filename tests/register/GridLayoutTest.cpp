#include "RegisterForms.h"
#include "support/TempDir.h"
#include "platform/IniFile.h"
#include "register/Baza.h"
#include "register/GridLayout.h"
#include "cards/RequestColumns.h"
#include "widgets/DBGrid.h"
#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

// Titles of the visible columns in their order on screen.
QStringList titlesShown(DBGrid &grid)
{
    std::vector<std::pair<int, QString>> shown;
    for (int l = 0; l < grid.columnCountTotal(); ++l)
        if (grid.isVisibleColumn(l)) shown.emplace_back(grid.position(l), grid.gridColumn(l).title);
    std::sort(shown.begin(), shown.end());
    QStringList titles;
    for (const auto &s : shown) titles << s.second;
    return titles;
}

QStringList designedTitles(const std::vector<GridColumn> &columns)
{
    QStringList titles;
    for (const GridColumn &c : columns) titles << c.title;
    return titles;
}

QStringList sectionLines(const QString &path, const QString &section)
{
    IniFile ini(path);
    ini.load();
    QStringList lines;
    for (const QString &key : ini.keys(section)) lines << key + '=' + ini.readString(section, key);
    return lines;
}

// A layout as the program writes it: "Тип объекта" before "Ком нат", "Балкон" hidden,
// every width given, a few drop-down settings and a row height of 18.
const char *const SaleSample[] = {
    "DBGridEh1.IDBazaSale=0,50,0,1,0,7,0",      "DBGridEh1.NameType=1,120,0,1,0,7,0",
    "DBGridEh1.KolRoom=2,30,0,1,0,7,0",         "DBGridEh1.Level=3,22,0,1,0,7,0",
    "DBGridEh1.LevelOf=4,22,0,1,0,7,0",         "DBGridEh1.S_Obsh=5,39,0,1,0,7,0",
    "DBGridEh1.S_Jil=6,40,0,1,0,7,0",           "DBGridEh1.S_Kuh=7,40,0,1,0,7,0",
    "DBGridEh1.NamePlanHome=8,72,0,1,0,7,0",    "DBGridEh1.NameMatHome=9,53,0,1,0,7,0",
    "DBGridEh1.NameBalkon=10,64,0,0,0,7,0",     "DBGridEh1.NameBathRoom=11,64,0,1,0,7,0",
    "DBGridEh1.NameDoor=12,64,0,1,0,7,0",       "DBGridEh1.NameOtoplen=13,64,0,1,0,7,0",
    "DBGridEh1.NamePlanRoom=14,64,0,1,0,7,0",   "DBGridEh1.NameTel=15,64,0,1,0,7,0",
    "DBGridEh1.NameValueKV=16,64,0,1,0,7,0",    "DBGridEh1.NameWater=17,64,0,1,0,7,0",
    "DBGridEh1.Price=18,90,0,1,2,7,0",          "DBGridEh1.PriceUSD=19,80,0,1,0,7,0",
    "DBGridEh1.PriceEUR=20,80,0,1,0,5,100",     "DBGridEh1.YearBuild=21,50,0,1,0,7,0",
    "DBGridEh1.NewNameTown=22,119,0,1,0,7,0",   "DBGridEh1.NewNameRaion=23,114,0,1,0,7,0",
    "DBGridEh1.NewNameStreet=24,98,0,1,0,7,0",  "(Default)=18,1",
};

QByteArray sampleFile()
{
    QByteArray bytes = "[BazaGridSale]\r\n";
    for (const char *line : SaleSample) bytes += QByteArray(line) + "\r\n";
    return bytes + "[Grid]\r\nRowSale=18\r\nRowSpros=15\r\n";
}

// A grid named and made as the register makes its offers grid (or another one),
// restored from and stored into a layout file of its own.
struct BareGrid {
    TempDir dir;
    QString path = dir.file("BazaGrid.ini");
    QString section, rowKey;
    DBGrid grid;

    explicit BareGrid(const QString &name = "DBGridEh1", std::vector<GridColumn> columns = saleColumns(),
                      const QString &section = "BazaGridSale", const QString &rowKey = "RowSale")
        : section(section), rowKey(rowKey)
    {
        grid.setObjectName(name);
        grid.setColumns(std::move(columns));
    }
    void restore(const QByteArray &bytes)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
        f.close();
        IniFile ini(path);
        ini.load();
        GridLayout::restore(grid, ini, section, rowKey);
    }
    void store()
    {
        IniFile ini(path);
        ini.load();
        GridLayout::store(grid, ini, section, rowKey);
        ini.save();
    }
    QString stored(const QString &inSection, const QString &key) const
    {
        IniFile ini(path);
        ini.load();
        return ini.readString(inSection, key);
    }
};

} // namespace

// Without a file the designed columns stay, and storing writes every column.
TEST(GridLayout, WithoutFileTheDesignedColumnsStay)
{
    struct Case { const char *name, *section, *rowKey; std::vector<GridColumn> columns; int keys; const char *firstKey, *first; };
    const Case cases[] = {
        {"DBGridEh1", "BazaGridSale", "RowSale", saleColumns(), 26, "DBGridEh1.IDBazaSale", "0,44,0,1,0,7,0"},
        {"DBGridEh2", "BazaGridSpros", "RowSpros", sprosColumns(), 22, "DBGridEh2.IDBazaSpros", "0,45,0,1,0,7,0"},   // two fields shown twice share a key
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.section);
        BareGrid g(c.name, c.columns, c.section, c.rowKey);
        g.restore({});
        EXPECT_EQ(titlesShown(g.grid), designedTitles(c.columns));
        EXPECT_EQ(g.grid.rowHeight(), 15);
        g.store();
        IniFile ini(g.path);
        ini.load();
        EXPECT_EQ(ini.keys(c.section).size(), c.keys);
        EXPECT_EQ(ini.readString(c.section, c.firstKey), c.first);
        EXPECT_EQ(ini.readString(c.section, "(Default)"), "15,1");
        EXPECT_EQ(ini.readString("Grid", c.rowKey), "15");
    }
}

// The register reads its layout file when shown and writes it back, byte for byte, when closed.
TEST(GridLayout, RegisterRoundTripOfWrittenSample)
{
    RegisterForms f;
    f.writeLayout(sampleFile());
    FBaza->show();
    DBGrid &grid = *FBaza->saleGrid();
    EXPECT_EQ(titlesShown(grid).mid(0, 4), QStringList({"№ Заяв.", "Тип объекта", "Ком нат", "Этаж|№"}));
    EXPECT_FALSE(grid.isVisibleColumn(columnOf(grid, "NameBalkon")));
    EXPECT_EQ(grid.width(columnOf(grid, "Price")), 90);
    EXPECT_EQ(grid.gridColumn(columnOf(grid, "PriceEUR")).dropDownWidth, 100);
    EXPECT_EQ(grid.rowHeight(), 18);
    EXPECT_EQ(FBaza->sprosGrid()->rowHeight(), 15);
    EXPECT_EQ(FBaza->sprosGrid()->width(2), 29);

    FBaza->close();
    QStringList expected;
    for (const char *line : SaleSample) expected << QString::fromUtf8(line);
    EXPECT_EQ(sectionLines(f.layoutPath(), "BazaGridSale"), expected);
    EXPECT_EQ(sectionLines(f.layoutPath(), "Grid"), QStringList({"RowSale=18", "RowSpros=15", "RowObmen=15"}));
    EXPECT_EQ(sectionLines(f.layoutPath(), "BazaGridSpros").size(), 22);
    EXPECT_TRUE(f.dialogs.calls().isEmpty());
}

// One key for "Цена" (designed at position 18); what is unreadable keeps the column's setting.
TEST(GridLayout, MissingAndGarbageValuesKeepTheColumnsSettings)
{
    struct Case { const char *value; int position, width; bool visible; };   // width 0: as designed
    const Case cases[] = {
        {"3,80,0,1,0,7,0", 3, 80, true},
        {"", 18, 0, true},
        {"abc", 18, 0, true},
        {"x,90", 18, 90, true},
        {"2", 2, 0, true},
        {",,,0", 18, 0, false},
        {"1,99999,0,5,0,7,0", 1, 0, true},
        {"-1,-5,0,1", 18, 0, true},
        {"77,0,0,1", 18, 0, true},
        {"0,70,0,1,0,7,0,9,9,9", 0, 70, true},
        {" 4 , 61 ,0,1", 4, 61, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        BareGrid g;
        const int price = columnOf(g.grid, "Price");
        const int designedWidth = g.grid.width(price);
        g.restore(QByteArray("[BazaGridSale]\r\nDBGridEh1.Price=") + c.value + "\r\n");
        EXPECT_EQ(g.grid.position(price), c.position);
        EXPECT_EQ(g.grid.isVisibleColumn(price), c.visible);
        g.grid.setVisibleColumn(price, true);   // a hidden column shows no width
        EXPECT_EQ(g.grid.width(price), c.width ? c.width : designedWidth);
        EXPECT_EQ(g.grid.columnCountTotal(), 25);
    }
}

TEST(GridLayout, RowHeightValues)
{
    struct Case { const char *value; int height; };
    const Case cases[] = {{"18", 18}, {"abc", 15}, {"", 15}, {"20.5", 15}, {"-4", 8}, {"100000", 200}, {" 25 ", 25}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        BareGrid g;
        g.restore(QByteArray("[Grid]\r\nRowSpros=30\r\nRowSale=") + c.value + "\r\n");
        EXPECT_EQ(g.grid.rowHeight(), c.height);
    }
}

// Broken files: the grid takes what can be read and keeps every column reachable.
TEST(GridLayout, BrokenFilesKeepEveryColumnReachable)
{
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) binary += char((i * 37 + 11) % 256);
    struct Case { const char *name; QByteArray bytes; int priceWidth; };
    const Case cases[] = {
        {"binary", binary, 0},
        {"truncated", "[BazaGridSale]\r\nDBGridEh1.Price=1,38", 38},
        {"unknown keys", "[BazaGridSale]\r\nDBGridEh1.Gone=0,10,0,0\r\nOther=1\r\nDBGridEh2.Price=0,5\r\n", 0},
        {"no equals", "[BazaGridSale]\r\nDBGridEh1.Price\r\n[Grid\r\nRowSale\r\n", 0},
        {"all hidden",
         [] {
             QByteArray b = "[BazaGridSale]\r\n";
             for (const GridColumn &c : saleColumns()) b += "DBGridEh1." + c.field.toUtf8() + "=,,,0\r\n";
             return b;
         }(),
         0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        BareGrid g;
        const int price = columnOf(g.grid, "Price");
        const int designedWidth = g.grid.width(price);
        g.restore(c.bytes);
        EXPECT_EQ(titlesShown(g.grid).size(), 25);
        EXPECT_EQ(g.grid.width(price), c.priceWidth ? c.priceWidth : designedWidth);
        g.store();   // and the section is written anew
        EXPECT_EQ(sectionLines(g.path, "BazaGridSale").size(), 26);
    }
}

TEST(GridLayout, DuplicateFieldColumnsShareOneKey)
{
    BareGrid g("DBGridEh2", sprosColumns(), "BazaGridSpros", "RowSpros");
    ASSERT_EQ(g.grid.gridColumn(5).field, "NameMatHome");
    ASSERT_EQ(g.grid.gridColumn(12).field, "NameMatHome");
    g.grid.setWidth(5, 61);
    g.grid.setWidth(12, 77);
    g.store();
    EXPECT_EQ(g.stored("BazaGridSpros", "DBGridEh2.NameMatHome").section(',', 1, 1), "77");

    g.grid.setWidth(5, 40);
    IniFile ini(g.path);
    ini.load();
    GridLayout::restore(g.grid, ini, "BazaGridSpros", "RowSpros");
    EXPECT_EQ(g.grid.width(5), 77);
    EXPECT_EQ(g.grid.width(12), 77);
}

// Any grid and section: the sale card's exchange grid under "BazaGridObmen".
TEST(GridLayout, OtherGridAndSection)
{
    BareGrid g("DBGridEh1", sprosColumns(), "BazaGridObmen", "RowObmen");
    g.restore("[BazaGridObmen]\r\nDBGridEh1.KolRoomMin=0,55,0,0,0,7,0\r\n[Grid]\r\nRowObmen=22\r\n");
    EXPECT_FALSE(g.grid.isVisibleColumn(1));
    EXPECT_EQ(g.grid.position(1), 0);
    EXPECT_EQ(g.grid.rowHeight(), 22);
    g.store();
    EXPECT_EQ(g.stored("BazaGridObmen", "DBGridEh1.KolRoomMin"), "0,55,0,0,0,7,0");
    EXPECT_EQ(g.stored("BazaGridObmen", "DBGridEh1.IDBazaSpros"), "1,45,0,1,0,7,0");
}
