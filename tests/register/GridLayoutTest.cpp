#include "RegisterForms.h"
#include "platform/IniFile.h"
#include "register/Baza.h"
#include "register/GridLayout.h"
#include "register/RegisterColumns.h"
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

} // namespace

TEST(GridLayout, FirstShowingWithoutFileKeepsDesignedColumnsAndRowHeight15)
{
    RegisterForms f;
    FBaza->show();
    EXPECT_EQ(titlesShown(*FBaza->saleGrid()), designedTitles(saleColumns()));
    EXPECT_EQ(titlesShown(*FBaza->sprosGrid()), designedTitles(sprosColumns()));
    for (DBGrid *grid : {FBaza->saleGrid(), FBaza->sprosGrid()}) EXPECT_EQ(grid->rowHeight(), 15);
    EXPECT_EQ(FBaza->saleGrid()->width(0), 44);
    EXPECT_EQ(FBaza->saleGrid()->width(columnOf(*FBaza->saleGrid(), "NewNameTown")), 119);
    EXPECT_EQ(FBaza->sprosGrid()->width(2), 29);
    EXPECT_EQ(FBaza->saleGrid()->width(columnOf(*FBaza->saleGrid(), "Level")), 22);

    FBaza->close();
    IniFile ini(f.layoutPath());
    ini.load();
    EXPECT_EQ(ini.keys("BazaGridSale").size(), 26);
    EXPECT_EQ(ini.keys("BazaGridSpros").size(), 22);   // two fields shown twice share a key
    EXPECT_EQ(ini.readString("BazaGridSale", "DBGridEh1.IDBazaSale"), "0,44,0,1,0,7,0");
    EXPECT_EQ(ini.readString("BazaGridSpros", "(Default)"), "15,1");
    EXPECT_EQ(ini.readString("Grid", "RowSale"), "15");
    EXPECT_EQ(ini.readString("Grid", "RowSpros"), "15");
    EXPECT_TRUE(f.dialogs.calls().isEmpty());
}

TEST(GridLayout, RoundTripOfWrittenSample)
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

    FBaza->close();
    QStringList expected;
    for (const char *line : SaleSample) expected << QString::fromUtf8(line);
    EXPECT_EQ(sectionLines(f.layoutPath(), "BazaGridSale"), expected);
    EXPECT_EQ(sectionLines(f.layoutPath(), "Grid"), QStringList({"RowSale=18", "RowSpros=15"}));
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
        RegisterForms f;
        DBGrid &grid = *FBaza->saleGrid();
        const int price = columnOf(grid, "Price");
        const int designedWidth = grid.width(price);
        f.writeLayout(QByteArray("[BazaGridSale]\r\nDBGridEh1.Price=") + c.value + "\r\n");
        FBaza->show();
        EXPECT_EQ(grid.position(price), c.position);
        EXPECT_EQ(grid.isVisibleColumn(price), c.visible);
        grid.setVisibleColumn(price, true);   // a hidden column shows no width
        EXPECT_EQ(grid.width(price), c.width ? c.width : designedWidth);
        EXPECT_EQ(grid.columnCountTotal(), 25);
    }
}

TEST(GridLayout, RowHeightValues)
{
    struct Case { const char *value; int height; };
    const Case cases[] = {{"18", 18}, {"abc", 15}, {"", 15}, {"20.5", 15}, {"-4", 8}, {"100000", 200}, {" 25 ", 25}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        RegisterForms f;
        f.writeLayout(QByteArray("[Grid]\r\nRowSale=") + c.value + "\r\n");
        FBaza->show();
        EXPECT_EQ(FBaza->saleGrid()->rowHeight(), c.height);
        EXPECT_EQ(FBaza->sprosGrid()->rowHeight(), 15);
    }
}

// Broken files: the window opens with what can be read and keeps every column reachable.
TEST(GridLayout, BrokenFilesOpenTheWindow)
{
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) binary += char((i * 37 + 11) % 256);
    struct Case { const char *name; QByteArray bytes; int visibleSale; int priceWidth; };
    const Case cases[] = {
        {"binary", binary, 25, 0},
        {"truncated", "[BazaGridSale]\r\nDBGridEh1.Price=1,38", 25, 38},
        {"unknown keys", "[BazaGridSale]\r\nDBGridEh1.Gone=0,10,0,0\r\nOther=1\r\nDBGridEh2.Price=0,5\r\n", 25, 0},
        {"no equals", "[BazaGridSale]\r\nDBGridEh1.Price\r\n[Grid\r\nRowSale\r\n", 25, 0},
        {"all hidden",
         [] {
             QByteArray b = "[BazaGridSale]\r\n";
             for (const GridColumn &c : saleColumns()) b += "DBGridEh1." + c.field.toUtf8() + "=,,,0\r\n";
             return b;
         }(),
         25, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RegisterForms f;
        DBGrid &grid = *FBaza->saleGrid();
        const int price = columnOf(grid, "Price");
        const int designedWidth = grid.width(price);
        f.writeLayout(c.bytes);
        FBaza->show();
        EXPECT_EQ(titlesShown(grid).size(), c.visibleSale);
        EXPECT_EQ(grid.width(price), c.priceWidth ? c.priceWidth : designedWidth);
        EXPECT_TRUE(f.dialogs.calls().isEmpty());
        FBaza->close();   // and the file is written anew
        EXPECT_EQ(sectionLines(f.layoutPath(), "BazaGridSale").size(), 26);
    }
}

TEST(GridLayout, DuplicateFieldColumnsShareOneKey)
{
    RegisterForms f;
    FBaza->show();
    DBGrid &grid = *FBaza->sprosGrid();
    ASSERT_EQ(grid.gridColumn(5).field, "NameMatHome");
    ASSERT_EQ(grid.gridColumn(12).field, "NameMatHome");
    grid.setWidth(5, 61);
    grid.setWidth(12, 77);
    FBaza->close();
    IniFile ini(f.layoutPath());
    ini.load();
    EXPECT_EQ(ini.readString("BazaGridSpros", "DBGridEh2.NameMatHome").section(',', 1, 1), "77");

    FBaza->show();
    EXPECT_EQ(grid.width(5), 77);
    EXPECT_EQ(grid.width(12), 77);
}

// Any grid and section: the sale card's exchange grid under "BazaGridObmen".
TEST(GridLayout, OtherGridAndSection)
{
    RegisterForms f;
    DBGrid grid;
    grid.setObjectName("DBGridEh1");
    grid.setDataset(&DMDomlar->table("ADOTBazaSprosForObmen"));
    grid.setColumns(sprosColumns());
    IniFile ini(f.layoutPath());
    ini.writeString("BazaGridObmen", "DBGridEh1.KolRoomMin", "0,55,0,0,0,7,0");
    ini.writeString("Grid", "RowObmen", "22");
    GridLayout::restore(grid, ini, "BazaGridObmen", "RowObmen");
    EXPECT_FALSE(grid.isVisibleColumn(1));
    EXPECT_EQ(grid.position(1), 0);
    EXPECT_EQ(grid.rowHeight(), 22);
    GridLayout::store(grid, ini, "BazaGridObmen", "RowObmen");
    EXPECT_EQ(ini.readString("BazaGridObmen", "DBGridEh1.KolRoomMin"), "0,55,0,0,0,7,0");
    EXPECT_EQ(ini.readString("BazaGridObmen", "DBGridEh1.IDBazaSpros"), "1,45,0,1,0,7,0");
}
