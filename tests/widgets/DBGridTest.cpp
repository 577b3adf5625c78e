#include "widgets/DBGrid.h"
#include "data/Dataset.h"
#include "platform/ScriptedDialogs.h"
#include "support/TestDatabase.h"
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

GridColumn column(const QString &field, const QString &title, int width = 0, bool sortable = true, const QString &format = {})
{
    GridColumn c;
    c.field = field;
    c.title = title;
    c.width = width;
    c.sortable = sortable;
    c.format = format;
    return c;
}

struct GridFixture {
    TestDatabase db;
    Table towns{db.connection, "SprTown"};
    DBGrid grid;

    GridFixture()
    {
        db.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (3, 'Тверь'), (1, 'Клин'), (2, 'Дубна')");
        towns.open();
        grid.setDataset(&towns);
        grid.setColumns({column("IDTown", "Код", 40), column("NameTown", "Город|Название"), column("CodeOfKladr", "Город|КЛАДР", 0, false)});
        grid.resize(400, 300);
        grid.setFrozenFirstColumn(true);
    }
    QString nameAt(int row) { return grid.datasetModel()->displayText(row, 1); }
};

} // namespace

TEST(DatasetModel, PassesTheModelTesterThroughEveryChange)
{
    GridFixture f;
    QAbstractItemModelTester tester(f.grid.datasetModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    f.towns.append();
    f.towns.fieldByName("IDTown").setInteger(4);
    f.towns.post();
    f.towns.insert();
    EXPECT_EQ(f.towns.state(), Dataset::State::Insert);
    f.towns.cancel();
    EXPECT_EQ(f.towns.recordCount(), 4);
    f.towns.setSort({"NameTown"});
    f.towns.setFilterText("NameTown='Клин'");
    f.towns.setFiltered(true);
    f.towns.setFiltered(false);
    f.towns.first();
    const int deleted = f.towns.fieldByName("IDTown").asInteger();
    f.towns.deleteRecord();
    EXPECT_FALSE(f.towns.locate("IDTown", deleted));
    f.towns.requery();
    f.towns.close();
    f.towns.open();
    EXPECT_EQ(f.grid.datasetModel()->rowCount(), 3);
}

TEST(DatasetModel, DisplayTexts)
{
    TestDatabase db;
    db.exec("INSERT INTO SprUE (UEDate, Dollar, EURO) VALUES ('1899-12-30', 285000, 12345678901234), (NULL, NULL, -5)");
    Table rates(db.connection, "SprUE");
    rates.open();
    DatasetModel m;
    m.setDataset(&rates);
    m.setColumns({column("UEDate", "Дата"), column("Dollar", "КУРС|$", 0, true, "0.0000"), column("EURO", "КУРС|EUR"), column("Tec", "Тек")});
    const QChar nb(0x00A0);
    EXPECT_EQ(m.displayText(0, 0), "");                       // the zero date shows empty
    EXPECT_EQ(m.displayText(0, 1), "28,5000");
    EXPECT_EQ(m.displayText(0, 2), QStringList({"1", "234", "567", "890,12"}).join(nb));
    EXPECT_EQ(m.displayText(1, 1), "");                       // no value
    EXPECT_EQ(m.displayText(1, 2), "0,00");                  // -0.0005 rounds to zero
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "КУРС|$");
    EXPECT_EQ(m.data(m.index(0, 1), Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
}

// The selected row and the dataset's current row follow each other both ways.
TEST(DBGrid, FollowsTheCurrentRow)
{
    GridFixture f;
    ASSERT_TRUE(f.towns.locate("NameTown", QStringLiteral("Дубна")));
    EXPECT_EQ(f.grid.currentIndex().row(), 2);
    f.grid.selectRow(1);
    EXPECT_EQ(f.towns.fieldByName("NameTown").asString(), QStringLiteral("Клин"));
    f.towns.append();
    EXPECT_EQ(f.grid.currentIndex().row(), 3);
    f.towns.cancel();
    EXPECT_EQ(f.grid.currentText(1), QStringLiteral("Клин"));
}

TEST(DBGrid, TitleClickOrdersTheDataset)
{
    GridFixture f;
    f.grid.horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(f.towns.sort(), QStringList({"NameTown"}));
    EXPECT_EQ(f.nameAt(0), QStringLiteral("Дубна"));
    f.grid.horizontalHeader()->sectionClicked(1);   // a second click changes nothing
    EXPECT_EQ(f.nameAt(0), QStringLiteral("Дубна"));
    f.grid.horizontalHeader()->sectionClicked(2);   // not sortable
    EXPECT_EQ(f.towns.sort(), QStringList({"NameTown"}));
}

TEST(DBGrid, IncrementalSearchAndKeyboardDelete)
{
    GridFixture f;
    f.grid.setCurrentIndex(f.grid.datasetModel()->index(0, 1));
    for (const QString &letter : {QStringLiteral("к"), QStringLiteral("л")}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, letter);
        QApplication::sendEvent(&f.grid, &press);
    }
    EXPECT_EQ(f.towns.fieldByName("IDTown").asInteger(), 1);

    ScopedScriptedDialogs dialogs;
    dialogs.answerMessage(Dialogs::No);
    QTest::keyClick(&f.grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(f.towns.recordCount(), 3);
    dialogs.answerMessage(Dialogs::Yes);
    QTest::keyClick(&f.grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(f.towns.recordCount(), 2);
    EXPECT_EQ(dialogs.calls().at(0).text, "Delete record?");
    EXPECT_FALSE(f.towns.locate("IDTown", 1));
}

TEST(DBGrid, ColumnLayoutOperations)
{
    GridFixture f;
    f.grid.moveToPosition(2, 0);
    EXPECT_EQ(f.grid.position(2), 0);
    EXPECT_EQ(f.grid.position(0), 1);
    f.grid.setVisibleColumn(1, false);
    EXPECT_FALSE(f.grid.isVisibleColumn(1));
    f.grid.setWidth(0, 77);
    EXPECT_EQ(f.grid.width(0), 77);
    f.grid.setRowHeight(22);
    EXPECT_EQ(f.grid.rowHeight(), 22);
}
