#pragma once
#include <QString>
#include <QVariant>
#include <vector>

// How the engine sees a value. Decimal values are exact: a qlonglong count of
// ten-thousandths; Integer is a qlonglong, Date a QDate, Text a QString.
enum class ReportFieldType : quint8 { Text, Integer, Decimal, Date, Bool, Binary };

// The rows of one named data source, as the engine reads them.
class ReportSource {
public:
    virtual ~ReportSource() = default;
    virtual QString name() const = 0;
    virtual int fieldCount() const = 0;
    virtual QString fieldName(int field) const = 0;
    virtual ReportFieldType fieldType(int field) const = 0;
    virtual int rowCount() const = 0;
    virtual QVariant value(int row, int field) const = 0;
    // Called once before rows are read, with the fields the report uses, so a
    // source can take its snapshot of just those.
    virtual void willRead(const std::vector<int> &fields) { (void)fields; }

    int fieldIndex(const QString &name) const;   // without regard to case; -1 when absent
};

// The first source of that name, without regard to case; -1 when absent.
int sourceIndex(const std::vector<ReportSource *> &sources, const QString &name);
