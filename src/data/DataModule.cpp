#include "data/DataModule.h"
#include "data/Schema.h"
#include "platform/AppError.h"
#include "platform/IniFile.h"
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

TDMDomlar *DMDomlar = nullptr;

namespace {

const char *const DefaultDatabase = "domlar.mde";
const char *const ConfigFile = "Data.ini";

} // namespace

TDMDomlar::TDMDomlar(const QString &programFolder, StatusSink status, QObject *parent)
    : QObject(parent), m_programFolder(programFolder), m_status(std::move(status))
{
    setObjectName(QStringLiteral("DMDomlar"));
    createDatasets();
    DMDomlar = this;
}

TDMDomlar::~TDMDomlar()
{
    if (DMDomlar == this) DMDomlar = nullptr;
}

const QStringList &TDMDomlar::openingOrder()
{
    static const QStringList order = {
        "ADOTSprBalkon", "ADOTSprMatHome", "ADOTSprPlanHome", "ADOTSprType", "ADOTSprBathRoom",
        "ADOTSprMatPol", "ADOTSprPlanRoom", "ADOTSprValueKV", "ADOTSprDoor", "ADOTSprOtoplen",
        "ADOTSprTel", "ADOTSprWater", "ADOTSprWindow", "ADOTSprUE", "ADOTBazaSale", "ADOTSprTown",
        "ADOTSprRaion", "ADOTSprStreet", "ADOTFirm", "ADOTBazaSpros", "ADOTSprKlient",
        "ADOTSprSotrud", "ADOTBazaSprosVarMest", "ADOTBazaSprosForObmen", "ADOTDopDocSpros",
        "ADOTDopDocSale",
    };
    return order;
}

void TDMDomlar::createDatasets()
{
    auto make = [this](const QString &name, const QString &tableName, const QString &source) {
        auto *t = new Table(ADOConnection, tableName, this);
        t->setObjectName(name);
        m_datasets.push_back(t);
        m_sources.push_back(new DataSource(source, t, this));
        return t;
    };
    for (const QString &name : openingOrder()) {
        const QString tableName = name == "ADOTBazaSprosForObmen" ? QStringLiteral("BazaSpros") : name.mid(4);
        const QString source = name == "ADOTBazaSprosForObmen" ? QStringLiteral("DSADOTBazaSprosForObmen")
                                                               : "DS" + name.mid(4);
        make(name, tableName, source);
    }

    table("ADOTSprTown").setSort({"NameTown"});
    table("ADOTSprRaion").setSort({"IDTown", "NameRaion"});
    table("ADOTSprStreet").setSort({"NameStreet"});
    table("ADOTSprKlient").setSort({"NameKlient"});
    table("ADOTSprSotrud").setSort({"NameSotrud"});
    table("ADOTSprUE").setSort({"UEDate"});

    struct Link { const char *detail, *master, *masterField, *detailField; };
    for (const Link &l : {Link{"ADOTBazaSprosVarMest", "ADOTBazaSpros", "IDBazaSpros", "IDBazaSpros"},
                          Link{"ADOTBazaSprosForObmen", "ADOTBazaSale", "IDBazaSale", "IDBazaSaleForObmen"},
                          Link{"ADOTDopDocSale", "ADOTBazaSale", "IDBazaSale", "IDBazaSale"},
                          Link{"ADOTDopDocSpros", "ADOTBazaSpros", "IDBazaSpros", "IDBazaSpros"}}) {
        Table &d = table(l.detail);
        d.setMasterLink(&table(l.master), l.masterField, l.detailField);
        d.setSort({l.detailField});
    }

    struct Lookup { const char *name, *key, *source, *sourceKey, *result; int width; };
    const Lookup address[] = {
        {"NewNameTown", "IDTown", "ADOTSprTown", "IDTown", "NameTown", 50},
        {"NewNameRaion", "IDRaion", "ADOTSprRaion", "IDRaion", "NameRaion", 50},
        {"NewNameStreet", "IDStreet", "ADOTSprStreet", "IDStreet", "NameStreet", 50},
    };
    const Lookup client[] = {
        {"NewNameKlient", "IDKlient", "ADOTSprKlient", "IDKlient", "NameKlient", 80},
        {"NewKlientAdress", "IDKlient", "ADOTSprKlient", "IDKlient", "AdressKlient", 200},
        {"NewKlientTel", "IDKlient", "ADOTSprKlient", "IDKlient", "TelKlient", 20},
    };
    auto addLookups = [this](const char *datasetName, const auto &lookups) {
        for (const Lookup &l : lookups)
            table(datasetName).addLookupField(l.name, l.key, &table(l.source), l.sourceKey, l.result, l.width);
    };
    addLookups("ADOTBazaSale", address);
    addLookups("ADOTBazaSale", client);
    addLookups("ADOTBazaSpros", client);
    addLookups("ADOTBazaSprosVarMest", address);
}

Table *TDMDomlar::dataset(const QString &name) const
{
    for (Table *t : m_datasets)
        if (t->objectName().compare(name, Qt::CaseInsensitive) == 0) return t;
    return nullptr;
}

DataSource *TDMDomlar::dataSource(const QString &name) const
{
    for (DataSource *s : m_sources)
        if (s->objectName().compare(name, Qt::CaseInsensitive) == 0) return s;
    return nullptr;
}

Table &TDMDomlar::table(const QString &name) const
{
    Table *t = dataset(name);
    if (!t)
        throw AppError(QStringLiteral("Набор данных «%1» не найден.").arg(name));
    return *t;
}

void TDMDomlar::ReadIniFile_Conf()
{
    IniFile ini(QDir(m_dataFolder).filePath(ConfigFile));
    ini.load();
    m_databasePath = ini.readString(QStringLiteral("path"), QStringLiteral("baza"), QString());
}

void TDMDomlar::WriteIniFile_Conf(const QString &path)
{
    IniFile ini(QDir(m_dataFolder).filePath(ConfigFile));
    ini.load();
    ini.writeString(QStringLiteral("Path"), QStringLiteral("Baza"), path);
    ini.save();
}

// Connects and opens every shared dataset; while another program keeps the file
// locked, the status bar says that the program waits. False when the lock stayed
// and the user gave up.
bool TDMDomlar::openDatabase()
{
    ADOConnection.setWaitNotice(m_status);
    const auto quiet = qScopeGuard([this] { ADOConnection.setWaitNotice({}); });
    if (!connectDatabase())
        return false;
    addMissingIndexes();
    for (const QString &name : openingOrder())
        table(name).open();
    return true;
}

bool TDMDomlar::connectDatabase()
{
    for (;;) {
        try {
            ADOConnection.open(Connection::connectionTextFor(m_databasePath));
            return true;
        } catch (const DatabaseBusyError &e) {
            if (!askTryAgain)
                throw;
            if (!askTryAgain(e.text() + QStringLiteral("\n\nПопробовать снова?"))) {
                m_status(e.text());
                return false;
            }
        }
    }
}

// Files made before the key indexes existed get them here, once. They only
// speed things up, so a file that cannot take them now (busy, a table missing,
// which its dataset reports next) opens without them and gets them next time.
void TDMDomlar::addMissingIndexes()
{
    if (ADOConnection.readOnly())
        return;
    try {
        Transaction transaction(ADOConnection);
        for (const QString &sql : Schema::createIndexSql())
            ADOConnection.execute(sql);
        transaction.commit();
    } catch (const AppError &) {
    }
}

void TDMDomlar::closeDatabase()
{
    for (Table *t : m_datasets) t->close();
    ADOConnection.close();
}

void TDMDomlar::DataModuleCreate()
{
    for (;;) {
        if (!QDir::setCurrent(m_programFolder))
            throw AppError(QStringLiteral("Папка программы не найдена: ") + m_programFolder);
        if (!QDir::setCurrent(QStringLiteral("Data")))
            throw AppError(QStringLiteral("Папка данных не найдена: ") + QDir(m_programFolder).filePath("Data"));
        m_dataFolder = QDir::currentPath();

        const QString defaultPath = QDir(m_dataFolder).filePath(DefaultDatabase);
        if (QFileInfo(defaultPath).isFile())
            m_databasePath = defaultPath;
        else
            ReadIniFile_Conf();

        if (!m_databasePath.isEmpty() && QFileInfo(m_databasePath).isFile()) {
            if (!openDatabase())
                return;
            break;
        }

        m_status(QStringLiteral("БАЗА ДАННЫХ НЕ НАЙДЕНА !"));
        const std::optional<QString> chosen = m_askForDatabase ? m_askForDatabase(m_dataFolder) : std::nullopt;
        if (!chosen)
            return;
        if (!chosen->isEmpty())
            WriteIniFile_Conf(QFileInfo(*chosen).absoluteFilePath());
    }
    m_databasePath = ADOConnection.databasePath();
    m_status(QStringLiteral("Путь к базе данных: ") + m_databasePath);
    if (ADOConnection.readOnly() && announceReadOnly)
        announceReadOnly(ADOConnection.readOnlyNotice());
}
