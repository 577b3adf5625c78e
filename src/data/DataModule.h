#pragma once
#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/Dataset.h"
#include <QObject>
#include <functional>
#include <optional>
#include <vector>

// The data module: the one connection and every shared dataset of the program,
// each under its name ("ADOTBazaSale") with its data source ("DSBazaSale").
class TDMDomlar : public QObject {
    Q_OBJECT
public:
    using StatusSink = std::function<void(const QString &)>;
    // Asked when no database is found: the path the user chose (empty: none
    // chosen, ask again), or nullopt when the user gives up.
    using DatabaseQuestion = std::function<std::optional<QString>(const QString &dataFolder)>;

    // programFolder: the folder of the executable (a test passes a temporary one).
    // status: receives the texts for the main window's status bar.
    TDMDomlar(const QString &programFolder, StatusSink status, QObject *parent = nullptr);
    ~TDMDomlar() override;

    // Finds the database, connects, opens every shared dataset and reports the path.
    // Throws AppError when a found database cannot be opened or there is no data folder.
    void DataModuleCreate();
    // The program supplies the question; without one a missing database ends the search.
    void setDatabaseQuestion(DatabaseQuestion ask) { m_askForDatabase = std::move(ask); }
    // Closes every shared dataset, then the connection (a restore replaces the file).
    void closeDatabase();
    void ReadIniFile_Conf();
    void WriteIniFile_Conf(const QString &path);

    Connection ADOConnection;

    // Asked when another program keeps the database locked at start-up: the text
    // says so and ends with a question; true tries again. Unset: gives up at once
    // (DataModuleCreate throws the text without the question).
    std::function<bool(const QString &question)> askTryAgain;
    // Told once the database is open when it can only be read (the text says why).
    std::function<void(const QString &notice)> announceReadOnly;

    QString programFolder() const { return m_programFolder; }
    QString dataFolder() const { return m_dataFolder; }       // no trailing separator
    QString databasePath() const { return m_databasePath; }

    // Shared datasets and data sources by name; nullptr when there is none.
    Table *dataset(const QString &name) const;
    DataSource *dataSource(const QString &name) const;
    // The same, throwing AppError for an unknown name.
    Table &table(const QString &name) const;
    // Dataset names in the order they are opened.
    static const QStringList &openingOrder();

private:
    void createDatasets();
    bool openDatabase();
    bool connectDatabase();
    void addMissingIndexes();

    QString m_programFolder;
    QString m_dataFolder;
    QString m_databasePath;
    StatusSink m_status;
    DatabaseQuestion m_askForDatabase;
    std::vector<Table *> m_datasets;
    std::vector<DataSource *> m_sources;
};

// The program's one data module.
extern TDMDomlar *DMDomlar;
