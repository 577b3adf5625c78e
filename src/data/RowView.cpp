#include "data/RowView.h"
#include "data/ColumnStore.h"
#include "data/FieldValue.h"
#include "data/TextCompare.h"
#include "platform/AppError.h"
#include <algorithm>
#include <optional>

// The master's value and the filter's value, read once for the whole view.
struct RowView::Wanted {
    qlonglong linkNumber = 0;
    QString linkText;
    std::optional<QVariant> filter;   // the filter text as the field's type; none: compared as stored text
};

std::vector<int> RowView::build(const ViewRows &rows) const
{
    Wanted wanted;
    wanted.linkNumber = linkValue.toLongLong();
    wanted.linkText = linkValue.toString();
    if (filterField >= 0) {
        try {
            wanted.filter = FieldValue::convert(rows.fields[size_t(filterField)], filterValue);
        } catch (const AppError &) {
        }
    }
    std::vector<int> view;
    view.reserve(rows.deleted.size());
    for (size_t p = 0; p < rows.deleted.size(); ++p)
        if (!rows.deleted[p] && linkAccepts(rows, wanted, int(p)) && filterAccepts(rows, wanted, int(p)))
            view.push_back(int(p));
    if (!sortFields.empty())
        std::stable_sort(view.begin(), view.end(), [&](int a, int b) { return compare(rows, a, b) < 0; });
    return view;
}

bool RowView::linkAccepts(const ViewRows &rows, const Wanted &wanted, int physical) const
{
    if (!linked) return true;
    if (isNullValue(linkValue) || linkField < 0) return false;
    const StoredColumn &c = *rows.columns[size_t(linkField)];
    if (c.nulls[size_t(physical)]) return false;
    return usesNumbers(c.type) ? c.nums[size_t(physical)] == wanted.linkNumber
                               : c.texts[size_t(physical)] == wanted.linkText;
}

bool RowView::filterAccepts(const ViewRows &rows, const Wanted &wanted, int physical) const
{
    if (filterField < 0) return true;
    const FieldInfo &f = rows.fields[size_t(filterField)];
    const QVariant v = rows.value(physical, filterField);
    if (isNullValue(v)) return false;
    if (f.type == FieldType::Text || f.type == FieldType::Lookup)
        return v.toString() == filterValue;
    if (wanted.filter) {
        try {
            return *wanted.filter == FieldValue::convert(f, v);
        } catch (const AppError &) {
        }
    }
    return FieldValue::storedText(f, v) == filterValue;
}

int RowView::compare(const ViewRows &rows, int a, int b) const
{
    for (int f : sortFields) {
        const FieldInfo &info = rows.fields[size_t(f)];
        if (info.type != FieldType::Lookup && usesNumbers(info.type)) {
            const StoredColumn &c = *rows.columns[size_t(f)];
            if (c.nulls[a] != c.nulls[b]) return c.nulls[a] ? -1 : 1;
            if (c.nums[a] != c.nums[b]) return c.nums[a] < c.nums[b] ? -1 : 1;
            continue;
        }
        if (info.type == FieldType::Text) {
            const StoredColumn &c = *rows.columns[size_t(f)];
            if (c.nulls[a] != c.nulls[b]) return c.nulls[a] ? -1 : 1;
            const int r = c.nulls[a] ? 0 : compareText(c.texts[a], c.texts[b]);
            if (r != 0) return r;
            continue;
        }
        const QVariant va = rows.value(a, f), vb = rows.value(b, f);
        const bool na = isNullValue(va), nb = isNullValue(vb);
        if (na != nb) return na ? -1 : 1;
        if (na) continue;
        const int r = compareText(va.toString(), vb.toString());
        if (r != 0) return r;
    }
    return 0;
}
