#pragma once
#include "report/ReportSource.h"
#include "report/ValueText.h"
#include "report/Variables.h"
#include <QDate>
#include <QStringList>
#include <QTime>
#include <vector>

// Page numbers are resolved when a page is painted: prepared texts hold these marks.
constexpr char16_t PageNumberMark = 0xE000;
constexpr char16_t TotalPagesMark = 0xE001;

// What the names of a report text can refer to.
struct ExpressionScope {
    const std::vector<ReportSource *> &sources;
    int bandSource = -1;               // the source whose fields short names mean; -1 none
    const Variables &variables;
};

// Where the report stands while a text is evaluated.
struct EvaluationState {
    const std::vector<ReportSource *> &sources;
    const std::vector<int> &rows;      // the row each source is on
    int line = 0;                      // [Line#]: the row number within the data band
    QDate date;
    QTime time;
};

// A text with [expressions], compiled once: each bracket is resolved to a
// field index, a system value or a constant before any row is read.
// A name that resolves to nothing prints empty and leaves a note.
class CompiledText {
public:
    static CompiledText compile(const QString &text, const ExpressionScope &scope, const DisplayFormat &format,
                                QStringList *notes);

    void appendTo(const EvaluationState &state, QString &out) const;
    QString evaluate(const EvaluationState &state) const;
    bool hasPageNumbers() const { return m_pageNumbers; }
    // Adds the fields read from each source (indexes by source).
    void collectFields(std::vector<std::vector<int>> &perSource) const;

private:
    enum class Kind : quint8 { Literal, Field, Date, Time, Line, Page, TotalPages };
    struct Segment {
        Kind kind = Kind::Literal;
        QString literal;
        int source = -1;
        int field = -1;
        ReportFieldType type = ReportFieldType::Text;
    };
    struct Resolver;

    std::vector<Segment> m_segments;
    DisplayFormat m_format;
    bool m_pageNumbers = false;
};
