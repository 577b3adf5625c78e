#pragma once
#include "data/DataModule.h"
#include "documents/Report.h"
#include "platform/AppError.h"
#include "report/Preparer.h"
#include "support/TestDatabase.h"
#include <QDir>
#include <memory>

// The data module over a real temporary database, with the program's reports.
struct ReportData {
    TempDir dir;
    std::unique_ptr<TDMDomlar> dm;
    TFReport reports;

    ReportData()
    {
        QDir(dir.path()).mkdir(QStringLiteral("Data"));
        createTestDatabase(dir.file(QStringLiteral("Data/domlar.mde")));
        dm = std::make_unique<TDMDomlar>(dir.path(), [](const QString &) {});
        dm->DataModuleCreate();
        exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Самара')");
        exec("INSERT INTO SprRaion (IDRaion, NameRaion, IDTown) VALUES (1, 'Кировский', 1)");
        exec("INSERT INTO SprStreet (IDStreet, NameStreet, IDRaion, IDTown) VALUES (1, 'Победы', 1, 1)");
        exec("INSERT INTO SprKlient (IDKlient, NameKlient, AdressKlient, TelKlient) VALUES (1, 'Иванов', 'ул. Мира 1', '555')");
        for (const char *t : {"ADOTSprTown", "ADOTSprRaion", "ADOTSprStreet", "ADOTSprKlient"}) table(t).requery();
    }
    void exec(const QString &sql) { dm->ADOConnection.execute(sql); }
    Table &table(const QString &name) { return dm->table(name); }
    Table &sale() { return table(QStringLiteral("ADOTBazaSale")); }
    Table &spros() { return table(QStringLiteral("ADOTBazaSpros")); }

    // Offers 1..n; prices 1000.5 * id; type "Квартира" for odd ids, "Дом" for even.
    void addOffers(int n, int raion = 1)
    {
        dm->ADOConnection.execute(QStringLiteral("BEGIN"));
        for (int i = 1; i <= n; ++i)
            exec(QStringLiteral("INSERT INTO BazaSale (IDBazaSale, DateReg, IDTown, IDRaion, IDStreet, IDKlient, "
                                "Price, PriceUSD, KolRoom, NameType, Home, Korpus, KV) VALUES "
                                "(%1, '2026-11-0%2', 1, %3, 1, 1, %4, %5, 2, '%6', '5', '1', 7)")
                     .arg(i).arg(i % 9 + 1).arg(raion).arg(qint64(i) * 250005000).arg(qint64(i) * 100050000)
                     .arg(i % 2 ? "Квартира" : "Дом"));
        dm->ADOConnection.execute(QStringLiteral("COMMIT"));
        sale().requery();
    }
};

inline PreparedReport prepare(const ReportJob &job, QDate today = QDate(2026, 12, 1))
{
    PreparedReport out;
    Preparer(job.report, job.sourceList(), out, today).prepareAll();
    return out;
}

// The texts of a page, as painted.
inline QStringList pageTexts(const PreparedReport &r, int page)
{
    QStringList out;
    for (const TextItem &t : r.pages[page].texts) out << r.displayText(page, t);
    return out;
}
