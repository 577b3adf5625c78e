#include "directories/PersonDirectory.h"
#include "platform/ErrorReport.h"
#include "data/DataModule.h"
#include "directories/BoundEdits.h"
#include "directories/GreyCellDelegate.h"
#include "data/Keys.h"
#include "widgets/RowStore.h"
#include "platform/Dialogs.h"
#include "widgets/DBGrid.h"
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

} // namespace

TPersonDirectory::TPersonDirectory(const Texts &texts, QWidget *parent)
    : QDialog(parent), m_texts(texts), m_edits(new BoundEdits(this))
{
    setObjectName(u(texts.objectName));
    setWindowTitle(u(texts.title));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *menu = new QMenuBar(this);
    const struct { const char *name, *text; } items[] = {{"N1", "Добавить"}, {"N2", "Удалить"}, {"N3", "Закрыть"}};
    QList<QAction *> actions;
    for (const auto &item : items) {
        actions << menu->addAction(u(item.text));
        actions.back()->setObjectName(u(item.name));
    }
    connect(actions[0], &QAction::triggered, this, guarded([this] { N1Click(); }));
    connect(actions[1], &QAction::triggered, this, guarded([this] { N2Click(); }));
    connect(actions[2], &QAction::triggered, this, &QDialog::reject);
    layout->setMenuBar(menu);

    m_grid = new DBGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGridEh1"));
    m_grid->setKeyboardDelete(false);
    m_grid->setColumns({GridColumn::of(u(texts.key), QStringLiteral("Код"), 50),
                        GridColumn::of(u(texts.name), u(texts.listTitle), 220)});
    m_grid->setItemDelegateForColumn(0, new GreyCellDelegate(m_grid));   // the code is not typed: grey, as in the address lists
    m_grid->installEventFilter(this);
    connect(m_grid, &DBGrid::rowDoubleClicked, this, [this] { done(Dialogs::Ok); });

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->addWidget(m_grid);
    splitter->addWidget(buildDetails());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({310, 510});
    layout->addWidget(splitter, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(status);

    if (DMDomlar) {
        Dataset &ds = dataset();
        m_grid->setDataset(&ds);
        m_edits->setDataset(&ds);
        for (auto signal : {&Dataset::currentChanged, &Dataset::rowChanged})
            connect(&ds, signal, this, &TPersonDirectory::showName);
        connect(&ds, &Dataset::resetDone, this, &TPersonDirectory::showName);
    }
    showName();
    resize(820, 520);
}

Dataset &TPersonDirectory::dataset() const
{
    return DMDomlar->table(u(m_texts.dataset));
}

QWidget *TPersonDirectory::buildDetails()
{
    auto *side = new QWidget(this);
    auto *v = new QVBoxLayout(side);
    v->setContentsMargins(0, 0, 0, 0);
    m_strip = new QLabel(side);
    m_strip->setObjectName(QStringLiteral("Panel2"));
    m_strip->setAlignment(Qt::AlignCenter);
    QFont bold = m_strip->font();
    bold.setBold(true);
    m_strip->setFont(bold);
    m_strip->setMinimumHeight(26);
    m_strip->setStyleSheet(QStringLiteral("background-color: #3a6ea5; color: white; padding: 3px;"));
    v->addWidget(m_strip);
    for (const Group &g : m_texts.groups) v->addWidget(buildGroup(g, side), g.details.back().multiLine ? 1 : 0);
    v->addStretch();
    return side;
}

QWidget *TPersonDirectory::buildGroup(const Group &group, QWidget *parent)
{
    auto *box = new QGroupBox(u(group.title), parent);
    auto *form = new QFormLayout(box);
    for (const Detail &d : group.details) {
        if (d.multiLine) {
            auto *e = new QPlainTextEdit(box);
            e->setObjectName(u(d.field));
            e->setTabChangesFocus(true);
            e->setAccessibleName(u(group.title));   // the box has the group's title alone
            m_edits->bind(e, u(d.field));
            form->addRow(e);
            continue;
        }
        auto *e = new QLineEdit(box);
        e->setObjectName(u(d.field));
        e->setAccessibleName(u(d.label));
        m_edits->bind(e, u(d.field));
        form->addRow(u(d.label), e);
        if (u(d.field) == u(m_texts.name)) m_nameEdit = e;
    }
    return box;
}

void TPersonDirectory::showName()
{
    const bool hasRow = DMDomlar && dataset().active() && !dataset().isEmpty();
    m_strip->setText(hasRow ? dataset().fieldByName(u(m_texts.name)).asString() : QString());
}

QString TPersonDirectory::stripText() const { return m_strip->text(); }

int TPersonDirectory::Execute()
{
    m_grid->setFocus();
    return dialogs().showModal(this);
}

void TPersonDirectory::StoreAndReread()
{
    Dataset &ds = dataset();
    ds.post();
    ds.requery();
}

void TPersonDirectory::N1Click()
{
    Dataset &ds = dataset();
    ds.post();
    const int code = Keys::nextKey(DMDomlar->ADOConnection, u(m_texts.table), u(m_texts.key));
    const bool stored = appendRow(ds, [&] {
        ds.fieldByName(u(m_texts.key)).setInteger(code);
        ds.fieldByName(u(m_texts.name)).setString(u(m_texts.placeholder));
    });
    if (!stored) return;
    ds.requery();   // the placeholder sorts to the top; the new row stays current
    m_nameEdit->setFocus();
    m_nameEdit->selectAll();
}

void TPersonDirectory::N2Click()
{
    confirmDelete(dataset(), QStringLiteral("Удалить?"));
}

// Entering the list stores what was typed in the details and re-reads the list;
// Enter in the list chooses its row, as a double click does.
bool TPersonDirectory::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            done(Dialogs::Ok);
            return true;
        }
    }
    if (watched == m_grid && event->type() == QEvent::FocusIn && DMDomlar && dataset().active())
        reportErrors([this] { StoreAndReread(); });
    return QDialog::eventFilter(watched, event);
}

// The window opens with the focus in the list, so typing a name finds it at once.
void TPersonDirectory::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_grid->setFocus();
}

// Closing the window stores what was typed, so the shared list is never left half edited.
void TPersonDirectory::hideEvent(QHideEvent *event)
{
    if (DMDomlar && dataset().active()) reportErrors([this] { StoreAndReread(); });
    QDialog::hideEvent(event);
}
