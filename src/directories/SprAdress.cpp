#include "directories/SprAdress.h"
#include "platform/ErrorReport.h"
#include "data/DataModule.h"
#include "directories/GreyCellDelegate.h"
#include "data/Keys.h"
#include "widgets/RowStore.h"
#include "platform/Dialogs.h"
#include "widgets/DBGrid.h"
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

TFSprAdress *FSprAdress = nullptr;

namespace {

struct ListTexts {
    const char *dataset, *table, *key, *name;
    const char *heading, *nameTitle;
    const char *addTitle, *changeTitle, *prompt, *question;
};

const ListTexts &texts(TFSprAdress::List list)
{
    static const ListTexts all[] = {
        {"ADOTSprTown", "SprTown", "IDTown", "NameTown", "Города", "Наименования городов",
         "Ввод нового города", "Изменение названия города", "Название города", "Удалить город?"},
        {"ADOTSprRaion", "SprRaion", "IDRaion", "NameRaion", "Районы", "Наименования районов",
         "Ввод нового района", "Изменение названия района", "Название района", "Удалить район?"},
        {"ADOTSprStreet", "SprStreet", "IDStreet", "NameStreet", "Улицы", "Наименования улиц",
         "Ввод новой улицы", "Изменение названия улицы", "Название улицы", "Удалить улицу?"},
    };
    return all[list];
}

QString u(const char *text) { return QString::fromUtf8(text); }

const QString StreetTown = QStringLiteral("StreetTownName");
const QString StreetRaion = QStringLiteral("StreetRaionName");

// The town and district of each street, read only, so that streets of one name can be told apart.
void addStreetPlaces(Dataset &streets)
{
    if (streets.fieldIndex(StreetTown) >= 0) return;
    streets.addLookupField(StreetTown, QStringLiteral("IDTown"), &DMDomlar->table(QStringLiteral("ADOTSprTown")),
                           QStringLiteral("IDTown"), QStringLiteral("NameTown"), 50);
    streets.addLookupField(StreetRaion, QStringLiteral("IDRaion"), &DMDomlar->table(QStringLiteral("ADOTSprRaion")),
                           QStringLiteral("IDRaion"), QStringLiteral("NameRaion"), 50);
}

QLabel *strip(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setStyleSheet(QStringLiteral("background-color: #3a6ea5; color: white; padding: 3px;"));
    return label;
}

} // namespace

TFSprAdress::TFSprAdress(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FSprAdress"));
    setWindowTitle(defaultTitle());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip(QStringLiteral("Адреса"), QStringLiteral("Panel1"), this));

    auto *left = new QSplitter(Qt::Vertical, this);
    left->setObjectName(QStringLiteral("Splitter1"));
    left->addWidget(buildBlock(Towns));
    left->addWidget(buildBlock(Districts));
    auto *sides = new QSplitter(Qt::Horizontal, this);
    sides->setObjectName(QStringLiteral("Splitter2"));
    sides->addWidget(left);
    sides->addWidget(buildStreetsSide());
    layout->addWidget(sides, 1);
    resize(760, 560);
    FSprAdress = this;
}

TFSprAdress::~TFSprAdress()
{
    if (FSprAdress == this) FSprAdress = nullptr;
}

QString TFSprAdress::defaultTitle() { return QStringLiteral("Справочник городов, районов, улиц"); }

QWidget *TFSprAdress::buildStreetsSide()
{
    auto *side = new QWidget(this);
    auto *v = new QVBoxLayout(side);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(buildBlock(Streets), 1);
    v->addWidget(strip(QStringLiteral("Для завершение выбора - выбрать улицу"), QStringLiteral("Panel5"), side));
    return side;
}

QWidget *TFSprAdress::buildBlock(List list)
{
    const ListTexts &t = texts(list);
    const QString n = QString::number(list + 1);
    auto *block = new QWidget(this);
    auto *v = new QVBoxLayout(block);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    auto *heading = new QLabel(u(t.heading), block);
    heading->setObjectName("Label" + n);
    heading->setAlignment(Qt::AlignCenter);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    v->addWidget(heading);

    auto *bar = new QToolBar(block);
    bar->setObjectName("ToolBar" + n);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const struct { const char *text; void (TFSprAdress::*slot)(List); } actions[] = {
        {"Добавить", &TFSprAdress::Add}, {"Изменить", &TFSprAdress::Change}, {"Удалить", &TFSprAdress::Remove}};
    for (const auto &a : actions)
        connect(bar->addAction(u(a.text)), &QAction::triggered, this, guarded([this, a, list] { (this->*a.slot)(list); }));
    v->addWidget(bar);

    auto *grid = new DBGrid(block);
    grid->setObjectName("DBGridEh" + n);
    grid->setKeyboardDelete(false);
    if (DMDomlar) grid->setDataset(&DMDomlar->table(u(t.dataset)));
    if (list == Streets) {
        if (DMDomlar) addStreetPlaces(dataset(Streets));
        grid->setColumns({GridColumn::of(u(t.name), u(t.nameTitle), 150), GridColumn::of(StreetTown, QStringLiteral("Город"), 90),
                          GridColumn::of(StreetRaion, QStringLiteral("Район"), 90),
                          GridColumn::of(u(t.key), QStringLiteral("Код"), 40)});
        for (int c = 1; c < 4; ++c) grid->setItemDelegateForColumn(c, new GreyCellDelegate(grid));
    } else {
        grid->setColumns({GridColumn::of(u(t.name), u(t.nameTitle), 190), GridColumn::of(u(t.key), QStringLiteral("Код"), 50)});
        grid->setItemDelegateForColumn(1, new GreyCellDelegate(grid));
    }
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);   // the names fill the grid
    grid->installEventFilter(this);
    connect(grid, &DBGrid::rowDoubleClicked, this, guarded([this, list] { GoOn(list); }));
    m_grids[list] = grid;
    v->addWidget(grid, 1);

    auto *status = new QStatusBar(block);
    status->setObjectName("StatusBar" + n);
    status->setSizeGripEnabled(false);
    v->addWidget(status);
    return block;
}

Dataset &TFSprAdress::dataset(List list) const
{
    return DMDomlar->table(u(texts(list).dataset));
}

int TFSprAdress::Execute(const QString &title)
{
    setWindowTitle(title.isEmpty() ? defaultTitle() : title);
    m_grids[Towns]->setFocus();
    const int result = dialogs().showModal(this);
    setWindowTitle(defaultTitle());
    return result;
}

void TFSprAdress::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_grids[Towns]->setFocus();
}

void TFSprAdress::Add(List list)
{
    const ListTexts &t = texts(list);
    QString name;
    if (!askName(u(t.addTitle), u(t.prompt), name, textWidth(dataset(list), u(t.name)))) return;
    const int code = Keys::nextKey(DMDomlar->ADOConnection, u(t.table), u(t.key));
    const int town = Keys::currentKey(DMDomlar->table(QStringLiteral("ADOTSprTown")), QStringLiteral("IDTown"));
    const int district = Keys::currentKey(DMDomlar->table(QStringLiteral("ADOTSprRaion")), QStringLiteral("IDRaion"));
    Dataset &ds = dataset(list);
    const bool stored = appendRow(ds, [&] {
        ds.fieldByName(u(t.key)).setInteger(code);
        ds.fieldByName(u(t.name)).setString(name);
        if (list != Towns) ds.fieldByName(QStringLiteral("IDTown")).setInteger(town);
        if (list == Streets) ds.fieldByName(QStringLiteral("IDRaion")).setInteger(district);
    });
    if (stored) m_grids[list]->setFocus();
}

void TFSprAdress::Change(List list)
{
    Dataset &ds = dataset(list);
    if (ds.isEmpty()) return;   // nothing to rename
    const ListTexts &t = texts(list);
    QString name = ds.fieldByName(u(t.name)).asString();
    if (!askName(u(t.changeTitle), u(t.prompt), name, textWidth(ds, u(t.name)))) return;
    if (editRow(ds, [&] { ds.fieldByName(u(t.name)).setString(name); })) m_grids[list]->setFocus();
}

void TFSprAdress::Remove(List list)
{
    confirmDelete(dataset(list), u(texts(list).question));
}

void TFSprAdress::GoOn(List list)
{
    if (list == Streets) {
        if (!dataset(Streets).isEmpty()) done(Dialogs::Yes);
    }
    else m_grids[list + 1]->setFocus();
}

bool TFSprAdress::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        for (int i = 0; i < 3; ++i)
            if (watched == m_grids[i] && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                GoOn(List(i));
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}
