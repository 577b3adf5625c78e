#include "directories/SprAll.h"
#include "platform/ErrorReport.h"
#include "data/DataModule.h"
#include "widgets/RowStore.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "widgets/DBGrid.h"
#include <QKeyEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

TFSprAll *FSprAll = nullptr;

TFSprAll::TFSprAll(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FSprAll"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *menu = new QMenuBar(this);
    QAction *add = menu->addAction(QStringLiteral("Ввести"));
    add->setObjectName(QStringLiteral("N1"));
    QAction *remove = menu->addAction(QStringLiteral("Удалить"));
    remove->setObjectName(QStringLiteral("N2"));
    QAction *close = menu->addAction(QStringLiteral("Закрыть"));
    close->setObjectName(QStringLiteral("N3"));
    connect(add, &QAction::triggered, this, guarded([this] { N1Click(); }));
    connect(remove, &QAction::triggered, this, guarded([this] { N2Click(); }));
    connect(close, &QAction::triggered, this, &QDialog::reject);
    layout->setMenuBar(menu);

    m_grid = new DBGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGridEh1"));
    m_grid->setKeyboardDelete(false);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &DBGrid::rowDoubleClicked, this, guarded([this] { EditCurrentWord(); }));
    layout->addWidget(m_grid, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(status);
    resize(320, 400);
    FSprAll = this;
}

TFSprAll::~TFSprAll()
{
    if (FSprAll == this) FSprAll = nullptr;
}

void TFSprAll::BindList(const QString &table, const QString &caption, const QString &field)
{
    Table &list = DMDomlar->table("ADOT" + table);
    DataSource *source = DMDomlar->dataSource("DS" + table);
    if (!source) throw AppError(QStringLiteral("Нет источника данных «DS%1».").arg(table));
    list.close();
    setWindowTitle("Справочник (" + caption + ")");
    m_list = source->dataset();
    m_field = field;
    m_grid->setDataset(m_list);
    m_grid->setColumns({GridColumn::of(field, caption, 200)});
    list.open();
    fitColumn();
}

void TFSprAll::centreOnParent()
{
    if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
}

void TFSprAll::OpenForm(const QString &table, const QString &caption, const QString &field)
{
    BindList(table, caption, field);
    centreOnParent();
    m_grid->setFocus();
    dialogs().showModal(this);
}

void TFSprAll::N1Click()
{
    if (!m_list) return;
    QString word;
    if (!askText(QStringLiteral("Ввод новой характеристики"), QStringLiteral("Наименование"), word,
                 textWidth(*m_list, m_field)))
        return;
    if (m_list->locate(m_field, word)) return;   // the word is there: it becomes current
    if (appendRow(*m_list, [&] { m_list->fieldByName(m_field).setString(word); }))
        m_grid->setFocus();
}

void TFSprAll::N2Click()
{
    if (m_list) confirmDelete(*m_list, QStringLiteral("Удалить?"));
}

void TFSprAll::EditCurrentWord()
{
    if (!m_list || m_list->isEmpty()) return;
    QString word = m_list->fieldByName(m_field).asString();
    if (!askText(QStringLiteral("Изменение характеристики"), QStringLiteral("Наименование"), word,
                 textWidth(*m_list, m_field)))
        return;
    editRow(*m_list, [&] { m_list->fieldByName(m_field).setString(word); });
    m_grid->setFocus();
}

bool TFSprAll::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize) fitColumn();
    if (watched == m_grid && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F2) {
        reportErrors([this] { EditCurrentWord(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The single column fills the grid's width.
void TFSprAll::fitColumn()
{
    if (m_grid->columnCountTotal() > 0)
        m_grid->setWidth(0, std::max(m_grid->viewport()->width(), 40));
}
