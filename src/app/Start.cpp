#include "app/Start.h"
#include "app/Pictures.h"
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TFStart *FStart = nullptr;

namespace {

QLabel *boldText(QWidget *parent, const QString &name, const QString &text, const QColor &color, int pointSize)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont f(QStringLiteral("Arial"), pointSize, QFont::Bold);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(color.name()));
    l->adjustSize();
    return l;
}

} // namespace

TFStart::TFStart(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FStart"));
    const QSize size(420, 260);
    setFixedSize(size);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(Pictures::splash(size.width(), size.height()));
    picture->setGeometry(rect());

    QLabel *title = boldText(this, QStringLiteral("Label1"), QStringLiteral("\"ЛАРМИС\" ДОМЛАР"), QColor(0, 0, 128), 20);
    title->move((size.width() - title->width()) / 2 - 12, 12);
    QLabel *v = boldText(this, QStringLiteral("Label2"), QStringLiteral("V"), Qt::red, 20);
    v->move(title->geometry().right() + 6, 12);
    QLabel *loading = boldText(this, QStringLiteral("Label3"), QStringLiteral("Загрузка..."), QColor(128, 0, 0), 11);
    loading->move(12, size.height() - loading->height() - 10);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}
