#pragma once
#include "report/PdfExport.h"
#include "report/PreparedReport.h"
#include "report/ReportJob.h"
#include <QMainWindow>
#include <memory>

class PageView;
class Preparer;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QDockWidget;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTimer;

// The preview of every report: pages shown as they are prepared, printing,
// PDF, saving and opening prepared reports, zoom, find, an outline, page setup,
// editing of prepared texts and page navigation.
class PreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    // Prepares the job a slice at a time; the first page shows at once.
    explicit PreviewWindow(std::shared_ptr<ReportJob> job, QWidget *opener = nullptr);
    // Shows a prepared report (one opened from a file).
    explicit PreviewWindow(PreparedReport prepared, QWidget *opener = nullptr);
    ~PreviewWindow() override;

    const PreparedReport &prepared() const { return *m_prepared; }
    bool preparing() const;
    // Runs the preparation to its end (what the window does in slices).
    void finishPreparing();
    PageView *pageView() const { return m_view; }

    // Every page (or the printer's range) onto a printer set up by the caller;
    // progress(page, pages) returning false stops. False when stopped.
    bool print(QPrinter &printer, const PdfExport::Progress &progress = {});
    bool exportPdf(const QString &path, const PdfExport::Progress &progress = {});
    void savePrepared(const QString &path);
    void openPrepared(const QString &path);
    void findText(const QString &text, bool forward);
    void editText(int page, int item, const QString &text);
    void setPage(const PageSetup &page);   // page setup: the report is prepared again

    // The frame geometry of a window whose content wants `wanted` (frame around it):
    // no larger than the area, centred over `over`, kept on the area.
    static QRect placement(QSize wanted, const QRect &area, const QRect &over, const QMargins &frame);

private:
    void buildActions();
    void buildFindBar();
    void buildOutline();
    void buildNavigation();
    // Opens wide enough for the whole toolbar row, within the screen, centred over its opener.
    void placeWindow();
    // The page commands on only where they can move.
    void updateNavigation();
    void start(std::unique_ptr<PreparedReport> prepared);
    void prepareSlice();
    void stopPreparing();
    void pagesChanged();
    void updateStatus();
    void onPrint();
    void onExportPdf();
    void onSave();
    void onOpen();
    void onPageSetup();
    void onEdit(int page, int item);
    // A progress window for a long output; the function it gives says whether to go on.
    PdfExport::Progress progressWindow(const QString &what);
    void onZoomChosen(int index);

    std::shared_ptr<ReportJob> m_job;
    std::unique_ptr<PreparedReport> m_prepared;
    std::unique_ptr<Preparer> m_preparer;
    QTimer *m_timer = nullptr;
    PageView *m_view = nullptr;
    QToolBar *m_toolBar = nullptr;
    QToolBar *m_pagesBar = nullptr;
    QAction *m_first = nullptr, *m_previous = nullptr, *m_next = nullptr, *m_last = nullptr;
    QComboBox *m_zoom = nullptr;
    QSpinBox *m_pageNumber = nullptr;
    QLabel *m_pageCount = nullptr;
    QToolBar *m_findBar = nullptr;
    QLineEdit *m_findText = nullptr;
    QDockWidget *m_outlineDock = nullptr;
    QListWidget *m_outline = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_stop = nullptr;
    QAction *m_pageSetup = nullptr;
    PreparedReport::Hit m_found{0, -1};
};
