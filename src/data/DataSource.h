#pragma once
#include <QObject>

class Dataset;

// The binding through which grids, lookup controls and reports reach a dataset
// by name ("DSBazaSale" shows "ADOTBazaSale").
class DataSource : public QObject {
    Q_OBJECT
public:
    DataSource(const QString &name, Dataset *dataset, QObject *parent = nullptr)
        : QObject(parent), m_dataset(dataset) { setObjectName(name); }
    Dataset *dataset() const { return m_dataset; }

private:
    Dataset *m_dataset;
};
