#pragma once
#include "report/PagePainter.h"
#include "report/PreparedReport.h"
#include <QAbstractScrollArea>
#include <QPixmap>
#include <list>
#include <memory>
#include <optional>

// The pages of a prepared report one under another, at a zoom. Paints only the
// visible pages, each once per zoom into a small cache of pixmaps.
class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

    // A new report (or one that was prepared again); `pages` of it are ready.
    void setReport(const PreparedReport *report, int pages);
    void setAvailablePages(int pages);
    int availablePages() const { return m_pages; }

    enum class Fit { None, WholePage, PageWidth };
    void setZoom(double zoom);            // 1.0: the page at its real size on screen
    void setFit(Fit fit);
    double zoom() const { return m_zoom; }

    int currentPage() const;
    void goToPage(int page);
    // Marks a found text and scrolls to it.
    void setHighlight(std::optional<PreparedReport::Hit> hit);
    void refreshPage(int page);

signals:
    void currentPageChanged(int page);
    void zoomChanged(double zoom);
    void textDoubleClicked(int page, int item);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    double pxPerMm() const;
    QRect pageRect(int page) const;       // in document pixels
    void relayout();
    // How far below the view's top the current page is read.
    int readingLine() const;
    // Tells of a new current page after a scroll or a new layout.
    void notePage();
    void applyFit();
    const QPixmap &pixmap(int page);
    void clearCache();

    const PreparedReport *m_report = nullptr;
    std::unique_ptr<PagePainter> m_painter;
    int m_pages = 0;
    double m_zoom = 1.0;
    Fit m_fit = Fit::PageWidth;
    std::vector<int> m_tops;              // document y of each page
    int m_shortest = 0;                   // height of the shortest page, in pixels
    std::optional<PreparedReport::Hit> m_highlight;
    std::list<std::pair<int, QPixmap>> m_cache;   // most recently used first
    int m_lastPage = -1;
};
