#include "app/Calendar.h"
#include "platform/Dialogs.h"
#include <QCalendarWidget>
#include <QDate>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

TFCalendar *FCalendar = nullptr;

TFCalendar::TFCalendar(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_calendar(new QCalendarWidget(this))
{
    setObjectName(QStringLiteral("FCalendar"));
    setWindowTitle(QStringLiteral("Календарь"));
    m_calendar->setObjectName(QStringLiteral("Calendar1"));
    m_calendar->setGridVisible(true);
    auto *v = new QVBoxLayout(this);
    v->addWidget(m_calendar);
    setFixedSize(sizeHint());
}

void TFCalendar::ShowToday()
{
    m_calendar->setSelectedDate(QDate::currentDate());
    m_calendar->showToday();
    if (const QScreen *s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
    dialogs().showModal(this);
}
