#include "widgets/DateEdit.h"
#include "data/Schema.h"
#include <QCalendarWidget>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString Format = QStringLiteral("dd.MM.yyyy");
}

DateEdit::DateEdit(QWidget *parent) : QLineEdit(parent), m_button(new QToolButton(this))
{
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}(\\.[0-9]{0,2}(\\.[0-9]{0,4})?)?")), this));
    setPlaceholderText(QStringLiteral("дд.мм.гггг"));
    m_button->setObjectName(QStringLiteral("CalendarButton"));
    m_button->setText(QStringLiteral("▾"));
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setToolTip(QStringLiteral("Календарь"));
    connect(m_button, &QToolButton::clicked, this, &DateEdit::dropCalendar);
    setTextMargins(0, 0, 18, 0);
}

QDate DateEdit::date() const
{
    const QDate d = QDate::fromString(text().trimmed(), Format);
    return d.isValid() ? d : Schema::zeroDate();
}

void DateEdit::setDate(const QDate &date)
{
    setText(!date.isValid() || date == Schema::zeroDate() ? QString() : date.toString(Format));
}

bool DateEdit::isValidInput() const
{
    return text().trimmed().isEmpty() || QDate::fromString(text().trimmed(), Format).isValid();
}

void DateEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    m_button->setGeometry(width() - 18, 1, 17, height() - 2);
}

void DateEdit::dropCalendar()
{
    auto *popup = new QFrame(this, Qt::Popup);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFrameShape(QFrame::Box);
    auto *calendar = new QCalendarWidget(popup);
    calendar->setGridVisible(true);
    const QDate current = date();
    calendar->setSelectedDate(current == Schema::zeroDate() ? QDate::currentDate() : current);
    auto *v = new QVBoxLayout(popup);
    v->setContentsMargins(1, 1, 1, 1);
    v->addWidget(calendar);
    connect(calendar, &QCalendarWidget::activated, popup, [this, popup](const QDate &d) {
        setDate(d);
        popup->close();
    });
    connect(calendar, &QCalendarWidget::clicked, popup, [this, popup](const QDate &d) {
        setDate(d);
        popup->close();
    });
    popup->move(mapToGlobal(QPoint(0, height())));
    popup->show();
    calendar->setFocus();
}
