#pragma once
#include "data/Money.h"
#include "data/FieldInfo.h"
#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <vector>

struct sqlite3_stmt;
class Connection;
class Dataset;
struct StoredColumn;


// One field of a dataset's current row, read and written by type.
// Reading on an empty dataset gives an empty value; writing needs edit or insert state.
class Field {
public:
    Field(Dataset *dataset, int index) : m_ds(dataset), m_index(index) {}

    const FieldInfo &info() const;
    const QString &name() const { return info().name; }
    int index() const { return m_index; }

    QVariant value() const;
    bool isNull() const { return value().isNull(); }
    QString asString() const;    // money "1234.5", date "dd.MM.yyyy", yes/no "True"/"False"
    int asInteger() const;       // empty -> 0; money rounded, ties to even
    Money asMoney() const;       // empty -> 0
    QDate asDate() const;        // empty -> the zero date 30.12.1899
    bool asBool() const;         // empty -> false
    QByteArray asBytes() const;

    void setValue(const QVariant &value) const;
    void setString(const QString &v) const { setValue(v); }
    void setInteger(int64_t v) const { setValue(QVariant::fromValue<qlonglong>(v)); }
    void setMoney(Money v) const { setValue(QVariant::fromValue(v)); }
    void setDate(const QDate &v) const { setValue(v); }
    void setBool(bool v) const { setValue(v); }
    void clear() const { setValue(QVariant()); }
    // Loads a binary field with a file's bytes; throws AppError when it cannot be read.
    void loadFromFile(const QString &path) const;

private:
    Dataset *m_ds;
    int m_index;
};

// A dataset with a static in-memory cursor: opening reads every row once; the
// rows then live in memory, column by column. Ordering, the filter "F='V'" and a
// master-detail link decide which rows are visible and in which order.
// Every failure throws AppError with a Russian text.
class Dataset : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Dataset(QObject *parent = nullptr);
    ~Dataset() override;

    void open();
    void close();
    bool active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    // Reads every row again; the current row stays on the same record where it still exists.
    void requery();

    // Visible rows.
    int recordCount() const { return int(m_view.size()); }
    bool isEmpty() const { return m_view.empty(); }
    int recNo() const { return m_current; }                  // -1 when empty
    void setRecNo(int row);
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return m_eof || m_view.empty(); }
    bool bof() const { return m_bof || m_view.empty(); }
    // Moves to the first visible row whose field equals the value; false (and
    // no move) when there is none.
    bool locate(const QString &field, const QVariant &value);

    void insert();        // a new row before the current one
    void append();        // a new row at the end
    void edit();
    void post();          // stores the row; on failure the row is restored as stored, and the error thrown
    void cancel();
    void deleteRecord();  // the following row becomes current

    int fieldCount() const { return int(m_fields.size()); }
    // Fields read from the database; lookup fields follow them.
    int storedFieldCount() const { return m_storedCount; }
    const FieldInfo &fieldInfo(int index) const { return m_fields.at(index); }
    int fieldIndex(const QString &name) const;               // -1 when absent
    Field fieldByName(const QString &name);                  // throws when absent
    Field field(int index) { return Field(this, index); }
    QStringList fieldNames() const;

    // Value of a visible row (for grids and reports); lookups are computed.
    QVariant value(int row, int fieldIndex) const;
    QVariant currentValue(int fieldIndex) const;
    void setCurrentValue(int fieldIndex, const QVariant &value);

    // Ascending order by these fields; empty keeps the order read.
    void setSort(const QStringList &fields);
    QStringList sort() const { return m_sortNames; }

    // The filter text "Field='value'" ('' inside the quotes stands for ').
    void setFilterText(const QString &text);
    QString filterText() const { return m_filterText; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

    // Shows only rows whose detailField equals the master's masterField in its
    // current row, follows the master's moves and fills detailField on insert.
    void setMasterLink(Dataset *master, const QString &masterField, const QString &detailField);
    Dataset *master() const { return m_master; }

    // A computed text field: the resultField of the source's row whose
    // sourceKey equals this row's keyField; empty when none matches.
    void addLookupField(const QString &name, const QString &keyField, const Dataset *source,
                        const QString &sourceKey, const QString &resultField, int width);

    // The resultField of the first row (visible or not) whose keyField equals key;
    // empty when none does. Reads without moving the current row.
    QVariant lookupValue(const QString &keyField, const QVariant &key, const QString &resultField) const;

signals:
    void aboutToReset();
    void resetDone();                 // rows laid out anew: open, close, sort, filter, requery, master move
    void aboutToInsertRow(int row);
    void rowInserted(int row);
    void aboutToRemoveRow(int row);
    void rowRemoved(int row);
    void rowChanged(int row);         // values of a visible row changed
    void currentChanged(int row);     // the current row moved (or its record changed)
    void stateChanged();

protected:
    // Subclasses read their rows: declare fields with addStoredField (or
    // fieldsFromStatement), then feed rows with readRows.
    virtual void load() = 0;
    virtual bool canModify() const { return false; }
    virtual QString describe() const { return objectName(); }
    // Writes a row to the database. Throw AppError on failure.
    virtual void storeInsert(int physicalRow);
    virtual void storeUpdate(int physicalRow);
    virtual void storeDelete(int physicalRow);

    void clearStore();
    int addStoredField(const FieldInfo &field);
    // Declares one field per result column, typed from the declared SQL type.
    void fieldsFromStatement(sqlite3_stmt *stmt, int firstColumn);
    // Reads all rows; result column firstColumn + i feeds stored field i;
    // a firstColumn of 1 takes column 0 as the row id.
    void readRows(sqlite3_stmt *stmt, int firstColumn);
    int64_t rowId(int physicalRow) const;
    void setRowId(int physicalRow, int64_t id);
    // Sets a value the database assigned (a counter) without the read-only check.
    void setCounter(int physicalRow, int fieldIndex, int64_t value);
    // The link field of a detail dataset, empty for others.
    const QString &detailFieldName() const { return m_detailFieldName; }
    // The value of a row by its place in storage (visible or not); lookups are computed.
    QVariant cellValue(int physical, int fieldIndex) const;
    // Room for this many rows before reading them.
    void reserveRows(size_t rows);

private:
    void requireActive() const;
    void requireEditing(const char *action) const;
    void checkBrowseMode();
    void moveTo(int row);
    void rebuildView();
    void resetView(int keepPhysical);
    void resolveNames();
    void parseFilter();
    void removeFromView(int physical);
    int newPhysicalRow();
    void restoreBackup();
    void bumpVersion() { ++m_version; }
    void reloadRows();
    void setState(State s);
    int currentPhysical() const;
    // The first row of all rows whose field equals key: a physical index or -1.
    int findByKey(int fieldIndex, const QVariant &key) const;
    void startInsert(int viewPos);
    QString unreadableValue(sqlite3_stmt *stmt, int column, const FieldInfo &field) const;
    void followMaster();

    std::vector<FieldInfo> m_fields;
    std::vector<std::unique_ptr<StoredColumn>> m_columns;   // one per stored field
    int m_storedCount = 0;
    std::vector<int64_t> m_rowIds;
    std::vector<uint8_t> m_deleted;
    std::vector<int> m_view;                  // visible physical rows, in order
    int m_current = -1;
    bool m_eof = true, m_bof = true;
    State m_state = State::Inactive;
    std::vector<QVariant> m_backup;           // the row as stored, while editing
    int m_editPhysical = -1;
    int m_beforeInsert = -1;                  // the row to return to when an insert is cancelled

    QStringList m_sortNames;
    std::vector<int> m_sortFields;
    QString m_filterText;
    int m_filterField = -1;
    QString m_filterValue;
    bool m_filtered = false;
    bool m_followPending = false;   // the master moved while a row was edited

    Dataset *m_master = nullptr;
    int m_masterField = -1;
    int m_detailField = -1;
    QString m_masterFieldName, m_detailFieldName;
    std::vector<std::pair<QString, FieldInfo>> m_pendingLookups;   // resolved at open

    uint64_t m_version = 0;
};

// A table dataset: the rows of one table, written back on post and delete.
class Table : public Dataset {
    Q_OBJECT
public:
    Table(Connection &connection, const QString &tableName, QObject *parent = nullptr);
    const QString &tableName() const { return m_table; }

protected:
    void load() override;
    bool canModify() const override { return true; }
    QString describe() const override;
    void storeInsert(int physicalRow) override;
    void storeUpdate(int physicalRow) override;
    void storeDelete(int physicalRow) override;

private:
    Connection &m_connection;
    QString m_table;
};
