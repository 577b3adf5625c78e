#include "app/About.h"
#include "app/Pictures.h"
#include "app/VerInfo.h"
#include "platform/ErrorReport.h"
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <QVariantAnimation>

TFAbout *FAbout = nullptr;

namespace {

const QSize WindowSize(440, 540);
const int ScrollPixelsPerSecond = 30;

const char *const Presentation =
    "Компьютерная программа «Домлар V»\n"
    "\n"
    "поисково-аналитическая система\n"
    "для агентства недвижимости\n"
    "\n"
    "Программа ведет учет заявок\n"
    "на продажу и на приобретение\n"
    "квартир, домов и комнат.\n"
    "\n"
    "Для каждого предложения она хранит\n"
    "адрес, цену в рублях, долларах и евро,\n"
    "площади, этаж, число комнат\n"
    "и все характеристики объекта:\n"
    "тип, материал дома, планировку,\n"
    "окна, двери, полы, отопление,\n"
    "водоснабжение, санузел, балкон\n"
    "и состояние квартиры.\n"
    "\n"
    "Для каждой заявки на приобретение —\n"
    "желаемые районы, границы цены,\n"
    "этажа, площадей и числа комнат.\n"
    "\n"
    "Поиск подбирает к предложению\n"
    "подходящие заявки покупателей,\n"
    "а к заявке — подходящие предложения.\n"
    "\n"
    "Заявки на обмен связываются\n"
    "с предложениями напрямую.\n"
    "\n"
    "Справочники клиентов, сотрудников,\n"
    "городов, районов и улиц\n"
    "всегда под рукой.\n"
    "\n"
    "Курсы валют обновляются\n"
    "из сети Интернет.\n"
    "\n"
    "Договоры и другие документы\n"
    "составляются по шаблонам\n"
    "прямо из карточки заявки.\n"
    "\n"
    "Отчеты печатаются и сохраняются\n"
    "в форматах PDF, HTML, XLSX и RTF.\n"
    "\n"
    "Данные хранятся в одном\n"
    "защищенном паролем файле;\n"
    "их можно сохранить в архив,\n"
    "восстановить и сжать.\n"
    "\n"
    "Спасибо, что выбрали «Домлар V»!";

QLabel *label(QWidget *parent, const QString &name, const QString &text, const QString &style, int pointSize)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(QFont(QStringLiteral("Arial"), pointSize, QFont::Bold));
    l->setStyleSheet(style);
    return l;
}

} // namespace

TFAbout::TFAbout(const QString &executable, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(WindowSize);
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(buildStrip());
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(Pictures::cityline(WindowSize.width(), 130));
    v->addWidget(picture);
    v->addWidget(buildScrollPanel(), 1);

    reportErrors([&] {
        FVerInfo->SetFilename(executable);
        m_version->setText(QStringLiteral("Версия ") + FVerInfo->EProductVersion->text() + QStringLiteral("\r\n(")
                           + FVerInfo->EFileVersion->text() + QStringLiteral(")"));
    });
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FAbout = this;
}

TFAbout::~TFAbout()
{
    if (FAbout == this) FAbout = nullptr;
}

QWidget *TFAbout::buildStrip()
{
    auto *strip = new QFrame(this);
    strip->setObjectName(QStringLiteral("PanelTitle"));
    strip->setFixedHeight(84);
    strip->setStyleSheet(QStringLiteral("#PanelTitle { background: #141b2d; }"));
    auto *v = new QVBoxLayout(strip);
    v->setContentsMargins(8, 4, 8, 8);
    m_version = label(strip, QStringLiteral("LVersion"), QStringLiteral("v.5.1.2006.1"),
                      QStringLiteral("color: #9a9a9a;"), 7);
    m_version->setFont(QFont(QStringLiteral("Arial"), 7));
    v->addWidget(m_version, 0, Qt::AlignLeft | Qt::AlignTop);
    v->addWidget(label(strip, QStringLiteral("LTitle"), QStringLiteral("ДОМЛАР V"), QStringLiteral("color: white;"), 24),
                 1, Qt::AlignCenter);
    return strip;
}

QWidget *TFAbout::buildScrollPanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("PanelText"));
    panel->setStyleSheet(QStringLiteral(
        "#PanelText { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #0b2a6f, stop:1 #4f8fd8); }"));
    m_text = label(panel, QStringLiteral("LText"), QString::fromUtf8(Presentation),
                   QStringLiteral("color: white; background: transparent;"), 10);
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_text->setFixedWidth(WindowSize.width());
    m_text->adjustSize();

    m_scroll = new QVariantAnimation(this);
    m_scroll->setObjectName(QStringLiteral("ScrollAnimation"));
    connect(m_scroll, &QVariantAnimation::valueChanged, m_text, [this](const QVariant &y) { m_text->move(0, y.toInt()); });
    return panel;
}

void TFAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // From just below the panel until the last line has left it at the top.
    const int panelHeight = m_text->parentWidget()->height();
    m_scroll->stop();
    m_scroll->setStartValue(panelHeight);
    m_scroll->setEndValue(-m_text->height());
    m_scroll->setDuration((panelHeight + m_text->height()) * 1000 / ScrollPixelsPerSecond);
    m_text->move(0, panelHeight);
    m_scroll->start();
}

QString TFAbout::versionText() const
{
    return m_version->text();
}
