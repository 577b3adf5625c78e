#include "report/ui/PreviewWindow.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "report/PagePainter.h"
#include "report/Preparer.h"
#include "report/ui/PageView.h"
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QScreen>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {
constexpr int SliceMs = 30;
const QSize DefaultSize(1000, 760);
const double Zooms[] = {0.5, 0.75, 1.0, 1.5, 2.0, 4.0};

} // namespace

PreviewWindow::PreviewWindow(std::shared_ptr<ReportJob> job, QWidget *opener)
    : QMainWindow(opener, Qt::Window), m_job(std::move(job))
{
    buildActions();
    setWindowTitle(QStringLiteral("Предварительный просмотр — %1").arg(m_job->title));
    auto prepared = std::make_unique<PreparedReport>();
    prepared->title = m_job->title;
    start(std::move(prepared));
}

PreviewWindow::PreviewWindow(PreparedReport prepared, QWidget *opener) : QMainWindow(opener, Qt::Window)
{
    buildActions();
    setWindowTitle(QStringLiteral("Предварительный просмотр — %1").arg(prepared.title));
    start(std::make_unique<PreparedReport>(std::move(prepared)));
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildActions()
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_view = new PageView(this);
    setCentralWidget(m_view);
    m_timer = new QTimer(this);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, guarded([this] { prepareSlice(); }));

    QToolBar *bar = m_toolBar = addToolBar(QStringLiteral("Просмотр"));
    bar->setObjectName(QStringLiteral("PreviewToolBar"));
    bar->setMovable(false);
    auto add = [this, bar](const QString &text, QKeySequence key, auto slot) {
        QAction *a = bar->addAction(text);
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, guarded(slot));
        return a;
    };
    add(QStringLiteral("Печать"), QKeySequence(Qt::CTRL | Qt::Key_P), [this] { onPrint(); });
    add(QStringLiteral("Открыть"), QKeySequence(Qt::CTRL | Qt::Key_O), [this] { onOpen(); });
    add(QStringLiteral("Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { onSave(); });
    add(QStringLiteral("Экспорт в PDF"), QKeySequence(), [this] { onExportPdf(); });
    bar->addSeparator();
    m_zoom = new QComboBox(bar);
    m_zoom->addItem(QStringLiteral("Страница целиком"));
    m_zoom->addItem(QStringLiteral("По ширине страницы"));
    for (double z : Zooms) m_zoom->addItem(QStringLiteral("%1 %").arg(qRound(z * 100)));
    m_zoom->setCurrentIndex(1);
    connect(m_zoom, &QComboBox::activated, this, [this](int i) { onZoomChosen(i); });
    bar->addWidget(m_zoom);
    add(QStringLiteral("Найти"), QKeySequence(Qt::CTRL | Qt::Key_F), [this] {
        m_findBar->show();
        m_findText->setFocus();
        m_findText->selectAll();
    });
    add(QStringLiteral("Структура"), QKeySequence(), [this] { m_outlineDock->setVisible(!m_outlineDock->isVisible()); });
    m_pageSetup = add(QStringLiteral("Параметры страницы"), QKeySequence(), [this] { onPageSetup(); });
    QAction *close = new QAction(QStringLiteral("Закрыть"), this);
    close->setShortcut(Qt::Key_Escape);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    buildNavigation();
    buildFindBar();
    buildOutline();

    m_status = new QLabel(this);
    statusBar()->addWidget(m_status, 1);
    m_stop = new QPushButton(QStringLiteral("Остановить"), this);
    m_stop->hide();
    connect(m_stop, &QPushButton::clicked, this, [this] { stopPreparing(); });
    statusBar()->addPermanentWidget(m_stop);
    connect(m_view, &PageView::currentPageChanged, this, [this](int page) {
        const QSignalBlocker block(m_pageNumber);
        m_pageNumber->setValue(page + 1);
        updateNavigation();
    });
    connect(m_view, &PageView::textDoubleClicked, this, [this](int page, int item) { onEdit(page, item); });
    connect(m_view, &PageView::zoomChanged, this, [this] { updateStatus(); });
    placeWindow();
}

QRect PreviewWindow::placement(QSize wanted, const QRect &area, const QRect &over, const QMargins &frame)
{
    QRect outer(QPoint(), wanted.grownBy(frame).boundedTo(area.size()));
    outer.moveCenter(over.center());
    outer.moveLeft(std::clamp(outer.left(), area.left(), area.right() + 1 - outer.width()));
    outer.moveTop(std::clamp(outer.top(), area.top(), area.bottom() + 1 - outer.height()));
    return outer;
}

void PreviewWindow::placeWindow()
{
    // The frame is not known before the window is shown; this is room for a title bar and borders.
    const QMargins frame(4, 30, 4, 4);
    const QWidget *opener = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area = (opener ? opener->screen() : screen())->availableGeometry();
    const int row = m_toolBar->sizeHint().width() + m_pagesBar->sizeHint().width();
    const QRect outer = placement(QSize(std::max(DefaultSize.width(), row), DefaultSize.height()), area,
                                  opener ? opener->frameGeometry() : area, frame);
    resize(outer.size().shrunkBy(frame));
    move(outer.topLeft());
}

void PreviewWindow::buildNavigation()
{
    QToolBar *bar = m_pagesBar = addToolBar(QStringLiteral("Страницы"));
    bar->setObjectName(QStringLiteral("PagesToolBar"));
    bar->setMovable(false);
    auto go = [this, bar](const QString &text, auto target) {
        QAction *a = bar->addAction(text);
        connect(a, &QAction::triggered, this, [this, target] { m_view->goToPage(target()); });
        return a;
    };
    m_first = go(QStringLiteral("Первая"), [] { return 0; });
    m_previous = go(QStringLiteral("Предыдущая"), [this] { return m_view->currentPage() - 1; });
    // Measured for four-digit numbers, so the toolbar keeps its width while the pages are counted.
    m_pageNumber = new QSpinBox(bar);
    m_pageNumber->setObjectName(QStringLiteral("PageNumber"));
    m_pageNumber->setRange(1, 9999);
    m_pageNumber->setMinimumWidth(m_pageNumber->sizeHint().width());
    m_pageNumber->setRange(1, 1);
    m_pageNumber->setKeyboardTracking(false);
    connect(m_pageNumber, &QSpinBox::valueChanged, this, [this](int v) { m_view->goToPage(v - 1); });
    bar->addWidget(m_pageNumber);
    m_pageCount = new QLabel(bar);
    m_pageCount->setMinimumWidth(m_pageCount->fontMetrics().horizontalAdvance(QStringLiteral(" из 9999 ")));
    bar->addWidget(m_pageCount);
    m_next = go(QStringLiteral("Следующая"), [this] { return m_view->currentPage() + 1; });
    m_last = go(QStringLiteral("Последняя"), [this] { return m_view->availablePages() - 1; });
}

void PreviewWindow::updateNavigation()
{
    const int page = m_view->currentPage();
    m_first->setEnabled(page > 0);
    m_previous->setEnabled(page > 0);
    m_next->setEnabled(page < m_view->availablePages() - 1);
    m_last->setEnabled(page < m_view->availablePages() - 1);
}

void PreviewWindow::buildFindBar()
{
    m_findBar = new QToolBar(QStringLiteral("Поиск"), this);
    m_findBar->setObjectName(QStringLiteral("FindBar"));
    addToolBarBreak();
    addToolBar(m_findBar);
    m_findBar->addWidget(new QLabel(QStringLiteral("Найти: "), m_findBar));
    m_findText = new QLineEdit(m_findBar);
    m_findText->setObjectName(QStringLiteral("FindText"));
    m_findBar->addWidget(m_findText);
    connect(m_findText, &QLineEdit::returnPressed, this, [this] { findText(m_findText->text(), true); });
    connect(m_findBar->addAction(QStringLiteral("Далее")), &QAction::triggered, this,
            [this] { findText(m_findText->text(), true); });
    connect(m_findBar->addAction(QStringLiteral("Назад")), &QAction::triggered, this,
            [this] { findText(m_findText->text(), false); });
    m_findBar->hide();
}

void PreviewWindow::buildOutline()
{
    m_outlineDock = new QDockWidget(QStringLiteral("Структура"), this);
    m_outlineDock->setObjectName(QStringLiteral("Outline"));
    m_outline = new QListWidget(m_outlineDock);
    m_outlineDock->setWidget(m_outline);
    addDockWidget(Qt::LeftDockWidgetArea, m_outlineDock);
    m_outlineDock->hide();
    connect(m_outline, &QListWidget::currentRowChanged, this, [this](int row) { m_view->goToPage(row); });
}

void PreviewWindow::start(std::unique_ptr<PreparedReport> prepared)
{
    m_preparer.reset();
    m_prepared = std::move(prepared);
    m_found = {0, -1};
    m_outline->clear();
    if (m_job) {
        m_preparer = std::make_unique<Preparer>(m_job->report, m_job->sourceList(), *m_prepared);
        m_preparer->prepareSome(SliceMs);   // the first page at once
    }
    m_pageSetup->setEnabled(bool(m_job));
    m_view->setReport(m_prepared.get(), 0);
    m_view->setFocus();
    pagesChanged();
    if (preparing()) {
        m_stop->show();
        m_timer->start();
    }
}

bool PreviewWindow::preparing() const { return m_preparer && !m_preparer->finished(); }

void PreviewWindow::prepareSlice()
{
    if (!preparing()) return stopPreparing();
    m_preparer->prepareSome(SliceMs);
    pagesChanged();
    if (!preparing()) stopPreparing();
}

void PreviewWindow::finishPreparing()
{
    if (preparing()) m_preparer->prepareAll();
    stopPreparing();
}

// Stops where it stands: the pages made so far stay.
void PreviewWindow::stopPreparing()
{
    m_timer->stop();
    m_stop->hide();
    m_preparer.reset();
    pagesChanged();
}

// Pages ready to show: the one being filled is not.
void PreviewWindow::pagesChanged()
{
    const int ready = preparing() ? std::max(0, m_prepared->pageCount() - 1) : m_prepared->pageCount();
    m_view->setAvailablePages(ready);
    for (int i = m_outline->count(); i < ready; ++i) m_outline->addItem(QStringLiteral("Страница %1").arg(i + 1));
    m_pageNumber->setRange(1, std::max(1, ready));
    m_pageCount->setText(QStringLiteral(" из %1 ").arg(ready));
    updateNavigation();
    updateStatus();
}

void PreviewWindow::updateStatus()
{
    QString text = preparing() ? QStringLiteral("Подготовка отчёта: строк %1 из %2, страниц %3…")
                                     .arg(m_preparer->rowsDone())
                                     .arg(m_preparer->rowsTotal())
                                     .arg(m_prepared->pageCount())
                               : QStringLiteral("Страниц: %1").arg(m_prepared->pageCount());
    text += QStringLiteral("   Масштаб: %1 %").arg(qRound(m_view->zoom() * 100));
    if (!m_prepared->notes.isEmpty()) text += QStringLiteral("   ") + m_prepared->notes.join(QStringLiteral("; "));
    m_status->setText(text);
}

bool PreviewWindow::print(QPrinter &printer, const PdfExport::Progress &progress)
{
    finishPreparing();
    printer.setFullPage(true);
    printer.setPageLayout(PagePainter::layoutOf(m_prepared->pages.front()));
    QPainter painter;
    if (!painter.begin(&printer))
        throw AppError(QStringLiteral("Не удалось начать печать. Проверьте, что принтер установлен и доступен."));
    PagePainter pages(*m_prepared);
    const int first = printer.fromPage() > 0 ? printer.fromPage() - 1 : 0;
    const int last = printer.toPage() > 0 ? std::min(printer.toPage(), m_prepared->pageCount()) : m_prepared->pageCount();
    for (int i = first; i < last; ++i) {
        if (progress && !progress(i - first, last - first)) {
            printer.abort();
            return false;
        }
        if (i > first) {
            printer.setPageLayout(PagePainter::layoutOf(m_prepared->pages[i]));
            printer.newPage();
        }
        pages.paint(painter, i, printer.resolution() / 25.4);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw AppError(QStringLiteral("Печать не удалась."));
    return true;
}

PdfExport::Progress PreviewWindow::progressWindow(const QString &what)
{
    auto *window = new QProgressDialog(what, QStringLiteral("Отменить"), 0, m_prepared->pageCount(), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    window->setMinimumDuration(500);
    QPointer<QProgressDialog> alive(window);
    return [alive](int page, int pages) {
        if (!alive) return false;
        alive->setMaximum(pages);
        alive->setValue(page);
        if (alive->wasCanceled()) return false;
        if (page + 1 >= pages) alive->close();
        return true;
    };
}

void PreviewWindow::onPrint()
{
    finishPreparing();
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setDocName(m_prepared->title);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Печать"));
    dialog.setMinMax(1, m_prepared->pageCount());
    if (dialog.exec() == QDialog::Accepted) print(printer, progressWindow(QStringLiteral("Печать…")));
}

bool PreviewWindow::exportPdf(const QString &path, const PdfExport::Progress &progress)
{
    finishPreparing();
    return PdfExport::write(*m_prepared, path, progress);
}

void PreviewWindow::onExportPdf()
{
    const QString path = dialogs().saveFile(QStringLiteral("Экспорт в PDF"), QString(), QStringLiteral("Файлы PDF|*.pdf"));
    if (!path.isEmpty()) exportPdf(path, progressWindow(QStringLiteral("Экспорт в PDF…")));
}

void PreviewWindow::savePrepared(const QString &path)
{
    finishPreparing();
    m_prepared->saveFile(path);
}

void PreviewWindow::onSave()
{
    const QString path = dialogs().saveFile(QStringLiteral("Сохранить отчёт"), QString(),
                                            QStringLiteral("Подготовленный отчёт|*.rkp"));
    if (!path.isEmpty()) savePrepared(path);
}

void PreviewWindow::openPrepared(const QString &path)
{
    auto prepared = std::make_unique<PreparedReport>(PreparedReport::loadFile(path));
    stopPreparing();
    m_job.reset();
    start(std::move(prepared));
}

void PreviewWindow::onOpen()
{
    const QString path = dialogs().openFile(QStringLiteral("Открыть отчёт"), QString(),
                                            QStringLiteral("Подготовленный отчёт|*.rkp"));
    if (!path.isEmpty()) openPrepared(path);
}

void PreviewWindow::findText(const QString &text, bool forward)
{
    finishPreparing();
    const auto hit = m_prepared->find(text, m_found, forward);
    if (!hit) {
        dialogs().information(QStringLiteral("Текст «%1» не найден.").arg(text));
        return;
    }
    m_found = *hit;
    m_view->setHighlight(hit);
}

void PreviewWindow::editText(int page, int item, const QString &text)
{
    m_prepared->setText(page, item, text);
    m_view->refreshPage(page);
}

void PreviewWindow::onEdit(int page, int item)
{
    bool ok = false;
    const QString text = QInputDialog::getMultiLineText(this, QStringLiteral("Изменить текст"), QStringLiteral("Текст:"),
                                                        m_prepared->displayText(page, m_prepared->pages[page].texts[item]),
                                                        &ok);
    if (ok) editText(page, item, text);
}

void PreviewWindow::setPage(const PageSetup &page)
{
    if (!m_job) return;
    stopPreparing();
    m_job->report.page.paper = page.paper;
    m_job->report.page.landscape = page.landscape;
    m_job->report.page.margins = page.margins;
    auto prepared = std::make_unique<PreparedReport>();
    prepared->title = m_job->title;
    start(std::move(prepared));
}

void PreviewWindow::onPageSetup()
{
    const PageSetup &current = m_job->report.page;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::id(current.sizeMm(), QPageSize::Millimeter)),
                                      current.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      current.margins, QPageLayout::Millimeter));
    QPageSetupDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Параметры страницы"));
    if (dialog.exec() != QDialog::Accepted) return;
    const QPageLayout layout = printer.pageLayout();
    PageSetup chosen = current;
    chosen.paper = QPageSize::key(layout.pageSize().id());
    chosen.landscape = layout.orientation() == QPageLayout::Landscape;
    chosen.margins = layout.margins(QPageLayout::Millimeter);
    setPage(chosen);
}

void PreviewWindow::onZoomChosen(int index)
{
    if (index == 0) m_view->setFit(PageView::Fit::WholePage);
    else if (index == 1) m_view->setFit(PageView::Fit::PageWidth);
    else m_view->setZoom(Zooms[index - 2]);
}
