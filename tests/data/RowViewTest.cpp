#include "data/ColumnStore.h"
#include "data/RowView.h"
#include <gtest/gtest.h>

namespace {

// Five rows: a kind, a name, a price, a date and a computed town (a lookup).
struct FiveRows {
    std::vector<FieldInfo> fields;
    std::vector<std::unique_ptr<StoredColumn>> columns;
    std::vector<uint8_t> deleted = std::vector<uint8_t>(5, 0);
    const QStringList towns{"Тверь", "Клин", "", "тверь", "Клин"};

    FiveRows()
    {
        add("Kind", FieldType::Integer, {2, 1, 2, QVariant(), 1});
        add("Name", FieldType::Text, {"дом", "Квартира", "Дом", "квартира", QVariant()});
        add("Price", FieldType::Money, {money(15000000000), money(9000005000), QVariant(), money(15000000000), money(1)});
        add("Since", FieldType::Date, {QDate(2027, 6, 1), QVariant(), QDate(2026, 1, 31), QDate(2027, 6, 1), QVariant()});
        fields.push_back(FieldInfo::stored("Town", FieldType::Lookup, 20));
    }
    static QVariant money(int64_t units) { return QVariant::fromValue(Money::fromUnits(units)); }
    void add(const char *name, FieldType type, const QVariantList &values)
    {
        fields.push_back(FieldInfo::stored(name, type, 20));
        columns.push_back(std::make_unique<StoredColumn>(fields.back()));
        for (int p = 0; p < values.size(); ++p) {
            columns.back()->pushNull();
            columns.back()->set(size_t(p), values[p]);
        }
    }
    std::vector<int> shown(const RowView &view) const
    {
        return view.build(ViewRows{fields, columns, deleted, [this](int p, int f) {
                                       return fields[size_t(f)].type == FieldType::Lookup ? QVariant(towns[p])
                                                                                          : columns[size_t(f)]->get(size_t(p));
                                   }});
    }
};

enum Field { Kind, Name, Price, Since, Town };

RowView linkedTo(int field, const QVariant &value)
{
    RowView v;
    v.linked = true;
    v.linkField = field;
    v.linkValue = value;
    return v;
}

RowView filteredBy(int field, const QString &value)
{
    RowView v;
    v.filterField = field;
    v.filterValue = value;
    return v;
}

RowView sortedBy(std::vector<int> fields)
{
    RowView v;
    v.sortFields = std::move(fields);
    return v;
}

} // namespace

TEST(RowView, WhichRowsAndInWhatOrder)
{
    struct Case { const char *name; RowView view; std::vector<int> rows; };
    const Case cases[] = {
        {"everything", RowView(), {0, 1, 2, 3, 4}},
        {"linked by number", linkedTo(Kind, 2), {0, 2}},
        {"linked by text, exactly", linkedTo(Name, "Дом"), {2}},
        {"master without a value", linkedTo(Kind, QVariant()), {}},
        {"link field unknown", linkedTo(-1, 2), {}},
        {"text filter, exactly", filteredBy(Name, "квартира"), {3}},
        {"money filter as typed", filteredBy(Price, "1500000"), {0, 3}},
        {"date filter", filteredBy(Since, "01.06.2027"), {0, 3}},
        {"filter on a lookup", filteredBy(Town, "Клин"), {1, 4}},
        {"filter that reads as no value", filteredBy(Price, "дорого"), {}},
        {"numbers, no value first, stable", sortedBy({Kind}), {3, 1, 4, 0, 2}},
        {"texts without case, then money", sortedBy({Name, Price}), {4, 2, 0, 1, 3}},
        {"money", sortedBy({Price}), {2, 4, 1, 0, 3}},
        {"dates, then number", sortedBy({Since, Kind}), {1, 4, 2, 3, 0}},
        {"lookup", sortedBy({Town}), {2, 1, 4, 0, 3}},
    };
    FiveRows rows;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rows.shown(c.view), c.rows);
    }
}

TEST(RowView, DeletedRowsAreNeverShown)
{
    FiveRows rows;
    rows.deleted[0] = rows.deleted[3] = 1;
    EXPECT_EQ(rows.shown(sortedBy({Name})), std::vector<int>({4, 2, 1}));
    RowView both = linkedTo(Kind, 2);
    both.filterField = Name;
    both.filterValue = "Дом";
    EXPECT_EQ(rows.shown(both), std::vector<int>({2}));
}
