#include "documents/DatasetReportSource.h"
#include "data/Dataset.h"

DatasetReportSource::DatasetReportSource(const QString &name, const Dataset &dataset, Rows rows)
    : m_name(name), m_dataset(dataset), m_rows(rows), m_rowCount(countRows())
{
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
    m_rowCount = countRows();
    m_columns.assign(size_t(fieldCount()), {});
    for (int f : fields) {
        std::vector<QVariant> &column = m_columns[size_t(f)];
        column.reserve(size_t(m_rowCount));
        for (int r = 0; r < m_rowCount; ++r) column.push_back(read(r, f));
    }
}

QVariant DatasetReportSource::value(int row, int field) const
{
    if (size_t(field) < m_columns.size() && size_t(row) < m_columns[size_t(field)].size())
        return m_columns[size_t(field)][size_t(row)];
    return read(row, field);   // a field no report text named
}
