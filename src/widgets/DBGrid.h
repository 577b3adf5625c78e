#pragma once
#include "widgets/DatasetModel.h"
#include <QElapsedTimer>
#include <QTableView>

class Dataset;
class TwoLevelHeader;

// The data grid of every list of the program: a read-only view over a dataset
// with two-level titles, optionally a frozen first column (button face, maroon), title
// clicks that order the dataset, incremental search by typing, Ctrl+Delete,
// and a selected row that is always the dataset's current row.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget *parent = nullptr);
    ~DBGrid() override;

    void setDataset(Dataset *dataset);
    Dataset *dataset() const;
    // The designed columns, in their designed order.
    void setColumns(std::vector<GridColumn> columns);
    DatasetModel *datasetModel() const { return m_model; }

    // Columns by their designed (logical) index.
    int columnCountTotal() const;
    GridColumn &gridColumn(int logical);
    int position(int logical) const;                 // place among the grid's columns, from 0
    int logicalAt(int position) const;
    std::vector<int> columnsInOrder() const;         // logical columns as they stand on screen
    void moveToPosition(int logical, int position);
    int width(int logical) const;                    // a hidden column's width as it was when shown
    void setWidth(int logical, int pixels);
    bool isVisibleColumn(int logical) const;
    void setVisibleColumn(int logical, bool visible);

    int rowHeight() const;
    void setRowHeight(int pixels);

    // The logical column of the focused cell; -1 when none.
    int selectedColumn() const;
    // The text the current row shows in a column.
    QString currentText(int logical) const;

    // Whether the first column stays in place, drawn on the button face in maroon (the register's grids).
    void setFrozenFirstColumn(bool on);

    // Whether Ctrl+Delete deletes the current row after "Delete record?".
    void setKeyboardDelete(bool on) { m_keyboardDelete = on; }

signals:
    void titleClicked(int logical);     // after the dataset has been ordered by a sortable column
    void rowDoubleClicked();
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void followDataset();
    void onTitleClicked(int logical);
    void updateFrozenGeometry();
    void incrementalSearch(const QString &typed);

    DatasetModel *m_model;
    QTableView *m_frozen;            // overlay showing the first column, which stays in place
    TwoLevelHeader *m_header;
    bool m_keyboardDelete = true;
    bool m_frozenOn = false;
    bool m_following = false;
    bool m_settingRows = false;
    QString m_searchText;
    QElapsedTimer m_searchTimer;
};
