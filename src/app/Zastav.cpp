#include "app/Zastav.h"
#include "platform/ErrorReport.h"
#include "app/Pictures.h"
#include "data/DataModule.h"
#include "platform/Dialogs.h"
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

TFZastav *FZastav = nullptr;

namespace {

QLabel *label(const QString &name, const QString &text, QWidget *parent = nullptr)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

void makeBold(QWidget *w, int pointSize = 0)
{
    QFont f = w->font();
    f.setBold(true);
    if (pointSize > 0) f.setPointSize(pointSize);
    w->setFont(f);
}

} // namespace

const std::vector<TFZastav::AttributeList> &TFZastav::attributeLists()
{
    static const std::vector<AttributeList> lists = {
        {"Типы объектов", "SprType", "NameType"},     {nullptr, nullptr, nullptr},
        {"Телефоны", "SprTel", "NameTel"},            {"Окна", "SprWindow", "NameWindow"},
        {"Водоснабжение", "SprWater", "NameWater"},   {"Отопление", "SprOtoplen", "NameOtoplen"},
        {"Материал дома", "SprMatHome", "NameMatHome"}, {"Двери", "SprDoor", "NameDoor"},
        {"Материал пола", "SprMatPol", "NameMatPol"}, {"Планировка дома", "SprPlanHome", "NamePlanHome"},
        {"Планировка комнат", "SprPlanRoom", "NamePlanRoom"}, {"Сан.узел", "SprBathRoom", "NameBathRoom"},
        {"Состояние", "SprValueKV", "NameValueKV"},   {"Балкон", "SprBalkon", "NameBalkon"},
    };
    return lists;
}

TFZastav::TFZastav(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FZastav"));
    setWindowTitle(mainWindowTitle(false, {}));
    setWindowIcon(QIcon(Pictures::house(64)));

    // The content keeps its proportions in the middle of a maximised window.
    auto *content = new QWidget;
    content->setMaximumWidth(1000);
    auto *layout = new QGridLayout(content);
    layout->addWidget(buildLeftPart(), 0, 0, 2, 1);
    layout->addWidget(buildRightPart(), 0, 1);
    layout->addWidget(buildFooter(), 1, 1, Qt::AlignTop);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setHorizontalSpacing(40);
    auto *central = new QWidget(this);
    auto *outer = new QGridLayout(central);
    outer->addWidget(content, 1, 1);
    outer->setRowStretch(0, 1);
    outer->setRowStretch(2, 2);
    outer->setColumnStretch(0, 1);
    outer->setColumnStretch(2, 1);
    setCentralWidget(central);

    buildMenus();
    m_status = label(QStringLiteral("StatusBar1"), QString());
    statusBar()->addWidget(m_status, 1);

    m_workTimer = new QTimer(this);
    m_workTimer->setObjectName(QStringLiteral("Timer1"));
    m_workTimer->setInterval(1000);
    connect(m_workTimer, &QTimer::timeout, this, &TFZastav::Timer1Timer);
}

QWidget *TFZastav::buildLeftPart()
{
    auto *left = new QFrame;
    left->setObjectName(QStringLiteral("PanelLeft"));
    auto *v = new QVBoxLayout(left);

    auto *head = new QHBoxLayout;
    auto *picture = label(QStringLiteral("Image1"), QString());
    picture->setPixmap(Pictures::house(96));
    auto *name = label(QStringLiteral("LabelDomlar"), QStringLiteral("Домлар"));
    makeBold(name, 28);
    name->setStyleSheet(QStringLiteral("color: #000080;"));
    head->addWidget(picture);
    head->addWidget(name);
    head->addStretch();
    v->addLayout(head);

    auto *city = label(QStringLiteral("Image2"), QString());
    city->setPixmap(Pictures::cityline(360, 170));
    city->setAlignment(Qt::AlignCenter);
    v->addWidget(city);

    m_dateLine = label(QStringLiteral("LDate"), QString());
    makeBold(m_dateLine, 12);
    m_dateLine->setAlignment(Qt::AlignCenter);
    m_dateLine->setWordWrap(true);
    v->addWidget(m_dateLine);

    m_clock = label(QStringLiteral("Clock"), QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
    makeBold(m_clock, 22);
    m_clock->setAlignment(Qt::AlignCenter);
    m_clock->setStyleSheet(QStringLiteral("color: #000080;"));
    auto *clockTimer = new QTimer(m_clock);
    connect(clockTimer, &QTimer::timeout, m_clock,
            [this] { m_clock->setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); });
    clockTimer->start(1000);
    v->addWidget(m_clock);

    auto *work = new QFrame;
    work->setObjectName(QStringLiteral("PanelWork"));
    work->setFrameShape(QFrame::StyledPanel);
    auto *wl = new QHBoxLayout(work);
    wl->addWidget(label(QStringLiteral("LWorkCaption"), QStringLiteral("Время работы\r\nс программой")));
    m_workClock = label(QStringLiteral("LClock"), QStringLiteral("00:00:00"));
    makeBold(m_workClock, 14);
    wl->addWidget(m_workClock);
    v->addWidget(work, 0, Qt::AlignHCenter);
    v->addStretch();
    return left;
}

QPushButton *TFZastav::commandButton(const QString &name, const QString &text, const QString &hint, Command command)
{
    auto *b = new QPushButton(text);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setMinimumHeight(30);
    connect(b, &QPushButton::clicked, this, guarded([this, command] {
        if (auto it = m_handlers.find(command); it != m_handlers.end()) it->second();
    }));
    bind(b, command);
    return b;
}

QWidget *TFZastav::buildRightPart()
{
    auto *right = new QWidget;
    auto *v = new QVBoxLayout(right);

    QPushButton *uchet = commandButton(QStringLiteral("BitBtnUchet"), QStringLiteral("Учет"), QString(), Command::Register);
    makeBold(uchet, 12);
    uchet->setDefault(true);
    uchet->setAutoDefault(true);
    m_uchet = uchet;
    uchet->setMinimumHeight(44);
    v->addWidget(uchet);

    auto *group = new QGroupBox(QStringLiteral("Справочники"));
    group->setObjectName(QStringLiteral("GroupBoxSpr"));
    auto *g = new QVBoxLayout(group);
    g->addWidget(commandButton(QStringLiteral("BitBtnFirm"), QStringLiteral("Организация"),
                               QStringLiteral("Справочник организации"), Command::Firm));
    g->addWidget(commandButton(QStringLiteral("BitBtnKlient"), QStringLiteral("Клиенты"),
                               QStringLiteral("Справочник клиентов"), Command::Clients));
    g->addWidget(commandButton(QStringLiteral("BitBtnSotrud"), QStringLiteral("Сотрудники"),
                               QStringLiteral("Справочник сотрудников"), Command::Employees));
    g->addWidget(commandButton(QStringLiteral("BitBtnAdress"), QStringLiteral("Города, районы, улицы"),
                               QStringLiteral("Справочник городов, районов, улиц"), Command::Addresses));
    g->addWidget(commandButton(QStringLiteral("BitBtnUE"), QStringLiteral("Валюта"),
                               QStringLiteral("Справочник валют"), Command::Currency));

    auto *attributes = new QPushButton(QStringLiteral("Характеристики"));
    attributes->setObjectName(QStringLiteral("BitBtnHarakter"));
    attributes->setMinimumHeight(30);
    m_attributeMenu = new QMenu(attributes);
    m_attributeMenu->setObjectName(QStringLiteral("PopupMenuHarakter"));
    for (const AttributeList &l : attributeLists()) {
        if (!l.caption) { m_attributeMenu->addSeparator(); continue; }
        QAction *a = m_attributeMenu->addAction(QString::fromUtf8(l.caption));
        a->setObjectName(QStringLiteral("N") + QString::fromLatin1(l.table));
        const QString table = QString::fromLatin1(l.table), column = QString::fromLatin1(l.column), caption = a->text();
        connect(a, &QAction::triggered, this, guarded([this, table, caption, column] {
            if (m_attributeHandler) m_attributeHandler(table, caption, column);
        }));
    }
    attributes->setText(QStringLiteral("Характеристики  ▸"));
    connect(attributes, &QPushButton::clicked, this, [this, attributes] {
        m_attributeMenu->popup(attributes->mapToGlobal(QPoint(attributes->width(), 0)));
    });
    setAvailable(attributes, false);
    g->addWidget(attributes);
    v->addWidget(group);

    QPushButton *exit = new QPushButton(QStringLiteral("Выход"));
    exit->setObjectName(QStringLiteral("BitBtnExit"));
    exit->setToolTip(QStringLiteral("Выход из программы"));
    exit->setMinimumHeight(36);
    makeBold(exit, 11);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    v->addWidget(exit);
    return right;
}

QWidget *TFZastav::buildFooter()
{
    auto *frame = new QFrame;
    frame->setObjectName(QStringLiteral("FrameFooter"));
    frame->setStyleSheet(QStringLiteral("#FrameFooter { border: 2px solid #000080; border-radius: 12px; background: #f4f6ff; }"));
    auto *v = new QVBoxLayout(frame);
    QLabel *system = label(QStringLiteral("LSystem"), QStringLiteral("Поисково-аналитическая система"));
    QLabel *product = label(QStringLiteral("LProduct"), QStringLiteral("\"ДОМЛАР V\""));
    makeBold(system, 11);
    makeBold(product, 16);
    for (QLabel *l : {system, product}) {
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet(QStringLiteral("color: #000080;"));
        v->addWidget(l);
    }
    return frame;
}

QAction *TFZastav::commandAction(QMenu *menu, const QString &name, const QString &text, Command command)
{
    QAction *a = menu->addAction(text);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, guarded([this, command] {
        if (auto it = m_handlers.find(command); it != m_handlers.end()) it->second();
    }));
    bind(a, command);
    return a;
}

void TFZastav::buildMenus()
{
    QMenu *save = menuBar()->addMenu(QStringLiteral("Сохранение"));
    save->setToolTipsVisible(true);
    save->setObjectName(QStringLiteral("NSave"));
    commandAction(save, QStringLiteral("NBackup"), QStringLiteral("Сохранить"), Command::Backup)
        ->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    commandAction(save, QStringLiteral("NRestore"), QStringLiteral("Восстановить"), Command::Restore)
        ->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    commandAction(save, QStringLiteral("NCompact"), QStringLiteral("Сжатие данных"), Command::Compact)
        ->setIcon(style()->standardIcon(QStyle::SP_DriveHDIcon));

    QMenu *service = menuBar()->addMenu(QStringLiteral("Сервис"));
    service->setToolTipsVisible(true);
    service->setObjectName(QStringLiteral("NService"));
    commandAction(service, QStringLiteral("NCalculator"), QStringLiteral("Калькулятор"), Command::Calculator);
    commandAction(service, QStringLiteral("NCalendar"), QStringLiteral("Календарь"), Command::Calendar);
    commandAction(service, QStringLiteral("NRates"), QStringLiteral("Валюты"), Command::CurrentRates);
    service->addSeparator();
    commandAction(service, QStringLiteral("NSaleTemplates"), QStringLiteral("Конструктор документов (Заявки на продажу)"),
                  Command::SaleTemplates);
    commandAction(service, QStringLiteral("NPurchaseTemplates"),
                  QStringLiteral("Конструктор документов (Заявки на приобретение)"), Command::PurchaseTemplates);

    QAction *about = menuBar()->addAction(QStringLiteral("О программе"));
    about->setObjectName(QStringLiteral("NAbout"));
    connect(about, &QAction::triggered, this, guarded([this] {
        if (auto it = m_handlers.find(Command::About); it != m_handlers.end()) it->second();
    }));
    bind(about, Command::About);
}

void TFZastav::bind(QObject *control, Command command)
{
    m_controls.emplace(command, control);
    setAvailable(control, m_handlers.count(command) > 0);
}

void TFZastav::setAvailable(QObject *control, bool available)
{
    const char *const ReadyHint = "readyToolTip";
    if (!control->property(ReadyHint).isValid()) control->setProperty(ReadyHint, control->property("toolTip"));
    control->setProperty("enabled", available);
    control->setProperty("toolTip", available ? control->property(ReadyHint)
                                              : QVariant(QStringLiteral("Будет доступно в следующей версии")));
}

void TFZastav::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_uchet->isEnabled()) {
        m_uchet->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TFZastav::setCommand(Command command, std::function<void()> handler)
{
    const bool on = bool(handler);
    if (on) m_handlers[command] = std::move(handler);
    else m_handlers.erase(command);
    auto [from, to] = m_controls.equal_range(command);
    for (auto it = from; it != to; ++it) setAvailable(it->second, on);
}

void TFZastav::setAttributeListHandler(AttributeListHandler handler)
{
    m_attributeHandler = std::move(handler);
    if (auto *button = findChild<QPushButton *>(QStringLiteral("BitBtnHarakter")))
        setAvailable(button, bool(m_attributeHandler));
}

void TFZastav::setStatusText(const QString &text)
{
    m_status->setText(text);
}

QString TFZastav::statusText() const
{
    return m_status->text();
}

void TFZastav::UpdateTitle()
{
    const bool connected = DMDomlar && DMDomlar->ADOConnection.connected();
    QVariant name;
    if (connected) {
        Table &firm = DMDomlar->table(QStringLiteral("ADOTFirm"));
        if (firm.active() && !firm.isEmpty()) name = firm.value(0, firm.fieldIndex(QStringLiteral("Name")));
    }
    setWindowTitle(mainWindowTitle(connected, name));
}

void TFZastav::FormShow()
{
    m_dateLine->setText(dateLine(QDate::currentDate()));
    m_workTime.reset();
    m_workClock->setText(m_workTime.text());
    reportErrors([this] { UpdateTitle(); });
    m_workTimer->start();
    // Without a window manager (a bare X server) maximising does nothing: fill the screen ourselves.
    if (const QScreen *s = screen()) setGeometry(s->availableGeometry());
    showMaximized();
    if (m_afterShow) reportErrors(m_afterShow);
}

void TFZastav::Timer1Timer()
{
    m_workTime.tick();
    m_workClock->setText(m_workTime.text());
}

void TFZastav::EndProgram()
{
    m_ending = true;
    close();
}

void TFZastav::closeEvent(QCloseEvent *event)
{
    if (!m_ending && !dialogs().confirm(QStringLiteral("Вы хотите выйти из программы ?"))) {
        event->ignore();
        return;
    }
    event->accept();
    qApp->quit();
}
