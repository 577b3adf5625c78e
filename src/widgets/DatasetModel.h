#pragma once
#include "data/Dataset.h"
#include "widgets/GridColumn.h"
#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

class Dataset;

// Shows a dataset's visible rows through the given columns, without copying
// them: every cell is read from the dataset when it is drawn. Follows the
// dataset's inserts, removals, changes and resets exactly. Read-only.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetModel(QObject *parent = nullptr);

    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return m_dataset; }
    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn> &columns() const { return m_columns; }
    GridColumn &column(int index) { return m_columns.at(size_t(index)); }

    // The text a cell shows (money with the Russian decimal comma and grouping,
    // dates as dd.MM.yyyy, the zero date empty).
    QString displayText(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // True while the dataset's rows are being inserted, removed or laid out anew.
    bool changing() const { return m_changing; }

    // The cell colours of the frozen first column.
    static QColor frozenText();

private:
    int fieldOf(int column) const;
    void resolveFields();
    // A column naming a field the dataset lacks is a mistake in the program: refused, never a blank column.
    void requireKnownFields() const;

    QPointer<Dataset> m_dataset;
    std::vector<GridColumn> m_columns;
    std::vector<int> m_fieldIndex;       // dataset field per column, -1 when absent
    bool m_changing = false;
};
