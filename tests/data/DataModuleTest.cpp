#include "support/TestDatabase.h"
#include "data/DataModule.h"
#include "data/Query.h"
#include "platform/AppError.h"
#include <QQueue>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <gtest/gtest.h>

namespace {

// A program folder with its Data folder, and a data module over it.
struct ProgramFolder {
    TempDir dir;
    QStringList status;
    QQueue<std::optional<QString>> answers;   // what the user answers when no database is found
    QStringList askedIn;                      // the data folders the question was asked in
    std::unique_ptr<TDMDomlar> dm;

    explicit ProgramFolder(bool withData = true)
    {
        if (withData) QDir(dir.path()).mkdir("Data");
    }
    // A database that `other` holds an exclusive lock on, as another program would.
    void lockedByAnotherProgram(Connection &other)
    {
        createTestDatabase(data("domlar.mde"));
        other.open(Connection::connectionTextFor(data("domlar.mde")));
        other.execute("BEGIN EXCLUSIVE");
    }
    QString data(const QString &name = {}) const { return dir.file("Data") + (name.isEmpty() ? "" : "/" + name); }
    TDMDomlar &create()
    {
        dm = std::make_unique<TDMDomlar>(dir.path(), [this](const QString &s) { status << s; });
        dm->setDatabaseQuestion([this](const QString &folder) {
            askedIn << folder;
            return answers.isEmpty() ? std::nullopt : answers.dequeue();
        });
        dm->DataModuleCreate();
        return *dm;
    }
};

} // namespace

TEST(DataModule, DefaultDatabaseIsUsedWhateverDataIniSays)
{
    ProgramFolder p;
    createTestDatabase(p.data("domlar.mde"));
    p.dir.write("Data/Data.ini", "[Path]\r\nBaza=/nowhere/else.mde\r\n");
    TDMDomlar &dm = p.create();
    EXPECT_TRUE(dm.ADOConnection.connected());
    EXPECT_EQ(p.status, QStringList({"Путь к базе данных: " + QFileInfo(p.data("domlar.mde")).absoluteFilePath()}));
    EXPECT_TRUE(p.askedIn.isEmpty());
    EXPECT_EQ(dm.dataFolder(), QFileInfo(p.data()).absoluteFilePath());
    EXPECT_EQ(QDir::currentPath(), dm.dataFolder());   // relative names land in the data folder
    EXPECT_EQ(DMDomlar, &dm);
    EXPECT_EQ(dm.ADOConnection.connectionText(), Connection::connectionTextFor(dm.databasePath()));
}

TEST(DataModule, DatasetsAreOpenAndReachableByName)
{
    ProgramFolder p;
    TestDatabase seed;
    seed.exec("INSERT INTO SprKlient (IDKlient, NameKlient, TelKlient) VALUES (1, 'Яковлев', '11'), (2, 'Антонов', '22')");
    seed.exec("INSERT INTO BazaSale (IDBazaSale, IDKlient) VALUES (7, 2), (8, 1)");
    seed.exec("INSERT INTO BazaSpros (IDBazaSpros, IDBazaSaleForObmen) VALUES (1, 8), (2, NULL), (3, 8)");
    seed.connection.close();
    QFile::copy(seed.path, p.data("domlar.mde"));
    TDMDomlar &dm = p.create();

    for (const QString &name : TDMDomlar::openingOrder()) {
        ASSERT_NE(dm.dataset(name), nullptr) << name.toStdString();
        EXPECT_TRUE(dm.dataset(name)->active()) << name.toStdString();
    }
    EXPECT_EQ(TDMDomlar::openingOrder().size(), 26);
    EXPECT_EQ(dm.dataSource("DSSprType")->dataset(), dm.dataset("ADOTSprType"));
    EXPECT_EQ(dm.dataSource("DSADOTBazaSprosForObmen")->dataset(), dm.dataset("ADOTBazaSprosForObmen"));
    EXPECT_EQ(dm.dataset("ADOTSprKlient")->fieldByName("NameKlient").asString(), QStringLiteral("Антонов"));
    EXPECT_THROW(dm.table("ADOTNothing"), AppError);

    Table &sale = dm.table("ADOTBazaSale");
    Table &exchange = dm.table("ADOTBazaSprosForObmen");
    EXPECT_EQ(sale.fieldByName("NewNameKlient").asString(), QStringLiteral("Антонов"));
    EXPECT_EQ(sale.fieldByName("NewKlientTel").asString(), "22");
    EXPECT_TRUE(exchange.isEmpty());
    sale.next();
    EXPECT_EQ(exchange.recordCount(), 2);
    exchange.append();
    EXPECT_EQ(exchange.fieldByName("IDBazaSaleForObmen").asInteger(), 8);
    exchange.cancel();
    EXPECT_EQ(dm.table("ADOTBazaSpros").recordCount(), 3);
}

TEST(DataModule, DataIniPathWithAnyLetterCase)
{
    struct Case { const char *name; QByteArray ini; };
    const Case cases[] = {
        {"as written", "[Path]\r\nBaza=%1\r\n"},
        {"as asked", "[path]\nbaza=%1\n"},
        {"shouted, with garbage", "garbage line\r\n\x01\x02\r\n[PATH]\r\nBAZA = %1 \r\n[Other]\r\nBaza=/x\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolder p;
        const QString elsewhere = createTestDatabase(p.dir.file(QStringLiteral("Другая папка/база.mde")));
        p.dir.write("Data/Data.ini", QString::fromUtf8(c.ini).arg(elsewhere).toUtf8());
        p.create();
        EXPECT_TRUE(p.dm->ADOConnection.connected());
        EXPECT_EQ(p.status.last(), "Путь к базе данных: " + elsewhere);
    }
}

TEST(DataModule, Cp1251DataIni)
{
    ProgramFolder p;
    const QString elsewhere = createTestDatabase(p.dir.file(QStringLiteral("Базы/domlar.mde")));
    // "Базы" in cp1251 is C1 E0 E7 FB.
    QByteArray ini = "[Path]\r\nBaza=" + elsewhere.toUtf8().replace("Базы", "\xC1\xE0\xE7\xFB") + "\r\n";
    p.dir.write("Data/Data.ini", ini);
    p.create();
    EXPECT_TRUE(p.dm->ADOConnection.connected());
}

// No database: a cancelled file dialog asks again; giving up leaves the program without a database.
TEST(DataModule, NotFoundAskThenGiveUp)
{
    ProgramFolder p;
    p.dir.write("Data/Data.ini", "[Path]\r\nBaza=/no/such/file.mde\r\n");
    p.answers << QString() << std::nullopt;
    TDMDomlar &dm = p.create();
    EXPECT_EQ(p.askedIn, QStringList({dm.dataFolder(), dm.dataFolder()}));
    EXPECT_TRUE(p.answers.isEmpty());
    EXPECT_FALSE(dm.ADOConnection.connected());
    EXPECT_FALSE(dm.table("ADOTBazaSale").active());
    EXPECT_THROW(dm.table("ADOTBazaSale").first(), AppError);
    EXPECT_EQ(p.status.last(), QStringLiteral("БАЗА ДАННЫХ НЕ НАЙДЕНА !"));
    EXPECT_EQ(QDir(p.data()).entryList(QDir::Files), QStringList({"Data.ini"}));   // no database made
}

TEST(DataModule, ChosenFileIsRememberedInDataIni)
{
    ProgramFolder p;
    const QString chosen = createTestDatabase(p.dir.file(QStringLiteral("архив/моя база.mde")));
    p.answers << chosen;
    p.create();
    EXPECT_TRUE(p.dm->ADOConnection.connected());
    EXPECT_EQ(p.status, QStringList({"БАЗА ДАННЫХ НЕ НАЙДЕНА !", "Путь к базе данных: " + chosen}));

    p.dm.reset();
    p.status.clear();
    p.askedIn.clear();
    p.create();   // the next start uses it without asking
    EXPECT_TRUE(p.dm->ADOConnection.connected());
    EXPECT_TRUE(p.askedIn.isEmpty());
}

TEST(DataModule, UnopenableDatabaseIsReportedNotAskedFor)
{
    ProgramFolder p;
    p.dir.write("Data/domlar.mde", QByteArray(4096, '\x13'));
    try {
        p.create();
        FAIL() << "no error";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("поврежден"))) << e.text().toStdString();
    }
    EXPECT_TRUE(p.askedIn.isEmpty());
    EXPECT_TRUE(p.status.isEmpty());
    EXPECT_FALSE(p.dm->table("ADOTSprBalkon").active());
}

TEST(DataModule, NoDataFolder)
{
    ProgramFolder p(false);
    EXPECT_THROW(p.create(), AppError);
    EXPECT_FALSE(p.dm->ADOConnection.connected());
    EXPECT_FALSE(QDir(p.data()).exists());
}

namespace {

QStringList indexNames(Connection &c)
{
    Query q(c, "SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name");
    q.open();
    QStringList names;
    for (q.first(); !q.eof(); q.next())
        names << q.fieldByName("name").asString();
    return names;
}

} // namespace

// Another program keeps the database locked at start-up: the user is asked, and trying again opens it.
TEST(DataModule, BusyDatabaseOffersToTryAgain)
{
    ProgramFolder p;
    Connection other;
    p.lockedByAnotherProgram(other);

    TDMDomlar dm(p.dir.path(), [&](const QString &s) { p.status << s; });
    dm.ADOConnection.setBusyTimeout(0);
    QStringList questions;
    dm.askTryAgain = [&](const QString &question) {
        questions << question;
        if (questions.size() == 2) other.execute("COMMIT");
        return true;
    };
    dm.DataModuleCreate();

    ASSERT_EQ(questions.size(), 2);
    EXPECT_TRUE(questions[0].contains(QStringLiteral("занята другой программой"))) << questions[0].toStdString();
    EXPECT_TRUE(questions[0].endsWith(QStringLiteral("Попробовать снова?")));
    EXPECT_TRUE(dm.ADOConnection.connected());
    EXPECT_TRUE(dm.table("ADOTBazaSale").active());
    EXPECT_EQ(p.status.first(), QStringLiteral("База данных занята другой программой, ожидание..."));
    EXPECT_EQ(p.status.last(), "Путь к базе данных: " + dm.databasePath());
}

TEST(DataModule, BusyDatabaseGivenUp)
{
    ProgramFolder p;
    Connection other;
    p.lockedByAnotherProgram(other);

    TDMDomlar dm(p.dir.path(), [&](const QString &s) { p.status << s; });
    dm.setDatabaseQuestion([&](const QString &folder) -> std::optional<QString> { p.askedIn << folder; return {}; });
    dm.ADOConnection.setBusyTimeout(0);
    EXPECT_THROW(dm.DataModuleCreate(), DatabaseBusyError);   // nobody to ask: gives up
    dm.askTryAgain = [](const QString &) { return false; };
    EXPECT_NO_THROW(dm.DataModuleCreate());
    EXPECT_FALSE(dm.ADOConnection.connected());
    EXPECT_TRUE(p.status.last().contains(QStringLiteral("занята другой программой")));
    EXPECT_TRUE(p.askedIn.isEmpty());   // not taken for a missing database
}

// A write-protected database file, or one in a write-protected folder, is announced and stays read-only.
TEST(DataModule, ReadOnlyDatabaseIsAnnounced)
{
    struct Case { const char *name; bool protectFolder; QString protectedName; };
    for (const Case &c : {Case{"file", false, "domlar.mde"}, Case{"folder", true, "Data"}}) {
        SCOPED_TRACE(c.name);
        ProgramFolder p;
        createTestDatabase(p.data("domlar.mde"));
        const QString target = c.protectFolder ? p.data() : p.data("domlar.mde");
        const auto permissions = QFile::permissions(target);
        QFile::setPermissions(target, permissions & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup
                                                      | QFile::WriteOther));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(target, permissions); });

        TDMDomlar dm(p.dir.path(), [&](const QString &s) { p.status << s; });
        QStringList notices;
        dm.announceReadOnly = [&](const QString &notice) { notices << notice; };
        dm.DataModuleCreate();
        ASSERT_EQ(notices.size(), 1);
        EXPECT_TRUE(notices[0].startsWith(QStringLiteral("База данных открыта только для чтения: ")));
        EXPECT_TRUE(notices[0].contains("«" + QDir::toNativeSeparators(target) + "»")) << notices[0].toStdString();
        EXPECT_EQ(dm.ADOConnection.readOnlyNotice(), notices[0]);

        Table &town = dm.table("ADOTSprTown");
        town.append();
        town.fieldByName("IDTown").setInteger(1);
        try {
            town.post();
            ADD_FAILURE() << "stored";
        } catch (const AppError &e) {
            EXPECT_TRUE(e.text().contains(notices[0])) << e.text().toStdString();
        }
    }
}

// A file made before the key columns were indexed gets the indexes when it opens.
TEST(DataModule, MissingIndexesAreAdded)
{
    ProgramFolder p;
    {
        TestDatabase seed;
        const QStringList all = indexNames(seed.connection);
        ASSERT_TRUE(all.contains("BazaSaleKey"));
        for (const QString &name : all)
            seed.exec("DROP INDEX " + name);
        seed.connection.close();
        QFile::copy(seed.path, p.data("domlar.mde"));
    }
    TDMDomlar &dm = p.create();
    EXPECT_EQ(indexNames(dm.ADOConnection),
              QStringList({"BazaSaleKey", "BazaSprosForObmen", "BazaSprosKey", "BazaSprosVarMestKey",
                           "BazaSprosVarMestLink", "DopDocSaleLink", "DopDocSprosLink", "SprKlientKey",
                           "SprRaionKey", "SprSotrudKey", "SprStreetKey", "SprTownKey"}));
}
