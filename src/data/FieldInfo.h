#pragma once
#include "data/Schema.h"
#include <QPointer>
#include <QString>

class Dataset;

// What a dataset knows of one of its fields.
struct FieldInfo {
    QString name;
    FieldType type = FieldType::Text;
    int width = 0;               // text fields: most characters allowed, 0 = unlimited
    // Lookup fields: shown from another dataset by key; never written.
    int keyField = -1;
    QPointer<const Dataset> lookupSource;   // reads empty once the source is gone
    QString lookupKeyName, lookupResultName;
    // Resolved in the source on first use: the source may open after this dataset.
    mutable int lookupKeyField = -1;
    mutable int lookupResultField = -1;
    static FieldInfo stored(const QString &name, FieldType type, int width)
    {
        FieldInfo f;
        f.name = name;
        f.type = type;
        f.width = width;
        return f;
    }
    bool readOnly() const { return type == FieldType::Counter || type == FieldType::Lookup; }
};
