#include "currency/SprUE.h"
#include "platform/ErrorReport.h"
#include "currency/CurrentRates.h"
#include "currency/RateText.h"
#include "currency/TecKursUE.h"
#include "currency/UploadUE.h"
#include "data/DataModule.h"
#include "data/Schema.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "widgets/DBGrid.h"
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

TFSprUE *FSprUE = nullptr;

namespace {

const char *const DateFormat = "dd.MM.yyyy";

Money positiveOrOne(Money rate) { return rate > Money() ? rate : Money::fromInteger(1); }

} // namespace

TFSprUE::TFSprUE(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FSprUE"));
    setWindowTitle(QStringLiteral("Справочник курсов валют"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *menu = new QMenuBar(this);
    QAction *add = menu->addAction(QStringLiteral("Добавить"));
    add->setObjectName(QStringLiteral("N1"));
    QAction *internet = menu->addAction(QStringLiteral("Интернет"));
    internet->setObjectName(QStringLiteral("N2"));
    QAction *remove = menu->addAction(QStringLiteral("Удалить"));
    remove->setObjectName(QStringLiteral("N3"));
    connect(add, &QAction::triggered, this, guarded([this] { N1Click(); }));
    connect(internet, &QAction::triggered, this, guarded([this] { N2Click(); }));
    connect(remove, &QAction::triggered, this, guarded([this] { N3Click(); }));
    layout->setMenuBar(menu);

    auto *strip = new QLabel(QStringLiteral(" Курсы валют к рублю"), this);
    strip->setObjectName(QStringLiteral("Panel1"));
    QFont bold = strip->font();
    bold.setBold(true);
    strip->setFont(bold);
    strip->setAutoFillBackground(true);
    strip->setStyleSheet(QStringLiteral("background-color: #3a6ea5; color: white; padding: 4px;"));
    layout->addWidget(strip);

    m_grid = new DBGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGridEh1"));
    m_grid->setKeyboardDelete(false);
    m_grid->installEventFilter(this);
    layout->addWidget(m_grid, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->addWidget(new QLabel(QStringLiteral("Enter - изменить"), status));
    layout->addWidget(status);
    resize(360, 420);
    FSprUE = this;
}

TFSprUE::~TFSprUE()
{
    if (FSprUE == this) FSprUE = nullptr;
}

Dataset &TFSprUE::rates()
{
    if (!DMDomlar) throw AppError(QStringLiteral("Нет модуля данных."));
    bindGrid();
    return DMDomlar->table(QStringLiteral("ADOTSprUE"));
}

// The window is made before the data module, so the grid is bound on first use.
void TFSprUE::bindGrid()
{
    if (m_bound || !DMDomlar) return;
    m_grid->setDataset(&DMDomlar->table(QStringLiteral("ADOTSprUE")));
    const QString fourDecimals = QStringLiteral("0.0000");
    GridColumn date = GridColumn::of(QStringLiteral("UEDate"), QStringLiteral("Дата"), 90);
    date.alignment = Qt::AlignHCenter;
    m_grid->setColumns({date,
                        GridColumn::of(QStringLiteral("Dollar"), QStringLiteral("КУРС|$"), 100, fourDecimals),
                        GridColumn::of(QStringLiteral("EURO"), QStringLiteral("КУРС|EUR"), 100, fourDecimals)});
    m_bound = true;
}

void TFSprUE::showEvent(QShowEvent *event)
{
    bindGrid();
    QDialog::showEvent(event);
}

int TFSprUE::Execute()
{
    bindGrid();
    m_grid->setFocus();
    return dialogs().showModal(this);
}

int TFSprUE::latestRow(const Dataset &rates)
{
    const int date = rates.fieldIndex(QStringLiteral("UEDate"));
    const int id = rates.fieldIndex(QStringLiteral("IDUE"));
    int best = -1;
    QDate bestDate;
    qlonglong bestId = 0;
    for (int row = 0; row < rates.recordCount(); ++row) {
        const QDate d = rates.value(row, date).toDate();
        const qlonglong i = rates.value(row, id).toLongLong();
        if (best < 0 || d > bestDate || (d == bestDate && i > bestId)) {
            best = row;
            bestDate = d;
            bestId = i;
        }
    }
    return best;
}

void TFSprUE::moveToLatest()
{
    Dataset &ds = rates();
    ds.last();   // requires an open dataset and stores a pending change
    const int row = latestRow(ds);
    if (row >= 0) ds.setRecNo(row);
}

void TFSprUE::UpdatePeremenKurs()
{
    moveToLatest();
    Dataset &ds = rates();
    const bool empty = ds.isEmpty();
    PeremenKursUSD = ds.fieldByName(QStringLiteral("Dollar")).asMoney();
    PeremenKursEURO = ds.fieldByName(QStringLiteral("EURO")).asMoney();
    const QDate latest = ds.fieldByName(QStringLiteral("UEDate")).asDate();
    const QString date = empty || latest == Schema::zeroDate() ? QString() : latest.toString(DateFormat);
    if (FTecKursUE) FTecKursUE->ShowRates(date, PeremenKursUSD, PeremenKursEURO);
}

void TFSprUE::N1Click()
{
    moveToLatest();
    Dataset &ds = rates();
    const Money dollar = positiveOrOne(ds.fieldByName(QStringLiteral("Dollar")).asMoney());
    const Money euro = positiveOrOne(ds.fieldByName(QStringLiteral("EURO")).asMoney());
    appendRates(QDate::currentDate(), dollar, euro);
    moveToLatest();
    m_grid->setFocus();
}

void TFSprUE::N2Click()
{
    if (FUploadUE) FUploadUE->Execute();
}

void TFSprUE::appendRates(const QDate &date, Money dollar, Money euro)
{
    Dataset &ds = rates();
    ds.append();
    try {
        ds.fieldByName(QStringLiteral("UEDate")).setDate(date);
        ds.fieldByName(QStringLiteral("Dollar")).setMoney(dollar);
        ds.fieldByName(QStringLiteral("EURO")).setMoney(euro);
        ds.post();
    } catch (const AppError &) {
        ds.cancel();
        throw;
    }
}

void TFSprUE::N3Click()
{
    Dataset &ds = rates();
    if (ds.isEmpty()) {
        dialogs().information(QStringLiteral("Список пуст: удалять нечего."));
        return;
    }
    if (dialogs().confirm(QStringLiteral("Удалить?"))) ds.deleteRecord();
}

void TFSprUE::EditCurrentCell()
{
    if (rates().isEmpty()) return;
    switch (m_grid->selectedColumn()) {
    case 0: editDate(); break;
    case 2: editRate(QStringLiteral("EURO"), QStringLiteral("КУРС EUR")); break;
    default: editRate(QStringLiteral("Dollar"), QStringLiteral("КУРС $")); break;
    }
}

void TFSprUE::editDate()
{
    Dataset &ds = rates();
    QString text = ds.fieldByName(QStringLiteral("UEDate")).asDate().toString(DateFormat);
    if (!dialogs().inputBox(QStringLiteral("Изменение даты"), QStringLiteral("Дата"), text)) return;
    const QDate date = QDate::fromString(text.trimmed(), DateFormat);
    if (!date.isValid()) {
        dialogs().warning(QStringLiteral("Дата должна быть в виде ДД.ММ.ГГГГ, например 09.01.2006."));
        return;
    }
    ds.edit();
    ds.fieldByName(QStringLiteral("UEDate")).setDate(date);
    ds.post();
}

void TFSprUE::editRate(const QString &field, const QString &title)
{
    Dataset &ds = rates();
    QString text = ds.fieldByName(field).asMoney().toFixed(4);
    if (!dialogs().inputBox(QStringLiteral("Изменение курса"), title, text)) return;
    Money rate;
    if (!parseRate(text, rate)) {
        dialogs().warning(QStringLiteral("Курс должен быть числом не меньше нуля, например 28,5000."));
        return;
    }
    ds.edit();
    ds.fieldByName(field).setMoney(rate);
    ds.post();
}

// Enter changes the current cell. The grid itself is read-only, so the arrow
// keys only move through the rows and never start a new one.
bool TFSprUE::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            reportErrors([this] { EditCurrentCell(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
