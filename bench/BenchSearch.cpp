// Figures for the matching search over a large database:
//   bench_search <program folder with Data/domlar.mde> [screenshot prefix]
// For each direction: "Искать" with every criterion and with none, against the
// floor of the same SQL with the same values stepped through the bare SQLite API.
#include "cards/ExchangeTab.h"
#include "cards/KardSale.h"
#include "widgets/DBGrid.h"
#include "widgets/NumberEdits.h"
#include "data/DataModule.h"
#include "data/Money.h"
#include "data/Query.h"
#include "platform/ScriptedDialogs.h"
#include "search/SearchForSale.h"
#include "search/SearchForSpros.h"
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int Runs = 7;

// The median of several runs, in milliseconds.
double median(const std::function<void()> &action)
{
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer t;
        t.start();
        action();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::nth_element(ms.begin(), ms.begin() + Runs / 2, ms.end());
    return ms[Runs / 2];
}

void bind(sqlite3_stmt *st, int i, const QVariant &v)
{
    if (v.metaType() == QMetaType::fromType<Money>()) sqlite3_bind_int64(st, i, v.value<Money>().units());
    else if (v.metaType().id() == QMetaType::QString) {
        const QByteArray utf8 = v.toString().toUtf8();
        sqlite3_bind_text(st, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    } else sqlite3_bind_int64(st, i, v.toLongLong());
}

// The same text and values through the bare API, reading every column of every row; returns the row count.
int bareRun(sqlite3 *db, const SqlText &sql)
{
    sqlite3_stmt *st = nullptr;
    const QByteArray text = sql.sql().toUtf8();
    sqlite3_prepare_v2(db, text.constData(), int(text.size()), &st, nullptr);
    for (int i = 1; i <= sqlite3_bind_parameter_count(st); ++i)
        bind(st, i, sql.param(QString::fromUtf8(sqlite3_bind_parameter_name(st, i) + 1)));
    int rows = 0;
    static volatile int64_t sink = 0;   // the values are read, as a dataset reads them
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT) sink = sink + sqlite3_column_bytes(st, c);
            else sink = sink + sqlite3_column_int64(st, c);
        }
    }
    sqlite3_finalize(st);
    return rows;
}

void measure(const char *direction, SearchWindow *w, sqlite3 *db)
{
    for (bool all : {true, false}) {
        w->setTicked(all ? AllCriteria : Criteria{});
        const double ours = median([w] { w->Search(); });
        const int found = w->result().recordCount();
        int bare = 0;
        const double floor = median([&] { bare = bareRun(db, w->result()); });
        std::printf("%-9s %-4s criteria: %7d rows  Искать %8.1f ms  floor %8.1f ms  ratio %5.2f%s\n", direction,
                    all ? "all" : "none", found, ours, floor, ours / floor, bare == found ? "" : "  (row counts differ!)");
    }
}

// From the call to the window shown and painted.
double showing(ScriptedDialogs &dialogs, SearchWindow *w, const QString &screenshot)
{
    QElapsedTimer t;
    double ms = 0;
    dialogs.answerModal([&](QWidget *window) {
        window->show();
        QApplication::processEvents();
        ms = double(t.nsecsElapsed()) / 1e6;
        if (!screenshot.isEmpty()) {
            auto *search = static_cast<SearchWindow *>(window);
            search->Search();
            QApplication::processEvents();
            window->grab().save(screenshot);
            search->CBNear->setChecked(true);
            search->Search();
            QApplication::processEvents();
            search->result().last();   // the near misses follow the exact matches
            QApplication::processEvents();
            window->grab().save(screenshot + ".near.png");
        }
        window->hide();
        return 0;
    });
    t.start();
    w->Execute();
    return ms;
}

// The sale card's exchange tab on the offer with the most exchange variants.
void exchangeScreenshot(TDMDomlar &module, const QString &path)
{
    Query most(module.ADOConnection, "SELECT IDBazaSaleForObmen FROM BazaSpros WHERE IDBazaSaleForObmen>0 "
                                     "GROUP BY IDBazaSaleForObmen ORDER BY count(*) DESC LIMIT 1");
    most.open();
    const int offer = most.field(0).asInteger();
    module.table("ADOTBazaSale").locate("IDBazaSale", offer);
    TFKardSale card;
    card.bindSources();
    card.IDBazaSale->setValue(offer);
    card.show();
    card.PageControl1->setCurrentWidget(card.TabObmen);
    QApplication::processEvents();
    card.grab().save(path);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_search <program folder> [screenshot prefix]\n");
        return 2;
    }
    ScopedScriptedDialogs dialogs;
    TDMDomlar module(QString::fromLocal8Bit(argv[1]), [](const QString &) {});
    module.DataModuleCreate();
    std::printf("offers: %d, demands: %d\n", module.table("ADOTBazaSale").recordCount(),
                module.table("ADOTBazaSpros").recordCount());
    auto *sale = new TFSearchForSale;
    auto *spros = new TFSearchForSpros;
    const QString prefix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    for (SearchWindow *w : {static_cast<SearchWindow *>(sale), static_cast<SearchWindow *>(spros)}) {
        w->start().setRecNo(w->start().recordCount() / 2);
        const double shown = showing(dialogs, w, prefix.isEmpty() ? prefix : prefix + w->objectName() + ".png");
        std::printf("%-16s \"Поиск\" to the window shown: %.1f ms\n", qPrintable(w->objectName()), shown);
    }
    if (!prefix.isEmpty()) exchangeScreenshot(module, prefix + "FKardSale.png");
    sqlite3 *db = module.ADOConnection.handle();
    measure("demands", sale, db);
    measure("offers", spros, db);
    delete spros;
    delete sale;
    return 0;
}
