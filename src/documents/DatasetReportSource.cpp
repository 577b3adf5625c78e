#include "documents/DatasetReportSource.h"
#include "data/Dataset.h"

DatasetReportSource::DatasetReportSource(const QString &name, const Dataset &dataset, Rows rows)
    : m_name(name), m_dataset(dataset), m_rows(rows), m_rowCount(countRows())
{
}

namespace {
constexpr int Slice = 2048;   // rows copied ahead of the preparation
}

DatasetReportSource::~DatasetReportSource() { unguard(); }

void DatasetReportSource::unguard()
{
    for (const QMetaObject::Connection &c : m_guards) QObject::disconnect(c);
    m_guards.clear();
}

int DatasetReportSource::countRows() const
{
    if (!m_dataset.active()) return 0;
    if (m_rows == Rows::Current) return m_dataset.recNo() >= 0 ? 1 : 0;
    return m_dataset.recordCount();
}

int DatasetReportSource::fieldCount() const { return m_dataset.fieldCount(); }
QString DatasetReportSource::fieldName(int field) const { return m_dataset.fieldInfo(field).name; }

ReportFieldType DatasetReportSource::fieldType(int field) const
{
    switch (m_dataset.fieldInfo(field).type) {
    case FieldType::Integer:
    case FieldType::Counter: return ReportFieldType::Integer;
    case FieldType::Money: return ReportFieldType::Decimal;
    case FieldType::Date: return ReportFieldType::Date;
    case FieldType::Bool: return ReportFieldType::Bool;
    case FieldType::Binary: return ReportFieldType::Binary;
    case FieldType::Text:
    case FieldType::Lookup: return ReportFieldType::Text;
    }
    return ReportFieldType::Text;
}

// The dataset's value in the engine's terms: money as ten-thousandths.
QVariant DatasetReportSource::read(int row, int field) const
{
    const QVariant v = m_rows == Rows::Current ? m_dataset.currentValue(field) : m_dataset.value(row, field);
    if (v.metaType() == QMetaType::fromType<Money>()) return QVariant::fromValue<qlonglong>(v.value<Money>().units());
    return v;
}

void DatasetReportSource::willRead(const std::vector<int> &fields)
{
    unguard();
    m_rowCount = countRows();
    m_fields = fields;
    m_columns.assign(size_t(fieldCount()), {});
    for (int f : fields) m_columns[size_t(f)].reserve(size_t(m_rowCount));
    m_copied = 0;
    // Every change of a dataset is announced before it happens: copy the rest then.
    const auto copyAll = [this] { copyUpTo(m_rowCount); };
    m_guards = {QObject::connect(&m_dataset, &Dataset::aboutToReset, copyAll),
                QObject::connect(&m_dataset, &Dataset::aboutToInsertRow, copyAll),
                QObject::connect(&m_dataset, &Dataset::aboutToRemoveRow, copyAll),
                QObject::connect(&m_dataset, &Dataset::stateChanged, copyAll)};
}

// Column by column: the dataset keeps its rows by column, and lookups go through one index at a time.
void DatasetReportSource::copyUpTo(int rows) const
{
    for (int f : m_fields)
        for (int r = m_copied; r < rows; ++r) m_columns[size_t(f)].push_back(read(r, f));
    m_copied = std::max(m_copied, rows);
}

QVariant DatasetReportSource::value(int row, int field) const
{
    if (row >= m_copied && row < m_rowCount) copyUpTo(std::min(m_rowCount, row + Slice));
    if (size_t(field) < m_columns.size() && size_t(row) < m_columns[size_t(field)].size())
        return m_columns[size_t(field)][size_t(row)];
    return read(row, field);   // a field no report text named
}
