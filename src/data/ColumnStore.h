#pragma once
// How a dataset keeps its rows: one column of values per field (numbers as
// int64, texts as shared QStrings), read straight from SQLite result columns.
// The dataset's code and its tests include this.
#include "data/FieldInfo.h"
#include "data/Money.h"
#include "data/Statement.h"
#include <QDate>
#include <QHash>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <unordered_map>
#include <memory>
#include <vector>

inline constexpr int64_t ZeroDateJulian = 2415019;   // 30.12.1899

inline bool usesNumbers(FieldType t)
{
    return t == FieldType::Integer || t == FieldType::Counter || t == FieldType::Money
           || t == FieldType::Date || t == FieldType::Bool;
}


// Reads "YYYY-MM-DD" (a time of day after it is ignored) as a Julian day; -1 if not a date.
inline int64_t julianFromIso(const unsigned char *s, int n)
{
    if (n < 10 || s[4] != '-' || s[7] != '-')
        return -1;
    auto num = [s](int from, int len) {
        int v = 0;
        for (int i = from; i < from + len; ++i) {
            if (s[i] < '0' || s[i] > '9') return -1;
            v = v * 10 + (s[i] - '0');
        }
        return v;
    };
    const int y = num(0, 4), m = num(5, 2), d = num(8, 2);
    static const int monthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > monthDays[m - 1]) return -1;
    if (m == 2 && d == 29 && !QDate::isLeapYear(y)) return -1;
    // The Julian day number of a Gregorian date (Fliegel and Van Flandern).
    const int64_t a = (14 - m) / 12, yy = y + 4800 - a, mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

struct StringHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// The values of one stored field, row by row (physical rows, deleted ones included).
struct StoredColumn {
    FieldType type;
    std::vector<int64_t> nums;
    std::vector<QString> texts;
    std::vector<QByteArray> blobs;
    std::vector<uint8_t> nulls;
    // Short texts repeat (attribute words, names of towns): share one copy while
    // reading. A column whose texts turn out mostly distinct stops trying.
    std::unordered_map<std::string, QString, StringHash, std::equal_to<>> interned;
    bool intern = false;
    int seen = 0, distinct = 0;

    explicit StoredColumn(const FieldInfo &f) : type(f.type), intern(f.type == FieldType::Text && f.width > 0 && f.width <= 50) {}

    void pushNull()
    {
        nulls.push_back(1);
        if (usesNumbers(type)) nums.push_back(0);
        else if (type == FieldType::Binary) blobs.emplace_back();
        else texts.emplace_back();
    }

    QVariant get(size_t i) const
    {
        if (nulls[i]) return QVariant();
        switch (type) {
        case FieldType::Integer:
        case FieldType::Counter: return QVariant(int(nums[i]));
        case FieldType::Money: return QVariant::fromValue(Money::fromUnits(nums[i]));
        case FieldType::Date: return QVariant(QDate::fromJulianDay(nums[i]));
        case FieldType::Bool: return QVariant(nums[i] != 0);
        case FieldType::Binary: return QVariant(blobs[i]);
        default: return QVariant(texts[i]);
        }
    }

    // The value has been converted to the column's type already.
    void set(size_t i, const QVariant &v)
    {
        nulls[i] = isNullValue(v) ? 1 : 0;
        switch (type) {
        case FieldType::Integer:
        case FieldType::Counter: nums[i] = nulls[i] ? 0 : v.toLongLong(); break;
        case FieldType::Money: nums[i] = nulls[i] ? 0 : v.value<Money>().units(); break;
        case FieldType::Date: nums[i] = nulls[i] ? 0 : v.toDate().toJulianDay(); break;
        case FieldType::Bool: nums[i] = nulls[i] ? 0 : (v.toBool() ? 1 : 0); break;
        case FieldType::Binary: blobs[i] = nulls[i] ? QByteArray() : v.toByteArray(); break;
        default: texts[i] = nulls[i] ? QString() : v.toString(); break;
        }
    }

    // Appends the value of a result column; false when the stored value does not
    // read as the column's type (kept as no value, and the caller refuses the data).
    bool read(sqlite3_stmt *st, int col)
    {
        const int kind = sqlite3_column_type(st, col);
        if (kind == SQLITE_NULL) { pushNull(); return true; }
        nulls.push_back(0);
        switch (type) {
        case FieldType::Integer:
        case FieldType::Counter:
        case FieldType::Bool:
            nums.push_back(sqlite3_column_int64(st, col));
            break;
        case FieldType::Money:
            if (kind == SQLITE_INTEGER) nums.push_back(sqlite3_column_int64(st, col));
            else if (kind == SQLITE_FLOAT) nums.push_back(Money::fromDouble(sqlite3_column_double(st, col)).units());
            else {
                const auto m = Money::parse(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, col))));
                nums.push_back(m ? m->units() : 0);
                nulls.back() = m ? 0 : 1;
                return m.has_value();
            }
            break;
        case FieldType::Date: {
            int64_t jd;
            if (kind == SQLITE_TEXT)
                jd = julianFromIso(sqlite3_column_text(st, col), sqlite3_column_bytes(st, col));
            else   // a day count from 30.12.1899
                jd = ZeroDateJulian + int64_t(sqlite3_column_double(st, col));
            nums.push_back(jd < 0 ? 0 : jd);
            nulls.back() = jd < 0 ? 1 : 0;
            return jd >= 0;
        }
        case FieldType::Binary: {
            const void *b = sqlite3_column_blob(st, col);
            blobs.emplace_back(static_cast<const char *>(b), sqlite3_column_bytes(st, col));
            break;
        }
        default: {
            const char *t = reinterpret_cast<const char *>(sqlite3_column_text(st, col));
            const int n = sqlite3_column_bytes(st, col);
            if (!intern) { texts.push_back(QString::fromUtf8(t, n)); break; }
            const std::string_view key(t, size_t(n));
            ++seen;
            auto it = interned.find(key);
            if (it != interned.end()) { texts.push_back(it->second); break; }
            QString s = QString::fromUtf8(t, n);
            interned.emplace(std::string(key), s);
            texts.push_back(std::move(s));
            if (++distinct > 4096 && distinct * 4 > seen) { intern = false; interned.clear(); }
        }
        }
        return true;
    }

    // The first live row whose value equals key (already converted to the
    // column's type), or -1. Numbers are looked up through an index that is
    // built on first use and again whenever the dataset's version moves on.
    int firstRowWith(const QVariant &key, const std::vector<uint8_t> &deleted, uint64_t version) const
    {
        if (type == FieldType::Binary) return -1;   // bytes are no key
        if (!usesNumbers(type)) {
            const QString k = key.toString();
            for (size_t p = 0; p < deleted.size(); ++p)
                if (!deleted[p] && !nulls[p] && texts[p] == k) return int(p);
            return -1;
        }
        if (m_keyVersion != version || !m_keyRows) {
            m_keyRows = std::make_unique<QHash<int64_t, int>>();
            m_keyRows->reserve(qsizetype(deleted.size()));
            for (size_t p = 0; p < deleted.size(); ++p)
                if (!deleted[p] && !nulls[p] && !m_keyRows->contains(nums[p])) m_keyRows->insert(nums[p], int(p));
            m_keyVersion = version;
        }
        return m_keyRows->value(numberOf(key), -1);
    }

private:
    int64_t numberOf(const QVariant &key) const
    {
        if (type == FieldType::Money) return key.value<Money>().units();
        if (type == FieldType::Date) return key.toDate().toJulianDay();
        return key.toLongLong();
    }

    mutable std::unique_ptr<QHash<int64_t, int>> m_keyRows;
    mutable uint64_t m_keyVersion = 0;
};

