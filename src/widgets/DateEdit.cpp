#include "widgets/DateEdit.h"
#include "data/Schema.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString Format = QStringLiteral("dd.MM.yyyy");

int yearOf(const QString &digits)
{
    if (digits.isEmpty()) return QDate::currentDate().year();
    return digits.size() == 2 ? 2000 + digits.toInt() : digits.toInt();
}

} // namespace

DateEdit::DateEdit(QWidget *parent) : QLineEdit(parent), m_button(new QToolButton(this))
{
    // Digits alone (typed or pasted without separators) or day.month.year as it grows.
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,8}|[0-9]{1,2}\\.[0-9]{0,2}\\.?[0-9]{0,4}")), this));
    setPlaceholderText(QStringLiteral("дд.мм.гггг"));
    m_button->setObjectName(QStringLiteral("CalendarButton"));
    m_button->setText(QStringLiteral("▾"));
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setToolTip(QStringLiteral("Календарь"));
    connect(m_button, &QToolButton::clicked, this, &DateEdit::dropCalendar);
    connect(this, &QLineEdit::textEdited, this, &DateEdit::insertSeparators);
    setTextMargins(0, 0, 18, 0);
}

std::optional<QDate> DateEdit::parse(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return Schema::zeroDate();
    static const QRegularExpression digits(QStringLiteral("^(\\d{2})(\\d{2})(\\d{2}|\\d{4})?$"));
    static const QRegularExpression dotted(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.?(\\d{2}|\\d{4})?$"));
    auto m = digits.match(t);
    if (!m.hasMatch()) m = dotted.match(t);
    if (!m.hasMatch()) return std::nullopt;
    const QDate d(yearOf(m.captured(3)), m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid()) return std::nullopt;
    return d;
}

QString DateEdit::invalidText(const QString &text)
{
    return QStringLiteral("Дата «%1» неполная или такой даты нет. Введите дату в виде дд.мм.гггг "
                          "(например, 01.06.2027) или очистите поле.").arg(text.trimmed());
}

QDate DateEdit::date() const
{
    return parse(text()).value_or(Schema::zeroDate());
}

void DateEdit::setDate(const QDate &date)
{
    setText(!date.isValid() || date == Schema::zeroDate() ? QString() : date.toString(Format));
}

bool DateEdit::isValidInput() const
{
    return parse(text()).has_value();
}

// Typing on at the end: the separators after the day and the month come by themselves.
void DateEdit::insertSeparators()
{
    if (cursorPosition() != text().size()) return;
    static const QRegularExpression afterDay(QStringLiteral("^(\\d{2})(\\d)"));
    static const QRegularExpression afterMonth(QStringLiteral("^(\\d{1,2}\\.\\d{2})(\\d)"));
    QString t = text();
    t.replace(afterDay, QStringLiteral("\\1.\\2"));
    t.replace(afterMonth, QStringLiteral("\\1.\\2"));
    if (t != text()) setText(t);
}

// Leaving for another field shows the date in full or refuses it; a window or a
// popup taking the focus is no leaving.
void DateEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    if (const auto d = parse(text())) {
        if (!text().isEmpty()) setDate(*d);
        return;
    }
    QTimer::singleShot(0, this, [this] { reportErrors([this] { refuseInvalid(); }); });
}

void DateEdit::refuseInvalid()
{
    if (!isVisible() || isValidInput()) return;
    dialogs().warning(invalidText(text()));
    setFocus(Qt::OtherFocusReason);
    selectAll();
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
