#include "register/SelectColShow.h"
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TFSelectColShow *FSelectColShow = nullptr;

TFSelectColShow::TFSelectColShow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FSelectColShow"));
    setWindowTitle(QStringLiteral("Выбор отображаемых колонок"));
    resize(250, 300);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("CheckListBox1"));
    layout->addWidget(m_list, 1);
    auto *status = new QStatusBar;
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    layout->addWidget(status);
    setCaption(QStringLiteral(" Предложения"));
}

QWidget *TFSelectColShow::buildHeader()
{
    auto *header = new QFrame;
    header->setObjectName(QStringLiteral("PanelHeader"));
    header->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(2, 2, 2, 2);
    m_caption = new QLabel;
    m_caption->setObjectName(QStringLiteral("LCaption"));
    m_caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont font = m_caption->font();
    font.setBold(true);
    m_caption->setFont(font);
    QPalette palette = m_caption->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    m_caption->setPalette(palette);
    row->addWidget(m_caption, 1);

    struct Button { const char *name, *hint; QStyle::StandardPixmap icon; void (TFSelectColShow::*action)(); };
    const Button buttons[] = {
        {"SBSelectAll", "Выбрать все", QStyle::SP_DialogApplyButton, &TFSelectColShow::selectAll},
        {"SBUnselectAll", "Отменить все", QStyle::SP_DialogCancelButton, &TFSelectColShow::unselectAll},
        {"SBInvert", "Инвертировать выбор", QStyle::SP_BrowserReload, &TFSelectColShow::invertSelection},
    };
    for (const Button &b : buttons) {
        QToolButton *button = pictureButton(QString::fromUtf8(b.name), QString::fromUtf8(b.hint), b.icon);
        connect(button, &QToolButton::clicked, this, b.action);
        row->addWidget(button);
    }
    return header;
}

QToolButton *TFSelectColShow::pictureButton(const QString &name, const QString &hint, int icon)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setIcon(style()->standardIcon(QStyle::StandardPixmap(icon)));
    return button;
}

void TFSelectColShow::setCaption(const QString &caption) { m_caption->setText(caption); }
QString TFSelectColShow::caption() const { return m_caption->text(); }

void TFSelectColShow::clearItems() { m_list->clear(); }

void TFSelectColShow::addItem(const QString &text, bool ticked)
{
    auto *item = new QListWidgetItem(text, m_list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

int TFSelectColShow::itemCount() const { return m_list->count(); }
QString TFSelectColShow::itemText(int index) const { return m_list->item(index)->text(); }
bool TFSelectColShow::isTicked(int index) const { return m_list->item(index)->checkState() == Qt::Checked; }

void TFSelectColShow::setTicked(int index, bool ticked)
{
    m_list->item(index)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void TFSelectColShow::setAll(bool ticked)
{
    for (int i = 0; i < itemCount(); ++i) setTicked(i, ticked);
}

void TFSelectColShow::selectAll() { setAll(true); }
void TFSelectColShow::unselectAll() { setAll(false); }

void TFSelectColShow::invertSelection()
{
    for (int i = 0; i < itemCount(); ++i) setTicked(i, !isTicked(i));
}

void TFSelectColShow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    const QRect around = parentWidget() ? parentWidget()->frameGeometry() : screen()->availableGeometry();
    move(around.center() - rect().center());
}

void TFSelectColShow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
