#include "data/Dataset.h"
#include "data/ColumnStore.h"
#include "data/FieldValue.h"
#include "data/FilterText.h"
#include "data/RowView.h"
#include "data/Statement.h"
#include "platform/AppError.h"
#include <QFile>
#include <algorithm>

// ---- Field ----

const FieldInfo &Field::info() const { return m_ds->fieldInfo(m_index); }
QVariant Field::value() const { return m_ds->currentValue(m_index); }
QString Field::asString() const { return FieldValue::storedText(info(), value()); }

int Field::asInteger() const
{
    const QVariant v = value();
    if (isNullValue(v)) return 0;
    if (v.metaType() == QMetaType::fromType<Money>()) return int(v.value<Money>().roundedToInteger());
    if (v.typeId() == QMetaType::QString) return int(Money::parse(v.toString()).value_or(Money()).roundedToInteger());
    return v.toInt();
}

Money Field::asMoney() const
{
    const QVariant v = value();
    if (isNullValue(v)) return Money();
    if (v.metaType() == QMetaType::fromType<Money>()) return v.value<Money>();
    if (v.typeId() == QMetaType::QString) return Money::parse(v.toString()).value_or(Money());
    return Money::fromInteger(v.toLongLong());
}

QDate Field::asDate() const
{
    const QVariant v = value();
    return isNullValue(v) || !v.toDate().isValid() ? Schema::zeroDate() : v.toDate();
}

bool Field::asBool() const
{
    const QVariant v = value();
    return !isNullValue(v) && v.toBool();
}

QByteArray Field::asBytes() const
{
    const QVariant v = value();
    return isNullValue(v) ? QByteArray() : v.toByteArray();
}

void Field::setValue(const QVariant &value) const { m_ds->setCurrentValue(m_index, value); }

void Field::loadFromFile(const QString &path) const
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Не удалось прочитать файл «%1»: %2").arg(path, f.errorString()));
    setValue(f.readAll());
}

// ---- Dataset ----

Dataset::Dataset(QObject *parent) : QObject(parent) {}
Dataset::~Dataset() = default;

void Dataset::requireActive() const
{
    if (!active())
        throw AppError(QStringLiteral("База данных не открыта: данные недоступны."));
}

void Dataset::requireEditing(const char *action) const
{
    requireActive();
    if (m_state != State::Edit && m_state != State::Insert)
        throw AppError(QStringLiteral("Набор данных «%1» не в режиме редактирования: %2.")
                           .arg(describe(), QString::fromUtf8(action)));
}

void Dataset::setState(State s)
{
    if (m_state == s) return;
    m_state = s;
    emit stateChanged();
}

void Dataset::clearStore()
{
    m_fields.clear();
    m_columns.clear();
    m_storedCount = 0;
    m_rowIds.clear();
    m_deleted.clear();
    m_view.clear();
    m_current = -1;
    bumpVersion();
}

int Dataset::addStoredField(const FieldInfo &field)
{
    m_fields.push_back(field);
    m_columns.push_back(std::make_unique<StoredColumn>(field));
    return m_storedCount++;
}

void Dataset::fieldsFromStatement(sqlite3_stmt *stmt, int firstColumn)
{
    const int n = sqlite3_column_count(stmt);
    for (int i = firstColumn; i < n; ++i) {
        FieldInfo f;
        f.name = QString::fromUtf8(sqlite3_column_name(stmt, i));
        const char *decl = sqlite3_column_decltype(stmt, i);
        // An expression has no declared type: it is typed by its values when the rows are read.
        f.type = decl ? Schema::typeFromSql(QString::fromUtf8(decl), &f.width) : FieldType::Text;
        addStoredField(f);
    }
}

// A stored value that is not what its column holds would turn into "no value"
// and be written back so on the row's next store: refused with what to do.
QString Dataset::unreadableValue(sqlite3_stmt *stmt, int column, const FieldInfo &field) const
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)));
    return QStringLiteral("В «%1» поле «%2» хранит «%3», что не является %4. Исправьте значение в базе данных "
                          "или восстановите ее из архива.")
        .arg(describe(), field.name, text,
             field.type == FieldType::Date ? QStringLiteral("датой") : QStringLiteral("числом"));
}

void Dataset::readRows(sqlite3_stmt *stmt, int firstColumn)
{
    // Expression columns (Max(...) as MaxX) carry no declared type: take the
    // type of the first value, integers being the usual case.
    bool first = true;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (first) {
            for (int i = 0; i < m_storedCount; ++i) {
                if (sqlite3_column_decltype(stmt, firstColumn + i)) continue;
                const int kind = sqlite3_column_type(stmt, firstColumn + i);
                const FieldType t = kind == SQLITE_INTEGER || kind == SQLITE_NULL ? FieldType::Integer
                                  : kind == SQLITE_FLOAT ? FieldType::Money
                                  : kind == SQLITE_BLOB ? FieldType::Binary : FieldType::Text;
                m_fields[i].type = t;
                m_columns[i] = std::make_unique<StoredColumn>(m_fields[i]);
            }
            first = false;
        }
        for (int i = 0; i < m_storedCount; ++i)
            if (!m_columns[i]->read(stmt, firstColumn + i))
                throw AppError(unreadableValue(stmt, firstColumn + i, m_fields[i]));
        m_rowIds.push_back(firstColumn == 1 ? sqlite3_column_int64(stmt, 0) : int64_t(m_rowIds.size()));
        m_deleted.push_back(0);
    }
    if (rc != SQLITE_DONE)
        throw AppError(QStringLiteral("Ошибка чтения «%1»: %2").arg(describe(), QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt)))));
    for (auto &c : m_columns) { c->interned.clear(); c->interned.rehash(0); }
    if (first) {
        for (int i = 0; i < m_storedCount; ++i)
            if (!sqlite3_column_decltype(stmt, firstColumn + i)) {
                m_fields[i].type = FieldType::Integer;
                m_columns[i] = std::make_unique<StoredColumn>(m_fields[i]);
            }
    }
}

void Dataset::reserveRows(size_t rows)
{
    for (auto &c : m_columns) {
        c->nulls.reserve(rows);
        if (usesNumbers(c->type)) c->nums.reserve(rows);
        else if (c->type == FieldType::Binary) c->blobs.reserve(rows);
        else c->texts.reserve(rows);
    }
    m_rowIds.reserve(rows);
    m_deleted.reserve(rows);
}

int64_t Dataset::rowId(int physicalRow) const { return m_rowIds.at(physicalRow); }

void Dataset::setCounter(int physicalRow, int fieldIndex, int64_t value)
{
    m_columns.at(fieldIndex)->set(size_t(physicalRow), QVariant(int(value)));
    bumpVersion();   // the key lookups read the column again
}
void Dataset::setRowId(int physicalRow, int64_t id) { m_rowIds.at(physicalRow) = id; }

// Reads fields and rows; on failure the dataset is left closed and empty.
void Dataset::reloadRows()
{
    try {
        clearStore();
        load();
        for (const auto &[keyName, pending] : m_pendingLookups) {
            FieldInfo f = pending;
            f.keyField = fieldIndex(keyName);
            if (f.keyField < 0)
                throw AppError(QStringLiteral("Для поля подстановки «%1» нет поля «%2».").arg(f.name, keyName));
            m_fields.push_back(f);
        }
        resolveNames();
    } catch (...) {
        clearStore();
        const bool wasActive = active();
        m_state = State::Inactive;
        if (wasActive) emit stateChanged();
        emit resetDone();
        throw;
    }
}

void Dataset::open()
{
    if (active()) return;
    emit aboutToReset();
    reloadRows();
    m_state = State::Browse;
    emit stateChanged();
    rebuildView();
    m_current = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    emit resetDone();
    emit currentChanged(m_current);
}

void Dataset::resolveNames()
{
    m_sortFields.clear();
    for (const QString &n : m_sortNames) {
        const int i = fieldIndex(n);
        if (i < 0) throw AppError(QStringLiteral("Поле «%1» не найдено в «%2».").arg(n, describe()));
        m_sortFields.push_back(i);
    }
    if (m_master) {
        m_detailField = fieldIndex(m_detailFieldName);
        if (m_detailField < 0)
            throw AppError(QStringLiteral("Поле «%1» не найдено в «%2».").arg(m_detailFieldName, describe()));
    }
    parseFilter();
}

void Dataset::close()
{
    if (!active()) return;
    emit aboutToReset();
    clearStore();
    m_state = State::Inactive;
    emit stateChanged();
    emit resetDone();
    emit currentChanged(-1);
}

void Dataset::requery()
{
    requireActive();
    checkBrowseMode();
    const int keepPos = m_current;
    const int64_t keepId = currentPhysical() >= 0 ? m_rowIds[currentPhysical()] : -1;
    emit aboutToReset();
    reloadRows();
    rebuildView();
    m_current = -1;
    for (size_t i = 0; i < m_view.size() && keepId >= 0; ++i)
        if (m_rowIds[m_view[i]] == keepId) { m_current = int(i); break; }
    if (m_current < 0 && !m_view.empty()) m_current = std::clamp(keepPos, 0, int(m_view.size()) - 1);
    m_bof = m_eof = m_view.empty();
    emit resetDone();
    emit currentChanged(m_current);
}

int Dataset::fieldIndex(const QString &name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

Field Dataset::fieldByName(const QString &name)
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw AppError(QStringLiteral("Поле «%1» не найдено в «%2».").arg(name, describe()));
    return Field(this, i);
}

QStringList Dataset::fieldNames() const
{
    QStringList names;
    for (const auto &f : m_fields) names << f.name;
    return names;
}

int Dataset::currentPhysical() const
{
    return m_current >= 0 && m_current < int(m_view.size()) ? m_view[m_current] : -1;
}

QVariant Dataset::cellValue(int physical, int fieldIndex) const
{
    const FieldInfo &f = m_fields[fieldIndex];
    if (f.type != FieldType::Lookup)
        return m_columns[fieldIndex]->get(size_t(physical));
    const Dataset *src = f.lookupSource.data();
    if (!src || !src->active()) return QVariant();
    if (f.lookupKeyField < 0 || f.lookupResultField < 0) {
        f.lookupKeyField = src->fieldIndex(f.lookupKeyName);
        f.lookupResultField = src->fieldIndex(f.lookupResultName);
        if (f.lookupKeyField < 0 || f.lookupResultField < 0) return QVariant();
    }
    const QVariant key = m_columns[f.keyField]->get(size_t(physical));
    const int row = src->findByKey(f.lookupKeyField, key);
    return row < 0 ? QVariant() : src->cellValue(row, f.lookupResultField);
}

QVariant Dataset::lookupValue(const QString &keyField, const QVariant &key, const QString &resultField) const
{
    const int result = fieldIndex(resultField);
    const int row = findByKey(fieldIndex(keyField), key);
    return row < 0 || result < 0 ? QVariant() : cellValue(row, result);
}

QVariant Dataset::value(int row, int fieldIndex) const
{
    if (row < 0 || row >= int(m_view.size()) || fieldIndex < 0 || fieldIndex >= int(m_fields.size()))
        return QVariant();
    return cellValue(m_view[row], fieldIndex);
}

QVariant Dataset::currentValue(int fieldIndex) const
{
    return value(m_current, fieldIndex);
}

int Dataset::findByKey(int fieldIndex, const QVariant &key) const
{
    if (!active() || isNullValue(key) || fieldIndex < 0 || fieldIndex >= m_storedCount) return -1;
    const StoredColumn &c = *m_columns[fieldIndex];
    return c.firstRowWith(usesNumbers(c.type) ? FieldValue::convert(m_fields[fieldIndex], key) : key, m_deleted, m_version);
}

// ---- view: master link, filter, order ----

void Dataset::parseFilter()
{
    m_filterField = -1;
    m_filterValue.clear();
    if (m_filterText.trimmed().isEmpty() || m_fields.empty()) return;
    const FilterCondition condition = FilterCondition::parse(m_filterText);
    m_filterValue = condition.value;
    m_filterField = fieldIndex(condition.field);
    if (m_filterField < 0)
        throw AppError(QStringLiteral("Неверное условие отбора: поле «%1» не найдено в «%2».").arg(condition.field, describe()));
}

void Dataset::rebuildView()
{
    RowView view;
    if (m_master) {
        view.linked = true;
        view.linkField = m_detailField;
        view.linkValue = m_master->currentValue(m_masterField);
    }
    if (m_filtered) {
        view.filterField = m_filterField;
        view.filterValue = m_filterValue;
    }
    view.sortFields = m_sortFields;
    m_view = view.build(ViewRows{m_fields, m_columns, m_deleted, [this](int p, int f) { return cellValue(p, f); }});
}

void Dataset::resetView(int keepPhysical)
{
    emit aboutToReset();
    rebuildView();
    auto it = std::find(m_view.begin(), m_view.end(), keepPhysical);
    m_current = it != m_view.end() ? int(it - m_view.begin()) : (m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
    emit resetDone();
    emit currentChanged(m_current);
}

void Dataset::setSort(const QStringList &fields)
{
    std::vector<int> resolved;
    for (const QString &n : fields) {
        if (!active()) break;
        const int i = fieldIndex(n);
        if (i < 0) throw AppError(QStringLiteral("Поле «%1» не найдено в «%2».").arg(n, describe()));
        resolved.push_back(i);
    }
    if (active()) checkBrowseMode();
    m_sortNames = fields;
    m_sortFields = resolved;
    if (active()) resetView(currentPhysical());
}

void Dataset::setFilterText(const QString &text)
{
    const QString old = m_filterText;
    m_filterText = text;
    if (!active()) return;
    try {
        parseFilter();
    } catch (...) {
        m_filterText = old;
        parseFilter();
        throw;
    }
    if (m_filtered) { checkBrowseMode(); resetView(currentPhysical()); }
}

void Dataset::setFiltered(bool on)
{
    if (m_filtered == on) return;
    if (active()) checkBrowseMode();
    m_filtered = on;
    if (active()) resetView(currentPhysical());
}

void Dataset::setMasterLink(Dataset *master, const QString &masterField, const QString &detailField)
{
    if (m_master) disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    m_masterFieldName = masterField;
    m_detailFieldName = detailField;
    m_masterField = -1;
    if (!master) return;
    // A master that is read anew may have its fields anew; the current-row
    // signal that always follows a reset is what makes the detail follow.
    connect(master, &Dataset::resetDone, this, [this] { m_masterField = m_master->fieldIndex(m_masterFieldName); });
    connect(master, &Dataset::currentChanged, this, [this] { followMaster(); });
    m_masterField = master->fieldIndex(masterField);
    if (active()) { m_detailField = fieldIndex(detailField); followMaster(); }
}

void Dataset::followMaster()
{
    if (!active()) return;
    // A row being edited keeps its place; the view follows the master once it is stored or dropped.
    m_followPending = m_state != State::Browse;
    if (m_followPending) return;
    if (m_masterField < 0) m_masterField = m_master->fieldIndex(m_masterFieldName);
    resetView(-1);
}

void Dataset::addLookupField(const QString &name, const QString &keyField, const Dataset *source,
                             const QString &sourceKey, const QString &resultField, int width)
{
    FieldInfo f;
    f.name = name;
    f.type = FieldType::Lookup;
    f.width = width;
    f.lookupSource = source;
    f.lookupKeyName = sourceKey;
    f.lookupResultName = resultField;
    m_pendingLookups.emplace_back(keyField, f);
    if (active()) {
        f.keyField = fieldIndex(keyField);
        emit aboutToReset();
        m_fields.push_back(f);
        emit resetDone();
    }
}

// ---- navigation ----

void Dataset::moveTo(int row)
{
    if (row == m_current) return;
    m_current = row;
    emit currentChanged(row);
}

void Dataset::checkBrowseMode()
{
    if (m_state == State::Edit || m_state == State::Insert) post();
}

void Dataset::setRecNo(int row)
{
    requireActive();
    checkBrowseMode();
    if (m_view.empty()) return;
    moveTo(std::clamp(row, 0, int(m_view.size()) - 1));
    m_bof = m_eof = false;
}

void Dataset::first()
{
    requireActive();
    checkBrowseMode();
    moveTo(m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
}

void Dataset::last()
{
    requireActive();
    checkBrowseMode();
    moveTo(int(m_view.size()) - 1);
    m_eof = true;
    m_bof = m_view.empty();
}

void Dataset::next()
{
    requireActive();
    checkBrowseMode();
    if (m_current + 1 < int(m_view.size())) { moveTo(m_current + 1); m_bof = m_eof = false; }
    else m_eof = true;
}

void Dataset::prior()
{
    requireActive();
    checkBrowseMode();
    if (m_current > 0) { moveTo(m_current - 1); m_bof = m_eof = false; }
    else m_bof = true;
}

bool Dataset::locate(const QString &fieldName, const QVariant &value)
{
    requireActive();
    const int f = fieldByName(fieldName).index();
    checkBrowseMode();
    QVariant wanted;
    try { wanted = FieldValue::convert(m_fields[f], value); } catch (const AppError &) { return false; }
    const bool wantNull = isNullValue(wanted);
    for (size_t i = 0; i < m_view.size(); ++i) {
        const QVariant v = cellValue(m_view[i], f);
        if (wantNull ? isNullValue(v) : (!isNullValue(v) && v == wanted)) {
            moveTo(int(i));
            m_bof = m_eof = false;
            return true;
        }
    }
    return false;
}

// ---- editing ----

int Dataset::newPhysicalRow()
{
    for (auto &c : m_columns) c->pushNull();
    m_rowIds.push_back(-1);
    m_deleted.push_back(0);
    return int(m_deleted.size()) - 1;
}

void Dataset::startInsert(int viewPos)
{
    requireActive();
    checkBrowseMode();
    if (!canModify())
        throw AppError(QStringLiteral("Набор данных «%1» только для чтения.").arg(describe()));
    const int p = newPhysicalRow();
    if (m_master && m_detailField >= 0)
        m_columns[m_detailField]->set(size_t(p), FieldValue::convert(m_fields[m_detailField], m_master->currentValue(m_masterField)));
    emit aboutToInsertRow(viewPos);
    m_view.insert(m_view.begin() + viewPos, p);
    emit rowInserted(viewPos);
    m_beforeInsert = currentPhysical();
    m_editPhysical = p;
    m_current = viewPos;
    m_bof = m_eof = false;
    bumpVersion();
    setState(State::Insert);
    emit currentChanged(m_current);
}

void Dataset::insert() { startInsert(std::max(m_current, 0)); }
void Dataset::append() { startInsert(int(m_view.size())); }

void Dataset::edit()
{
    requireActive();
    if (m_state == State::Edit || m_state == State::Insert) return;
    if (!canModify())
        throw AppError(QStringLiteral("Набор данных «%1» только для чтения.").arg(describe()));
    if (currentPhysical() < 0)
        throw AppError(QStringLiteral("Нет выбранной записи для изменения."));
    m_editPhysical = currentPhysical();
    m_backup.clear();
    for (int i = 0; i < m_storedCount; ++i) m_backup.push_back(m_columns[i]->get(size_t(m_editPhysical)));
    setState(State::Edit);
}

void Dataset::setCurrentValue(int fieldIndex, const QVariant &value)
{
    requireEditing("запись не изменена");
    const FieldInfo &f = m_fields.at(fieldIndex);
    if (f.readOnly())
        throw AppError(FieldValue::fieldError(f, QStringLiteral("значение нельзя изменить.")));
    m_columns[fieldIndex]->set(size_t(m_editPhysical), FieldValue::convert(f, value));
    bumpVersion();
    emit rowChanged(m_current);
}

void Dataset::removeFromView(int physical)
{
    m_deleted[physical] = 1;
    bumpVersion();
    const auto it = std::find(m_view.begin(), m_view.end(), physical);
    if (it == m_view.end()) return;
    const int pos = int(it - m_view.begin());
    emit aboutToRemoveRow(pos);
    m_view.erase(it);
    emit rowRemoved(pos);
    m_current = m_view.empty() ? -1 : std::min(pos, int(m_view.size()) - 1);
    m_eof = m_view.empty();
}

void Dataset::restoreBackup()
{
    if (m_state == State::Insert) {
        removeFromView(m_editPhysical);
        const auto back = std::find(m_view.begin(), m_view.end(), m_beforeInsert);
        if (back != m_view.end()) m_current = int(back - m_view.begin());
    } else if (m_state == State::Edit) {
        for (int i = 0; i < m_storedCount; ++i) m_columns[i]->set(size_t(m_editPhysical), m_backup[size_t(i)]);
        bumpVersion();
        emit rowChanged(m_current);
    }
    m_backup.clear();
    m_editPhysical = -1;
    setState(State::Browse);
    emit currentChanged(m_current);
}

void Dataset::post()
{
    requireActive();
    if (m_state == State::Browse) return;
    try {
        if (m_state == State::Insert) storeInsert(m_editPhysical);
        else storeUpdate(m_editPhysical);
    } catch (...) {
        // The database kept the row as it was; so does the dataset.
        restoreBackup();
        throw;
    }
    m_backup.clear();
    m_editPhysical = -1;
    bumpVersion();
    setState(State::Browse);
    emit rowChanged(m_current);
    emit currentChanged(m_current);
    if (m_followPending) followMaster();
}

void Dataset::cancel()
{
    requireActive();
    if (m_state == State::Browse) return;
    restoreBackup();
    if (m_followPending) followMaster();
}

void Dataset::deleteRecord()
{
    requireActive();
    if (m_state == State::Insert) { cancel(); return; }
    if (!canModify())
        throw AppError(QStringLiteral("Набор данных «%1» только для чтения.").arg(describe()));
    if (m_state == State::Edit) restoreBackup();
    const int p = currentPhysical();
    if (p < 0)
        throw AppError(QStringLiteral("Нет выбранной записи для удаления."));
    storeDelete(p);
    removeFromView(p);
    emit currentChanged(m_current);
}

void Dataset::storeInsert(int) {}
void Dataset::storeUpdate(int) {}
void Dataset::storeDelete(int) {}
