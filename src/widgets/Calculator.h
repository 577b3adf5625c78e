#pragma once
#include "data/Money.h"
#include <QDialog>
#include <QFrame>
#include <QString>

class QLineEdit;

// A standard desktop calculator: digits, the four operations, memory.
class CalculatorEngine {
public:
    void digit(int d);
    void point();
    void operation(QChar op);      // '+', '-', '*', '/'
    void equals();
    void clear();                  // C: everything but the memory
    void clearEntry();             // CE: the number being typed
    void backspace();
    void changeSign();
    void memoryClear() { m_memory = 0; }
    void memoryRecall();
    void memoryStore() { m_memory = current(); }
    void memoryAdd() { m_memory += current(); }
    bool hasMemory() const { return m_memory != 0; }

    QString display() const;       // "12,5"; "Ошибка" after a division by zero
    double current() const;
    bool failed() const { return m_failed; }
    void setValue(double v);

private:
    void apply();
    QString m_entry = QStringLiteral("0");
    double m_accumulator = 0;
    double m_memory = 0;
    QChar m_pending;
    bool m_fresh = true;           // the next digit starts a new number
    bool m_failed = false;
};

// The calculator's keys and display, for the dialog and the drop-down alike.
class CalculatorPanel : public QFrame {
    Q_OBJECT
public:
    explicit CalculatorPanel(QWidget *parent = nullptr);
    CalculatorEngine &engine() { return m_engine; }
    void refresh();
    // Handles a key typed on the calculator; false when the key is not the calculator's.
    bool typeKey(int key, const QString &text);

signals:
    void equalsPressed();

private:
    void press(const QString &key);
    CalculatorEngine m_engine;
    QLineEdit *m_display;
};

// The dialog "Калькулятор" of the main window's "Сервис" menu.
class CalculatorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CalculatorDialog(QWidget *parent = nullptr);
    CalculatorPanel *panel() const { return m_panel; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    CalculatorPanel *m_panel;
};

// The small calculator a decimal edit drops down: Enter or "=" gives the result back.
class CalculatorPopup : public QFrame {
    Q_OBJECT
public:
    CalculatorPopup(Money start, QWidget *owner);

signals:
    void accepted(Money result);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    CalculatorPanel *m_panel;
};
