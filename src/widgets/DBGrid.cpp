#include "widgets/DBGrid.h"
#include "widgets/TwoLevelHeader.h"
#include "data/Dataset.h"
#include "platform/ErrorReport.h"
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

namespace {

constexpr int SearchPauseMs = 1500;   // typing after a longer pause starts a new search

// Keeps the selection visible in the same colours when the grid has no focus.
void keepHighlight(QWidget *w)
{
    QPalette p = w->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    w->setPalette(p);
}

void setUpView(QTableView *v)
{
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setShowGrid(true);
    v->setWordWrap(false);
    v->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    v->verticalHeader()->setMinimumSectionSize(8);
    v->verticalHeader()->setFixedWidth(12);
    keepHighlight(v);
}

} // namespace

DBGrid::DBGrid(QWidget *parent) : QTableView(parent), m_model(new DatasetModel(this)), m_header(new TwoLevelHeader(this))
{
    setHorizontalHeader(m_header);
    setModel(m_model);
    setUpView(this);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // The first column stays in place: an overlay view over the same model and selection.
    m_frozen = new QTableView(this);
    auto *frozenHeader = new TwoLevelHeader(m_frozen);
    frozenHeader->setSectionsMovable(false);
    m_frozen->setHorizontalHeader(frozenHeader);
    m_frozen->setModel(m_model);
    m_frozen->setSelectionModel(selectionModel());
    setUpView(m_frozen);
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->verticalHeader()->hide();
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette fp = m_frozen->palette();
    fp.setColor(QPalette::Base, palette().color(QPalette::Button));
    fp.setColor(QPalette::Text, DatasetModel::frozenText());
    fp.setColor(QPalette::ButtonText, DatasetModel::frozenText());
    m_frozen->setPalette(fp);
    keepHighlight(m_frozen);
    frozenHeader->setPalette(fp);
    m_frozen->setFrameShape(QFrame::NoFrame);
    viewport()->stackUnder(m_frozen);

    m_header->setMinimumSectionSize(8);
    connect(m_header, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (size > 0 && logical < columnCountTotal()) gridColumn(logical).width = size;   // kept while hidden
        if (logical == m_header->logicalIndex(0)) m_frozen->setColumnWidth(logical, size);
        updateFrozenGeometry();
    });
    connect(m_header, &QHeaderView::sectionMoved, this, [this] { updateFrozenGeometry(); });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this](int row, int, int size) {
        if (!m_settingRows) m_frozen->setRowHeight(row, size);   // one row resized by the user
    });
    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(), &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozen->verticalScrollBar(), &QAbstractSlider::setValue);
    connect(m_header, &QHeaderView::sectionClicked, this, &DBGrid::onTitleClicked);
    connect(frozenHeader, &QHeaderView::sectionClicked, this, &DBGrid::onTitleClicked);
    connect(m_frozen, &QTableView::doubleClicked, this, [this] { emit rowDoubleClicked(); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { updateFrozenGeometry(); followDataset(); });
    setRowHeight(15);
}

DBGrid::~DBGrid() = default;

void DBGrid::setDataset(Dataset *dataset)
{
    if (Dataset *old = m_model->dataset()) disconnect(old, nullptr, this, nullptr);
    m_model->setDataset(dataset);
    if (dataset) connect(dataset, &Dataset::currentChanged, this, [this] { followDataset(); });
    followDataset();
}

Dataset *DBGrid::dataset() const { return m_model->dataset(); }

void DBGrid::setColumns(std::vector<GridColumn> columns)
{
    m_model->setColumns(std::move(columns));
    const QFontMetrics fm(font());
    for (int c = 0; c < columnCountTotal(); ++c) {
        GridColumn &col = gridColumn(c);
        int w = col.width;
        if (w <= 0) {
            const Dataset *ds = dataset();
            const int f = ds ? ds->fieldIndex(col.field) : -1;
            const FieldType type = f >= 0 ? ds->fieldInfo(f).type : FieldType::Text;
            const int chars = f < 0 ? 10
                            : type == FieldType::Text || type == FieldType::Lookup ? ds->fieldInfo(f).width
                            : type == FieldType::Money ? 13 : 8;
            w = fm.averageCharWidth() * std::clamp(chars, 6, 18) + 8;
        }
        setColumnWidth(c, w);
        setColumnHidden(c, !col.visible);
    }
    updateFrozenGeometry();
}

int DBGrid::columnCountTotal() const { return m_model->columnCount(); }
GridColumn &DBGrid::gridColumn(int logical) { return m_model->column(logical); }
int DBGrid::position(int logical) const { return m_header->visualIndex(logical); }

void DBGrid::moveToPosition(int logical, int position)
{
    m_header->moveSection(m_header->visualIndex(logical), std::clamp(position, 0, columnCountTotal() - 1));
    updateFrozenGeometry();
}

int DBGrid::width(int logical) const
{
    return isColumnHidden(logical) ? m_model->columns().at(size_t(logical)).width : columnWidth(logical);
}

int DBGrid::logicalAt(int position) const { return m_header->logicalIndex(position); }

std::vector<int> DBGrid::columnsInOrder() const
{
    std::vector<int> order;
    for (int p = 0; p < columnCountTotal(); ++p) order.push_back(logicalAt(p));
    return order;
}
void DBGrid::setWidth(int logical, int pixels) { setColumnWidth(logical, pixels); }
bool DBGrid::isVisibleColumn(int logical) const { return !isColumnHidden(logical); }

void DBGrid::setVisibleColumn(int logical, bool visible)
{
    gridColumn(logical).visible = visible;
    setColumnHidden(logical, !visible);
    updateFrozenGeometry();
}

int DBGrid::rowHeight() const { return verticalHeader()->defaultSectionSize(); }

void DBGrid::setRowHeight(int pixels)
{
    // Every row reports its new height; the overlay gets the same default instead of row by row.
    m_settingRows = true;
    for (QTableView *v : {m_frozen, static_cast<QTableView *>(this)})
        v->verticalHeader()->setDefaultSectionSize(pixels);
    m_settingRows = false;
}

int DBGrid::selectedColumn() const
{
    return currentIndex().isValid() ? currentIndex().column() : -1;
}

QString DBGrid::currentText(int logical) const
{
    const Dataset *ds = dataset();
    return ds && ds->recNo() >= 0 ? m_model->displayText(ds->recNo(), logical) : QString();
}

// The frozen column is the one shown first; the overlay shows it alone.
void DBGrid::updateFrozenGeometry()
{
    const int frozen = m_header->logicalIndex(0);
    for (int c = 0; c < columnCountTotal(); ++c) {
        m_frozen->setColumnHidden(c, c != frozen);
        m_frozen->horizontalHeader()->resizeSection(c, columnWidth(c));
    }
    m_frozen->horizontalHeader()->setFixedHeight(m_header->height());
    m_frozen->setVisible(m_frozenOn && frozen >= 0 && !isColumnHidden(frozen));
    m_frozen->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(),
                          frozen >= 0 ? columnWidth(frozen) : 0, viewport()->height() + m_header->height());
}

void DBGrid::setFrozenFirstColumn(bool on)
{
    m_frozenOn = on;
    updateFrozenGeometry();
}

void DBGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
}

void DBGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    updateFrozenGeometry();
}

// Keyboard moves to the left must not end under the frozen column.
QModelIndex DBGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(action, modifiers);
    const int frozen = m_header->logicalIndex(0);
    if (action == MoveLeft && current.column() != frozen
        && visualRect(current).topLeft().x() < m_frozen->columnWidth(frozen)) {
        const int newValue = horizontalScrollBar()->value() + visualRect(current).topLeft().x() - m_frozen->columnWidth(frozen);
        horizontalScrollBar()->setValue(newValue);
    }
    return current;
}

void DBGrid::onTitleClicked(int logical)
{
    if (logical < 0 || logical >= columnCountTotal() || !gridColumn(logical).sortable || !dataset()) return;
    const QString field = gridColumn(logical).field;
    reportErrors([&] {
        if (dataset()->sort() != QStringList{field}) dataset()->setSort({field});
    });
    emit titleClicked(logical);
}

// The grid's current row follows the dataset's current row.
void DBGrid::followDataset()
{
    const Dataset *ds = dataset();
    if (!ds || m_following) return;
    const int row = ds->recNo();
    m_following = true;
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clear();
    } else {
        const int column = currentIndex().isValid() ? currentIndex().column() : m_header->logicalIndex(0);
        const QModelIndex index = m_model->index(row, std::max(column, 0));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    m_following = false;
}

// ... and the dataset follows the row the user selects.
void DBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    Dataset *ds = dataset();
    // While the model changes shape the view moves its current index by itself;
    // that must not move the dataset (it would store a row being inserted).
    if (m_following || m_model->changing() || !ds || !current.isValid() || current.row() == ds->recNo()) return;
    m_following = true;
    reportErrors([&] { ds->setRecNo(current.row()); });
    m_following = false;
    if (ds->recNo() != current.row()) followDataset();   // the move was refused
}

void DBGrid::incrementalSearch(const QString &typed)
{
    if (!m_searchTimer.isValid() || m_searchTimer.elapsed() > SearchPauseMs) m_searchText.clear();
    m_searchTimer.restart();
    m_searchText += typed;
    const int column = selectedColumn() >= 0 ? selectedColumn() : m_header->logicalIndex(0);
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (m_model->displayText(r, column).startsWith(m_searchText, Qt::CaseInsensitive)) {
            reportErrors([&] { dataset()->setRecNo(r); });
            return;
        }
}

void DBGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
        Dataset *ds = dataset();
        if (m_keyboardDelete && ds && !ds->isEmpty() && dialogs().confirm(QStringLiteral("Delete record?")))
            reportErrors([&] { ds->deleteRecord(); });
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed();
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        && dataset()) {
        incrementalSearch(text);
        return;
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid()) emit rowDoubleClicked();
}
