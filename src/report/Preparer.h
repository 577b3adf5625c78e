#pragma once
#include "report/Expression.h"
#include "report/PreparedReport.h"
#include "report/ReportModel.h"
#include <QDate>
#include <QFontMetricsF>
#include <QRect>
#include <vector>

// Lays a report's bands out into prepared pages. The report is compiled once
// (every [expression] resolved to a field index or a constant); then pages are
// made a slice at a time, so a window can show the first page while the rest
// are being prepared.
class Preparer {
public:
    Preparer(const Report &report, std::vector<ReportSource *> sources, PreparedReport &out,
             QDate today = QDate::currentDate());
    ~Preparer();

    // Prepares for about budgetMs milliseconds (at least one band); true when finished.
    bool prepareSome(int budgetMs);
    void prepareAll();
    bool finished() const { return m_stage == Stage::Done; }
    int rowsDone() const { return m_row; }
    int rowsTotal() const;

private:
    struct CompiledObject;
    struct CompiledBand;
    enum class Stage { Start, Rows, Summary, Done };

    void compile(const Report &report);
    CompiledBand compileBand(const Report &report, const Band &band);
    void compileText(const Report &report, const TextBox &t, const ExpressionScope &scope, CompiledBand &into);
    void compilePicture(const PictureBox &p, CompiledBand &into);
    void compileLine(const LineObject &l, CompiledBand &into);
    void placeAll(BandKind kind);
    qint32 heightOf(BandKind kind) const;

    void step();
    void startPage(bool withColumnHeader);
    void finishPage();
    // Places a band at the current position, on a new page when it does not fit.
    void place(const CompiledBand &band, bool dataRow);
    qint32 measure(const CompiledBand &band, std::vector<qint32> &shift);
    void put(const CompiledBand &band, const std::vector<qint32> &shift, qint32 grownHeight);

    PreparedReport &m_out;
    std::vector<ReportSource *> m_sources;
    std::vector<int> m_rows;
    EvaluationState m_state;
    std::vector<CompiledBand> m_bands;
    std::vector<QFontMetricsF> m_metrics;   // per style, for growing boxes

    qint32 m_pageWidth = 0, m_pageHeight = 0;
    QRect m_area;                           // printable area
    qint32 m_y = 0;
    qint32 m_bottom = 0;                    // above the page footer
    bool m_pageHasContent = false;
    PreparedPage *m_page = nullptr;

    Stage m_stage = Stage::Start;
    size_t m_dataBand = 0;
    int m_row = 0;
    std::vector<const CompiledBand *> m_data;
};
