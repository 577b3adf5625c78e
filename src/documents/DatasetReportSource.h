#pragma once
#include "report/ReportSource.h"
#include <QMetaObject>
#include <vector>

class Dataset;

// A dataset as a report source: its visible rows in the order and under the
// filter the dataset shows, or just its current row. The fields a report uses
// are copied a slice ahead of the preparation, and all that is left is copied
// the moment the dataset is about to change, so a report is never torn by
// editing and its first page does not wait for every row. The dataset's
// current row never moves.
class DatasetReportSource : public ReportSource {
public:
    enum class Rows { Visible, Current };
    DatasetReportSource(const QString &name, const Dataset &dataset, Rows rows = Rows::Visible);
    ~DatasetReportSource() override;

    QString name() const override { return m_name; }
    int fieldCount() const override;
    QString fieldName(int field) const override;
    ReportFieldType fieldType(int field) const override;
    int rowCount() const override { return m_rowCount; }
    QVariant value(int row, int field) const override;
    void willRead(const std::vector<int> &fields) override;

private:
    int countRows() const;
    QVariant read(int row, int field) const;
    void copyUpTo(int rows) const;
    void unguard();

    QString m_name;
    const Dataset &m_dataset;
    Rows m_rows;
    int m_rowCount = 0;
    std::vector<int> m_fields;                       // the fields the report reads
    mutable std::vector<std::vector<QVariant>> m_columns;   // by field; empty for fields not used
    mutable int m_copied = 0;                        // rows copied so far
    std::vector<QMetaObject::Connection> m_guards;
};
