#pragma once
#include "data/Money.h"
#include <QLineEdit>

class QToolButton;

// An edit for a whole number (display format "0"). Zero shows empty; an empty
// or unreadable edit reads as zero.
class IntegerEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit IntegerEdit(QWidget *parent = nullptr);
    int value() const;
    void setValue(long long value);
    // For a count or a floor: a minus sign cannot be typed.
    void refuseNegative();
};

// An edit for an amount kept to two decimals (display format ",0.00": grouped
// thousands, decimal comma), with a button that drops down a small calculator.
// A value put into it is rounded to two places (ties to even); zero shows empty;
// an empty or unreadable edit reads as zero.
class DecimalEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DecimalEdit(QWidget *parent = nullptr);
    Money value() const;
    void setValue(Money value);
    // The text as it is shown for a value: "1 234,50"; empty for zero.
    static QString format(Money value);
    // For an area: a minus sign cannot be typed.
    void refuseNegative();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void dropCalculator();
    QToolButton *m_button;
};
