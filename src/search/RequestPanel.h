#pragma once
#include <QGroupBox>
#include <QPointer>
#include <vector>

class Dataset;
class QGridLayout;

// The starting request's values, read-only, following the current row of a
// register dataset: a group of labelled fields laid out row by row.
class RequestPanel : public QGroupBox {
    Q_OBJECT
public:
    struct Item {
        const char *label;       // "Этаж:"
        const char *field;       // its objectName and the dataset field it shows
        int width = 0;           // 0: stretches with the row
        bool tick = false;       // a yes/no field shown as a tick box
        bool orange = false;     // the client and the type of object stand out
    };
    using Row = std::vector<Item>;

    RequestPanel(const QString &title, Dataset *dataset, QWidget *parent = nullptr);

    void addRows(const std::vector<Row> &rows);
    // A nested panel over the same dataset, placed below the rows added so far.
    RequestPanel *addSubPanel(const QString &title);
    // Shows the current row's values again.
    void refresh();

    static QColor orange();
    static QColor blue();

private:
    struct Binding { QWidget *control; QString field; };
    QWidget *control(const Item &item);

    QPointer<Dataset> m_dataset;
    QGridLayout *m_grid;
    std::vector<Binding> m_bindings;
};
