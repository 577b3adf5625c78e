#include "cards/ExchangeTab.h"
#include "cards/RequestColumns.h"
#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "cards/RequestEditor.h"
#include "data/DataModule.h"
#include "data/Keys.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "widgets/DBGrid.h"
#include "widgets/Lookups.h"
#include "widgets/NumberEdits.h"
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The register's demand columns; the list keeps the order the database gives.
std::vector<GridColumn> columns()
{
    std::vector<GridColumn> out = sprosColumns();
    for (GridColumn &c : out) c.sortable = false;
    return out;
}

} // namespace

ExchangeTab::ExchangeTab(TFKardSale *card) : m_card(card)
{
    setObjectName(QStringLiteral("TabObmen"));
    DBGridEh1 = new DBGrid;
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setFrozenFirstColumn(true);
    DBGridEh1->setKeyboardDelete(false);
    DBGridEh1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBGridEh1->horizontalHeader()->setMinimumSectionSize(8);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildToolbar());
    layout->addWidget(DBGridEh1, 1);
    layout->addStretch();   // keeps the toolbar at the top while the list is hidden
}

QToolButton *ExchangeTab::button(const char *name, const QString &text)
{
    auto *b = new QToolButton;
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setAutoRaise(true);
    return b;
}

QWidget *ExchangeTab::buildToolbar()
{
    auto *bar = new QFrame;
    bar->setObjectName(QStringLiteral("ToolBar3"));
    bar->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 1, 6, 1);
    row->setSpacing(2);
    row->addWidget(BitBtn20 = button("BitBtn20", QStringLiteral("Добавить")));
    row->addWidget(BitBtn21 = button("BitBtn21", QStringLiteral("Изменить")));
    row->addWidget(BitBtn22 = button("BitBtn22", QStringLiteral("Удалить")));
    row->addWidget(BitBtn23 = button("BitBtn23", QStringLiteral("Выбор")));
    row->addStretch(1);
    auto *heading = new QLabel(QStringLiteral("Варианты обмена"));
    heading->setObjectName(QStringLiteral("Label30"));
    QFont font = heading->font();
    font.setBold(true);
    font.setUnderline(true);
    heading->setFont(font);
    row->addWidget(heading);
    connect(BitBtn20, &QToolButton::clicked, this, guarded([this] { BitBtn20Click(); }));
    connect(BitBtn21, &QToolButton::clicked, this, guarded([this] { BitBtn21Click(); }));
    connect(BitBtn22, &QToolButton::clicked, this, guarded([this] { BitBtn22Click(); }));
    connect(BitBtn23, &QToolButton::clicked, this, guarded([this] { BitBtn23Click(); }));
    return bar;
}

void ExchangeTab::bindSource()
{
    DBGridEh1->setDataset(&variants());   // before the columns: default widths come from the fields
    DBGridEh1->setColumns(columns());
    // The list holds its own copy of the demands: a change in the register makes it stale.
    Table &demands = DMDomlar->table(QStringLiteral("ADOTBazaSpros"));
    for (auto signal : {&Dataset::rowChanged, &Dataset::rowInserted, &Dataset::rowRemoved})
        connect(&demands, signal, this, [this] { m_stale = true; });
    for (auto signal : {&Dataset::currentChanged, &Dataset::rowInserted, &Dataset::rowRemoved})
        connect(&variants(), signal, this, [this] { updateButtons(); });
    connect(&variants(), &Dataset::resetDone, this, [this] { updateButtons(); });
    connect(m_card->IDBazaSale, &QLineEdit::textChanged, this, [this] { updateButtons(); });
    updateButtons();
}

void ExchangeTab::setListVisible(bool visible)
{
    DBGridEh1->setVisible(visible);
    updateButtons();
}

void ExchangeTab::updateButtons()
{
    const bool variant = DMDomlar && ownVariants();
    BitBtn21->setEnabled(variant);
    BitBtn22->setEnabled(variant);
    BitBtn23->setEnabled(!DBGridEh1->isHidden());
}

void ExchangeTab::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_stale) reportErrors([this] { variants().requery(); });
    m_stale = false;
}

Table &ExchangeTab::variants() const { return DMDomlar->table(QStringLiteral("ADOTBazaSprosForObmen")); }

void ExchangeTab::BitBtn20Click()
{
    if (!m_card->storedOrAskToStore()) return;
    const int offer = m_card->IDBazaSale->value();
    RequestEditor::clearDemandCard();
    FKardSpros->Klient->setKey(m_card->Klient->key());
    FKardSpros->Sotrud->setKey(m_card->Sotrud->key());
    Table &list = variants();
    RequestEditor::addDemand(list, QStringLiteral("Ввод нового спроса"), [offer](Table &t) {
        t.fieldByName(QStringLiteral("IDBazaSaleForObmen")).setInteger(offer);
    });
    listsChanged();
}

Table *ExchangeTab::ownVariants() const
{
    // The list follows the register's current offer, which is the card's only for a stored offer that was opened.
    Table &list = variants();
    const bool own = !DBGridEh1->isHidden() && list.master()
        && Keys::currentKey(*list.master(), QStringLiteral("IDBazaSale")) == m_card->IDBazaSale->value();
    return own && !list.isEmpty() ? &list : nullptr;
}

void ExchangeTab::BitBtn21Click()
{
    Table *list = ownVariants();
    if (!list) return;
    const int number = Keys::currentKey(*list, QStringLiteral("IDBazaSpros"));
    RequestEditor::clearDemandCard();
    FKardSpros->setDetailsVisible(true);
    if (editVariant) editVariant(number);
    listsChanged();
}

void ExchangeTab::BitBtn22Click()
{
    Table *list = ownVariants();
    if (!list) {
        dialogs().information(QStringLiteral("Нет вариантов обмена для удаления."));
        return;
    }
    if (dialogs().confirm(QStringLiteral("Удалить вариант?"))) {
        list->deleteRecord();
        listsChanged();
    }
}

void ExchangeTab::BitBtn23Click()
{
    if (chooseColumns) chooseColumns(*DBGridEh1, QStringLiteral(" Спрос"));
}

void ExchangeTab::listsChanged()
{
    variants().requery();
    DMDomlar->table(QStringLiteral("ADOTBazaSpros")).requery();
}
