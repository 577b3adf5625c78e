#include "register/Baza.h"
#include "data/DataModule.h"
#include "platform/IniFile.h"
#include "register/GridLayout.h"
#include "cards/RequestColumns.h"
#include "register/RegisterHalf.h"
#include "platform/ErrorReport.h"
#include "widgets/DBGrid.h"
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

TFBaza *FBaza = nullptr;

namespace {

const char *const LayoutFile = "BazaGrid.ini";

// Where each grid's layout lives in the layout file.
struct Place { const char *section, *rowKey; };
constexpr Place SalePlace{"BazaGridSale", "RowSale"};
constexpr Place SprosPlace{"BazaGridSpros", "RowSpros"};
constexpr Place ExchangePlace{"BazaGridObmen", "RowObmen"};

Dataset *sharedTable(const char *name)
{
    return DMDomlar ? DMDomlar->dataset(QString::fromUtf8(name)) : nullptr;
}

QFont boldFont(const QFont &base)
{
    QFont font = base;
    font.setBold(true);
    return font;
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

} // namespace

TFBaza::TFBaza(QWidget *parent) : QMainWindow(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FBaza"));
    setWindowTitle(QStringLiteral("База учета заявок"));

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopBand());
    buildHalves();
    layout->addWidget(m_splitter, 1);
    setCentralWidget(central);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    resize(828, 552);
    chooseView();
}

QWidget *TFBaza::buildTopBand()
{
    auto *band = new QFrame;
    band->setObjectName(QStringLiteral("PanelTop"));
    band->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(band);
    row->setContentsMargins(6, 2, 6, 2);
    auto *show = new QLabel(QStringLiteral("ПОКАЗАТЬ ->"));
    show->setObjectName(QStringLiteral("LShow"));
    show->setFont(boldFont(show->font()));
    setTextColour(show, QColor(128, 0, 0));
    row->addWidget(show);

    m_views = new QButtonGroup(this);
    m_views->setExclusive(true);
    row->addWidget(viewButton(QStringLiteral("SBSaleSpros"), QStringLiteral("Продажа и Покупка"), View::Both));
    row->addWidget(viewButton(QStringLiteral("SBSale"), QStringLiteral("Только Продажа"), View::SaleOnly));
    row->addWidget(viewButton(QStringLiteral("SBSpros"), QStringLiteral("Только Покупка"), View::SprosOnly));
    row->addStretch(1);
    m_views->button(int(View::Both))->setChecked(true);
    connect(m_views, &QButtonGroup::idClicked, this, [this] { chooseView(); });
    return band;
}

QToolButton *TFBaza::viewButton(const QString &name, const QString &text, View view)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFont(boldFont(button->font()));
    setTextColour(button, QColor(0, 0, 128));
    m_views->addButton(button, int(view));
    return button;
}

void TFBaza::buildHalves()
{
    m_sale = new RegisterHalf({QStringLiteral("Sale"), QStringLiteral("DBGridEh1"), QStringLiteral(" Продажа"),
                               QStringLiteral("Заявки на продажу (обмен) недвижимости"),
                               QStringLiteral("Выбрать по значению в колонке \"ПРЕДЛОЖЕНИЙ\""),
                               QStringLiteral("Выбрать только те заявки в предложениях у которых "),
                               QStringLiteral(" Предложения")},
                              saleColumns(), sharedTable("ADOTBazaSale"));
    m_spros = new RegisterHalf({QStringLiteral("Spros"), QStringLiteral("DBGridEh2"), QStringLiteral(" Покупка"),
                                QStringLiteral("Заявки на приобретение недвижимости"),
                                QStringLiteral("Выбрать по значению в колонке \"СПРОСА\""),
                                QStringLiteral("Выбрать только те заявки в спросе у которых "),
                                QStringLiteral(" Спрос")},
                               sprosColumns(), sharedTable("ADOTBazaSpros"));
    connect(m_sale, &RegisterHalf::addRequested, this, guarded([this] { BitBtn2Click(); }));
    connect(m_sale, &RegisterHalf::openRequested, this, guarded([this] { BitBtn7Click(); }));
    connect(m_sale, &RegisterHalf::deleteRequested, this, guarded([this] { BitBtn6Click(); }));
    connect(m_spros, &RegisterHalf::addRequested, this, guarded([this] { BitBtn3Click(); }));
    connect(m_spros, &RegisterHalf::openRequested, this, guarded([this] { BitBtn4Click(); }));
    connect(m_spros, &RegisterHalf::deleteRequested, this, guarded([this] { BitBtn8Click(); }));

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_sale);
    m_splitter->addWidget(m_spros);
    m_splitter->setStretchFactor(1, 1);
}

DBGrid *TFBaza::saleGrid() const { return m_sale->grid(); }
DBGrid *TFBaza::sprosGrid() const { return m_spros->grid(); }

void TFBaza::showRegister()
{
    show();
    raise();
    activateWindow();
}

void TFBaza::chooseView()
{
    m_view = View(m_views->checkedId());
    // A half that is hidden takes the splitter's handle with it.
    m_sale->setVisible(m_view != View::SprosOnly);
    m_spros->setVisible(m_view != View::SaleOnly);
    applyWidthRule();
}

void TFBaza::applyWidthRule()
{
    const int all = m_splitter->width();
    if (m_view == View::SaleOnly) {
        m_splitter->setSizes({all, 0});
    } else if (m_view == View::SprosOnly) {
        m_splitter->setSizes({0, all});
    } else {
        const int saleWidth = width() / 2 - 2;
        m_splitter->setSizes({saleWidth, std::max(all - m_splitter->handleWidth() - saleWidth, 0)});
    }
}

void TFBaza::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyWidthRule();
}

QString TFBaza::layoutFileName()
{
    return QDir(DMDomlar ? DMDomlar->dataFolder() : QString()).filePath(QString::fromUtf8(LayoutFile));
}

void TFBaza::restoreLayouts()
{
    IniFile ini(layoutFileName());
    ini.load();
    GridLayout::restore(*saleGrid(), ini, SalePlace.section, SalePlace.rowKey);
    GridLayout::restore(*sprosGrid(), ini, SprosPlace.section, SprosPlace.rowKey);
    if (m_exchange) GridLayout::restore(*m_exchange, ini, ExchangePlace.section, ExchangePlace.rowKey);
}

void TFBaza::storeLayouts()
{
    IniFile ini(layoutFileName());
    ini.load();
    GridLayout::store(*saleGrid(), ini, SalePlace.section, SalePlace.rowKey);
    GridLayout::store(*sprosGrid(), ini, SprosPlace.section, SprosPlace.rowKey);
    if (m_exchange) GridLayout::store(*m_exchange, ini, ExchangePlace.section, ExchangePlace.rowKey);
    ini.save();
}

void TFBaza::centreOnParent()
{
    const QRect around = parentWidget() ? parentWidget()->frameGeometry() : screen()->availableGeometry();
    move(around.center() - rect().center());
}

void TFBaza::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;   // a window brought back from the task bar keeps its layout
    if (!m_placed) {
        centreOnParent();
        m_placed = true;
    }
    reportErrors([this] { restoreLayouts(); });
    applyWidthRule();
}

void TFBaza::closeEvent(QCloseEvent *event)
{
    reportErrors([this] { storeLayouts(); });
    event->accept();
}
