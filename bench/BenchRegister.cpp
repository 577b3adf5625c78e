// Figures for the register window over a large database:
//   bench_register <program folder with Data/domlar.mde> [screenshot.png]
#include "data/DataModule.h"
#include "platform/Dialogs.h"
#include "platform/ScriptedDialogs.h"
#include "register/Baza.h"
#include "register/SelectColShow.h"
#include "widgets/DBGrid.h"
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPixmap>
#include <QTextStream>
#include <cstdio>
#include <functional>

namespace {

double timed(const std::function<void()> &action)
{
    QElapsedTimer t;
    t.start();
    action();
    QApplication::processEvents();
    return double(t.nsecsElapsed()) / 1e6;
}

void report(const char *what, double ms) { std::printf("%-44s %10.1f ms\n", what, ms); }

int columnOf(DBGrid &grid, const QString &field)
{
    for (int l = 0; l < grid.columnCountTotal(); ++l)
        if (grid.gridColumn(l).field == field) return l;
    return -1;
}

void sortBy(DBGrid &grid, const QString &field)
{
    emit grid.horizontalHeader()->sectionClicked(columnOf(grid, field));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_register <program folder> [screenshot.png]\n");
        return 2;
    }
    ScopedScriptedDialogs dialogs;
    TDMDomlar module(QString::fromLocal8Bit(argv[1]), [](const QString &) {});
    report("open the data module", timed([&] { module.DataModuleCreate(); }));
    std::printf("offers: %d, demands: %d\n", module.table("ADOTBazaSale").recordCount(),
                module.table("ADOTBazaSpros").recordCount());

    report("make the register", timed([] { FBaza = new TFBaza; FSelectColShow = new TFSelectColShow; }));
    report("first showing (layouts restored)", timed([] { FBaza->show(); }));
    DBGrid &grid = *FBaza->saleGrid();
    report("sort offers by NameType (text)", timed([&] { sortBy(grid, "NameType"); }));
    report("sort offers by Price (money)", timed([&] { sortBy(grid, "Price"); }));
    report("click on \"Улица\" (not sortable)", timed([&] { sortBy(grid, "NewNameStreet"); }));

    grid.setCurrentIndex(grid.model()->index(10, columnOf(grid, "NameType")));
    dialogs.answerMessage(Dialogs::Ok);
    auto *box = FBaza->findChild<QCheckBox *>("CBFilterSale");
    report("filter on NameType", timed([&] { box->click(); }));
    std::printf("rows shown: %d\n", module.table("ADOTBazaSale").recordCount());
    report("filter off", timed([&] { box->click(); }));

    grid.setCurrentIndex(grid.model()->index(10, columnOf(grid, "Price")));
    dialogs.answerMessage(Dialogs::Ok);
    report("filter on Price", timed([&] { box->click(); }));
    std::printf("rows shown: %d\n", module.table("ADOTBazaSale").recordCount());
    report("filter off", timed([&] { box->click(); }));
    report("closing (layouts stored)", timed([] { FBaza->close(); }));
    report("second showing (same row height)", timed([] { FBaza->show(); }));
    report("row height 16 on the offers grid", timed([&] { grid.setRowHeight(16); }));
    FBaza->close();

    if (argc > 2) {
        FBaza->show();
        QApplication::processEvents();
        FBaza->grab().save(QString::fromLocal8Bit(argv[2]));
        dialogs.answerModal([&](QWidget *chooser) {
            chooser->show();
            QApplication::processEvents();
            chooser->grab().save(QString::fromLocal8Bit(argv[2]) + ".chooser.png");
            chooser->hide();
            return int(Dialogs::Cancel);
        });
        FBaza->findChild<QWidget *>("BSelectColSpros")->metaObject()->invokeMethod(
            FBaza->findChild<QWidget *>("BSelectColSpros"), "click");
        FBaza->close();
    }
    delete FSelectColShow;
    delete FBaza;
    return 0;
}
