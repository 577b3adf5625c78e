#pragma once
#include "report/ReportSource.h"
#include <vector>

class Dataset;

// A dataset as a report source: its visible rows in the order and under the
// filter the dataset shows, or just its current row. The fields a report uses
// are copied when preparation starts, so a report cannot be torn by editing,
// and the dataset's current row never moves.
class DatasetReportSource : public ReportSource {
public:
    enum class Rows { Visible, Current };
    DatasetReportSource(const QString &name, const Dataset &dataset, Rows rows = Rows::Visible);

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

    QString m_name;
    const Dataset &m_dataset;
    Rows m_rows;
    int m_rowCount = 0;
    std::vector<std::vector<QVariant>> m_columns;   // by field; empty for fields not used
};
