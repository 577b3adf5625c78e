#pragma once
#include "data/FieldInfo.h"
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct StoredColumn;

// The rows a view is built over: the fields, one stored column per stored
// field (in field order), the deleted marks, and a reader of any field's value
// (lookup fields are computed, not stored).
struct ViewRows {
    const std::vector<FieldInfo> &fields;
    const std::vector<std::unique_ptr<StoredColumn>> &columns;
    const std::vector<uint8_t> &deleted;
    std::function<QVariant(int physical, int field)> value;
};

// Which rows a dataset shows, and in what order: rows not deleted, whose link
// field equals the master's current value, that pass the F='V' filter, stably
// sorted by the ordering fields (rows without a value first, texts without case).
struct RowView {
    bool linked = false;         // a detail: only rows whose linkField equals linkValue
    int linkField = -1;
    QVariant linkValue;
    int filterField = -1;        // -1: no filter in force
    QString filterValue;
    std::vector<int> sortFields;

    // The physical rows shown, in order.
    std::vector<int> build(const ViewRows &rows) const;

private:
    struct Wanted;
    bool linkAccepts(const ViewRows &rows, const Wanted &wanted, int physical) const;
    bool filterAccepts(const ViewRows &rows, const Wanted &wanted, int physical) const;
    int compare(const ViewRows &rows, int a, int b) const;
};
