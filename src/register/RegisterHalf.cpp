#include "register/RegisterHalf.h"
#include "data/Dataset.h"
#include "register/CellFilter.h"
#include "register/ColumnChoice.h"
#include "platform/ErrorReport.h"
#include "widgets/DBGrid.h"
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor Navy(0, 0, 128);
constexpr int DesignedRowHeight = 20;
constexpr int MinColumnWidth = 8;

QFont boldFont(const QFont &base, int pointSize = 0)
{
    QFont font = base;
    font.setBold(true);
    if (pointSize > 0) font.setPointSize(pointSize);
    return font;
}

} // namespace

QColor RegisterHalf::headerColour() { return QColor(255, 179, 102); }
QColor RegisterHalf::desktopColour() { return QColor(0x3a, 0x6e, 0xa5); }

RegisterHalf::RegisterHalf(const Texts &texts, std::vector<GridColumn> columns, Dataset *dataset, QWidget *parent)
    : QWidget(parent), m_texts(texts)
{
    setObjectName(QStringLiteral("Panel") + texts.suffix);
    setMinimumWidth(60);   // the splitter and the width rule decide the width, not the toolbar

    m_grid = new DBGrid;
    m_grid->setFrozenFirstColumn(true);
    m_grid->setObjectName(texts.gridName);
    // Titles such as "Этаж|№" are designed narrower than the header's usual minimum.
    m_grid->horizontalHeader()->setMinimumSectionSize(MinColumnWidth);
    m_grid->setRowHeight(DesignedRowHeight);   // while the grid has no rows, at no cost
    m_grid->setDataset(dataset);   // before the columns: their default widths come from the fields
    m_grid->setColumns(std::move(columns));
    connect(m_grid, &DBGrid::titleClicked, this, [this](int logical) { reportErrors([&] { sortByTitle(logical); }); });
    connect(m_grid, &DBGrid::rowDoubleClicked, this, &RegisterHalf::openRequested);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band(QStringLiteral("LHeader") + texts.suffix, texts.header, headerColour(), Navy, 14));
    layout->addWidget(band(QStringLiteral("LSubHeader") + texts.suffix, texts.subHeader, desktopColour(), Qt::white, 0));
    layout->addWidget(buildToolbar());
    layout->addWidget(m_grid, 1);
    layout->addWidget(buildBottomBar());
}

QLabel *RegisterHalf::band(const QString &name, const QString &text, const QColor &back, const QColor &fore,
                           int pointSize)
{
    auto *label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setFont(boldFont(label->font(), pointSize));
    label->setAutoFillBackground(true);
    label->setContentsMargins(2, 2, 2, 2);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, fore);
    label->setPalette(palette);
    return label;
}

QToolButton *RegisterHalf::toolButton(QWidget *bar, const QString &name, const QString &text)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(name + m_texts.suffix);
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    bar->layout()->addWidget(button);
    return button;
}

QWidget *RegisterHalf::buildToolbar()
{
    auto *bar = new QFrame;
    bar->setObjectName(QStringLiteral("ToolBar") + m_texts.suffix);
    bar->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(2);
    connect(toolButton(bar, QStringLiteral("BAdd"), QStringLiteral("Добавить")), &QToolButton::clicked,
            this, &RegisterHalf::addRequested);
    // Opening shares its way with the double click.
    connect(toolButton(bar, QStringLiteral("BOpen"), QStringLiteral("Открыть")), &QToolButton::clicked,
            this, &RegisterHalf::openRequested);
    connect(toolButton(bar, QStringLiteral("BDelete"), QStringLiteral("Удалить")), &QToolButton::clicked,
            this, &RegisterHalf::deleteRequested);
    QToolButton *choose = toolButton(bar, QStringLiteral("BSelectCol"), QStringLiteral("Выбор"));
    connect(choose, &QToolButton::clicked, this,
            guarded([this] { chooseVisibleColumns(*m_grid, m_texts.chooserCaption); }));
    connect(toolButton(bar, QStringLiteral("BSearch"), QStringLiteral("Поиск")), &QToolButton::clicked,
            this, &RegisterHalf::searchRequested);
    row->addStretch(1);
    return bar;
}

QWidget *RegisterHalf::buildBottomBar()
{
    auto *bar = new QFrame;
    bar->setObjectName(QStringLiteral("BottomBar") + m_texts.suffix);
    bar->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    m_filter = new QCheckBox(m_texts.filterCaption);
    m_filter->setObjectName(QStringLiteral("CBFilter") + m_texts.suffix);
    connect(m_filter, &QCheckBox::toggled, this, guarded([this] { filterToggled(); }));
    row->addWidget(m_filter);
    row->addStretch(1);
    auto *document = new QToolButton;
    document->setObjectName(QStringLiteral("BDocument") + m_texts.suffix);
    document->setText(QStringLiteral("Документ"));
    connect(document, &QToolButton::clicked, this, &RegisterHalf::documentRequested);
    row->addWidget(document);
    return bar;
}

void RegisterHalf::sortByTitle(int logical)
{
    Dataset *dataset = m_grid->dataset();
    if (!m_grid->gridColumn(logical).sortable) return;
    const QStringList fields{m_grid->gridColumn(logical).field};
    if (dataset && dataset->sort() != fields) dataset->setSort(fields);
}

void RegisterHalf::filterToggled()
{
    Dataset *dataset = m_grid->dataset();
    if (!dataset) return;
    if (!m_filter->isChecked()) {
        dataset->setFiltered(false);
        return;
    }
    try {
        filterByCurrentCell(*m_grid, m_texts.filterMessage);
    } catch (...) {
        // A filter that could not be set leaves the box unticked.
        const QSignalBlocker quiet(m_filter);
        m_filter->setChecked(false);
        throw;
    }
}
