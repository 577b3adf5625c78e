#include "search/SearchWindow.h"
#include "data/DataModule.h"
#include "data/Keys.h"
#include "data/Query.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "search/RequestPanel.h"
#include "widgets/DBGrid.h"
#include <QCheckBox>
#include <QHBoxLayout>
#include <QStyledItemDelegate>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const QColor DesktopColour(0x3a, 0x6e, 0xa5);

void fill(QWidget *w, const QColor &back, const QColor &fore = {})
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, back);
    if (fore.isValid()) palette.setColor(QPalette::WindowText, fore);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

// The client's particulars on every found row, and for found offers the address.
void addLookups(Query &q, MatchDirection direction)
{
    struct Lookup { const char *name, *key, *source, *result; int width; };
    const Lookup client[] = {{"NewKlientName", "IDKlient", "ADOTSprKlient", "NameKlient", 80},
                             {"NewKlientAdress", "IDKlient", "ADOTSprKlient", "AdressKlient", 200},
                             {"NewKlientTel", "IDKlient", "ADOTSprKlient", "TelKlient", 20}};
    const Lookup address[] = {{"NewNameTown", "IDTown", "ADOTSprTown", "NameTown", 50},
                              {"NewNameRaion", "IDRaion", "ADOTSprRaion", "NameRaion", 50},
                              {"NewNameStreet", "IDStreet", "ADOTSprStreet", "NameStreet", 50}};
    auto add = [&q](const Lookup &l) {
        q.addLookupField(l.name, l.key, &DMDomlar->table(l.source), l.key, l.result, l.width);
    };
    for (const Lookup &l : client) add(l);
    if (direction == MatchDirection::OffersForDemand)
        for (const Lookup &l : address) add(l);
}

const QString MissField = QStringLiteral("Miss");
constexpr int SideWidth = 172;

// A smaller font until the caption fits the width.
void fitCaption(QWidget *w, int width)
{
    QFont font = w->font();
    const QString text = w->property("text").toString();
    for (int i = 0; i < 4 && QFontMetrics(font).horizontalAdvance(text) > width; ++i) {
        if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * 0.92);
        else font.setPixelSize(font.pixelSize() - 1);
    }
    w->setFont(font);
}
constexpr int NearColumn = 1;

// Near misses stand apart from the exact matches on a shaded background.
class NearRowDelegate : public QStyledItemDelegate {
public:
    NearRowDelegate(Dataset &result, QObject *parent) : QStyledItemDelegate(parent), m_result(result) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const int miss = m_result.fieldIndex(MissField);
        if (miss >= 0 && !m_result.value(index.row(), miss).toString().isEmpty())
            option->backgroundBrush = QColor(255, 228, 196);
    }

private:
    Dataset &m_result;
};

} // namespace

SearchWindow::SearchWindow(const Setup &setup, std::vector<GridColumn> columns, QWidget *parent)
    : QDialog(parent), m_setup(setup), m_start(&DMDomlar->table(setup.startTable)),
      m_result(std::make_unique<Query>(DMDomlar->ADOConnection))
{
    setObjectName(QString::fromLatin1(setup.name));
    setWindowTitle(setup.title);
    m_result->setObjectName(QStringLiteral("ADOQSearch1"));
    addLookups(*m_result, setup.direction);

    m_panel = new RequestPanel(setup.panelTitle, m_start);
    m_panel->setObjectName(QStringLiteral("GroupBox1"));
    fill(m_panel, RequestPanel::blue());

    auto *top = new QHBoxLayout;
    top->setSpacing(0);
    top->addWidget(m_panel, 1);
    top->addWidget(buildControls());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(buildHeader(setup.resultHeader));
    buildGrid(std::move(columns));
    layout->addWidget(DBGridEh1, 1);
    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(StatusBar1);
    resize(setup.size);
}

SearchWindow::~SearchWindow() = default;

QWidget *SearchWindow::buildControls()
{
    auto *side = new QWidget;
    side->setObjectName(QStringLiteral("PanelSearch"));
    fill(side, DesktopColour, Qt::white);
    auto *box = new QVBoxLayout(side);
    box->setContentsMargins(4, 6, 2, 6);
    BitBtn1 = new QPushButton(QStringLiteral("Искать"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("Документ"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    connect(BitBtn1, &QPushButton::clicked, this, guarded([this] { Search(); }));
    connect(BitBtn2, &QPushButton::clicked, this, guarded([this] { Document(); }));
    auto *label = new QLabel(QStringLiteral("При поиске учитывать показатели:"));
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    CheckListBox1 = new QListWidget;
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    for (const QString &title : criterionTitles()) {
        auto *item = new QListWidgetItem(title, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    // All six items in view, without scroll bars.
    CheckListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CheckListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CheckListBox1->setFixedHeight(CriterionCount * (CheckListBox1->fontMetrics().height() + 4)
                                  + 2 * CheckListBox1->frameWidth() + 4);
    box->addWidget(BitBtn1);
    box->addWidget(BitBtn2);
    box->addSpacing(8);
    box->addWidget(label);
    box->addWidget(CheckListBox1);
    CBNear = new QCheckBox(QStringLiteral("Показать близкие варианты"));
    CBNear->setObjectName(QStringLiteral("CBNear"));
    fitCaption(CBNear, SideWidth - 30);   // less the margins and the tick
    connect(CBNear, &QCheckBox::toggled, this, [this] { nearToggled(); });
    box->addWidget(CBNear);
    box->addStretch(1);
    side->setFixedWidth(SideWidth);
    return side;
}

QLabel *SearchWindow::buildHeader(const QString &text)
{
    auto *header = new QLabel(text);
    header->setObjectName(QStringLiteral("LResult"));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    header->setContentsMargins(4, 3, 4, 3);
    fill(header, DesktopColour, Qt::white);
    return header;
}

void SearchWindow::buildGrid(std::vector<GridColumn> columns)
{
    GridColumn miss = GridColumn::of(MissField, QStringLiteral("Не совпало"), 200);
    miss.visible = false;
    columns.insert(columns.begin() + NearColumn, miss);   // beside the number, where the eye starts
    for (GridColumn &c : columns) c.sortable = false;   // the result keeps the order the database gives
    DBGridEh1 = new DBGrid;
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setKeyboardDelete(false);
    DBGridEh1->horizontalHeader()->setMinimumSectionSize(8);
    DBGridEh1->setDataset(m_result.get());
    DBGridEh1->setColumns(std::move(columns));
    DBGridEh1->setItemDelegate(new NearRowDelegate(*m_result, DBGridEh1));
    connect(DBGridEh1, &DBGrid::rowDoubleClicked, this, guarded([this] { OpenFound(); }));
}

void SearchWindow::nearToggled()
{
    DBGridEh1->setVisibleColumn(NearColumn, CBNear->isChecked());
}

Criteria SearchWindow::ticked() const
{
    Criteria c{};
    for (int i = 0; i < CriterionCount; ++i) c[size_t(i)] = CheckListBox1->item(i)->checkState() == Qt::Checked;
    return c;
}

void SearchWindow::setTicked(const Criteria &criteria)
{
    for (int i = 0; i < CriterionCount; ++i)
        CheckListBox1->item(i)->setCheckState(criteria[size_t(i)] ? Qt::Checked : Qt::Unchecked);
}

void SearchWindow::Document()
{
    // Before a search there is no result to print: the report would have nothing to read.
    if (!m_result->active()) {
        dialogs().information(QStringLiteral("Сначала найдите заявки: нажмите «Искать»."));
        return;
    }
    emit documentRequested();
}

void SearchWindow::Search()
{
    m_result->close();
    m_result->setSql(CBNear->isChecked() ? nearSql(m_setup.direction, ticked()) : matchSql(m_setup.direction, ticked()));
    bindMatchParams(*m_result, *m_start);
    m_result->open();
}

void SearchWindow::OpenFound()
{
    if (m_result->recNo() < 0) return;
    const QString key = QString::fromLatin1(m_setup.foundKey);
    const int number = Keys::currentKey(*m_result, key);
    clearCard();
    // The register's operations load the card from the register's current row: it must be this request.
    if (!Keys::positionOn(DMDomlar->table(m_setup.foundTable), key, number)) {
        dialogs().information(QStringLiteral("Заявка № %1 не показана в базе учета: она удалена или скрыта "
                                             "отбором по значению в колонке. Открыть ее нельзя.").arg(number));
        return;
    }
    openCard(number);
}

int SearchWindow::Execute()
{
    centreOnParent();
    return dialogs().showModal(this);
}

void SearchWindow::centreOnParent()
{
    if (QWidget *main = parentWidget()) move(main->frameGeometry().center() - rect().center());
}

void SearchWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    setTicked(AllCriteria);
    CBNear->setChecked(false);
    m_result->close();
}
