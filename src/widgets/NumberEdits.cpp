#include "widgets/NumberEdits.h"
#include "widgets/Calculator.h"
#include <QFocusEvent>
#include <QIntValidator>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QToolButton>
#include <limits>

namespace {

Money toTwoPlaces(Money m)
{
    return *Money::parse(m.toFixed(2));
}

QRegularExpressionValidator *amountValidator(bool negative, QObject *parent)
{
    const QString sign = negative ? QStringLiteral("-?") : QString();
    return new QRegularExpressionValidator(
        QRegularExpression(sign + QStringLiteral("[0-9 \\x{00A0}]*([.,][0-9]*)?")), parent);
}

} // namespace

IntegerEdit::IntegerEdit(QWidget *parent) : QLineEdit(parent)
{
    setValidator(new QIntValidator(this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

int IntegerEdit::value() const
{
    bool ok = false;
    const int v = text().trimmed().toInt(&ok);
    return ok ? v : 0;
}

void IntegerEdit::setValue(long long value)
{
    setText(value == 0 ? QString() : QString::number(value));
}

void IntegerEdit::refuseNegative()
{
    delete validator();
    setValidator(new QIntValidator(0, std::numeric_limits<int>::max(), this));
}

DecimalEdit::DecimalEdit(QWidget *parent) : QLineEdit(parent), m_button(new QToolButton(this))
{
    setValidator(amountValidator(true, this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_button->setObjectName(QStringLiteral("CalcButton"));
    m_button->setText(QStringLiteral("▾"));
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setToolTip(QStringLiteral("Калькулятор"));
    connect(m_button, &QToolButton::clicked, this, &DecimalEdit::dropCalculator);
    setTextMargins(0, 0, 18, 0);
}

QString DecimalEdit::format(Money value)
{
    return value.isZero() ? QString() : value.toDisplay(2, true, QChar(' '));
}

void DecimalEdit::refuseNegative()
{
    delete validator();
    setValidator(amountValidator(false, this));
}

Money DecimalEdit::value() const
{
    return toTwoPlaces(Money::parse(text()).value_or(Money()));
}

void DecimalEdit::setValue(Money value)
{
    setText(format(toTwoPlaces(value)));
}

// While typing, the plain number without grouping; after, the display format.
void DecimalEdit::focusInEvent(QFocusEvent *event)
{
    const Money v = value();
    if (!v.isZero()) {
        const QSignalBlocker quiet(this);
        setText(QString(v.toFixed(2)).replace('.', ','));
    }
    QLineEdit::focusInEvent(event);
}

void DecimalEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    const QSignalBlocker quiet(this);
    setValue(value());
}

void DecimalEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    m_button->setGeometry(width() - 18, 1, 17, height() - 2);
}

void DecimalEdit::dropCalculator()
{
    auto *popup = new CalculatorPopup(value(), this);
    connect(popup, &CalculatorPopup::accepted, this, [this](Money result) {
        setFocus();
        setText(QString(toTwoPlaces(result).toFixed(2)).replace('.', ','));
        selectAll();
    });
    popup->move(mapToGlobal(QPoint(0, height())));
    popup->show();
}
