#include "widgets/Calculator.h"
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

// ---- engine ----

void CalculatorEngine::digit(int d)
{
    if (m_failed) return;
    if (m_fresh || m_entry == "0") m_entry.clear();
    if (m_entry.size() < 16) m_entry += QChar('0' + d);
    m_fresh = false;
}

void CalculatorEngine::point()
{
    if (m_failed) return;
    if (m_fresh) { m_entry = QStringLiteral("0"); m_fresh = false; }
    if (!m_entry.contains('.')) m_entry += '.';
}

double CalculatorEngine::current() const
{
    return m_entry.toDouble();
}

void CalculatorEngine::setValue(double v)
{
    m_entry = QString::number(v, 'g', 15);
    if (m_entry.contains('e')) m_entry = QString::number(v, 'f', 4);
    m_fresh = true;
}

void CalculatorEngine::apply()
{
    const double b = current();
    switch (m_pending.unicode()) {
    case '+': m_accumulator += b; break;
    case '-': m_accumulator -= b; break;
    case '*': m_accumulator *= b; break;
    case '/':
        if (b == 0) { m_failed = true; return; }
        m_accumulator /= b;
        break;
    default: m_accumulator = b;
    }
    setValue(m_accumulator);
}

void CalculatorEngine::operation(QChar op)
{
    if (m_failed) return;
    if (!m_fresh || m_pending.isNull()) apply();
    m_pending = op;
    m_fresh = true;
}

void CalculatorEngine::equals()
{
    if (m_failed) return;
    apply();
    m_pending = QChar();
    m_fresh = true;
}

void CalculatorEngine::clear()
{
    m_entry = QStringLiteral("0");
    m_accumulator = 0;
    m_pending = QChar();
    m_fresh = true;
    m_failed = false;
}

void CalculatorEngine::clearEntry()
{
    if (m_failed) { clear(); return; }
    m_entry = QStringLiteral("0");
    m_fresh = true;
}

void CalculatorEngine::backspace()
{
    if (m_failed || m_fresh) return;
    m_entry.chop(1);
    if (m_entry.isEmpty() || m_entry == "-") m_entry = QStringLiteral("0");
}

void CalculatorEngine::changeSign()
{
    if (m_failed || m_entry == "0") return;
    m_entry = m_entry.startsWith('-') ? m_entry.mid(1) : '-' + m_entry;
}

void CalculatorEngine::memoryRecall()
{
    if (m_failed) return;
    setValue(m_memory);
}

QString CalculatorEngine::display() const
{
    return m_failed ? QStringLiteral("Ошибка") : QString(m_entry).replace('.', ',');
}

// ---- panel ----

CalculatorPanel::CalculatorPanel(QWidget *parent) : QFrame(parent), m_display(new QLineEdit(this))
{
    m_display->setObjectName(QStringLiteral("Display"));
    m_display->setReadOnly(true);
    m_display->setAlignment(Qt::AlignRight);
    m_display->setFocusPolicy(Qt::NoFocus);
    QFont f = m_display->font();
    f.setPointSize(f.pointSize() + 3);
    m_display->setFont(f);
    auto *grid = new QGridLayout(this);
    grid->setSpacing(3);
    grid->addWidget(m_display, 0, 0, 1, 5);
    const char *const keys[5][5] = {
        {"MC", "MR", "MS", "M+", nullptr},
        {"7", "8", "9", "/", "C"},
        {"4", "5", "6", "*", "CE"},
        {"1", "2", "3", "-", "←"},
        {"0", "±", ",", "+", "="},
    };
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) {
            if (!keys[r][c]) continue;
            auto *b = new QPushButton(QString::fromUtf8(keys[r][c]), this);
            b->setFocusPolicy(Qt::NoFocus);
            b->setMinimumSize(34, 26);
            const QString key = b->text();
            connect(b, &QPushButton::clicked, this, [this, key] { press(key); });
            grid->addWidget(b, r + 1, c);
        }
    refresh();
}

void CalculatorPanel::refresh()
{
    m_display->setText((m_engine.hasMemory() ? QStringLiteral("M  ") : QString()) + m_engine.display());
}

void CalculatorPanel::press(const QString &key)
{
    CalculatorEngine &e = m_engine;
    if (key.size() == 1 && key[0].isDigit()) e.digit(key[0].digitValue());
    else if (key == ",") e.point();
    else if (key == "+" || key == "-" || key == "*" || key == "/") e.operation(key[0]);
    else if (key == "=") { e.equals(); refresh(); emit equalsPressed(); return; }
    else if (key == "C") e.clear();
    else if (key == "CE") e.clearEntry();
    else if (key == "←") e.backspace();
    else if (key == "±") e.changeSign();
    else if (key == "MC") e.memoryClear();
    else if (key == "MR") e.memoryRecall();
    else if (key == "MS") e.memoryStore();
    else if (key == "M+") e.memoryAdd();
    refresh();
}

bool CalculatorPanel::typeKey(int key, const QString &text)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter || text == "=") press(QStringLiteral("="));
    else if (key == Qt::Key_Backspace) press(QStringLiteral("←"));
    else if (key == Qt::Key_Delete) press(QStringLiteral("CE"));
    else if (text == "." || text == ",") press(QStringLiteral(","));
    else if (text.size() == 1 && (text[0].isDigit() || QStringLiteral("+-*/").contains(text))) press(text);
    else return false;
    return true;
}

// ---- dialog and drop-down ----

// A fixed-size window: a title and a close button, nothing to minimise or maximise.
CalculatorDialog::CalculatorDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_panel(new CalculatorPanel(this))
{
    setObjectName(QStringLiteral("FCalculator"));
    setWindowTitle(QStringLiteral("Калькулятор"));
    auto *v = new QVBoxLayout(this);
    v->addWidget(m_panel);
    setFixedSize(sizeHint());
}

void CalculatorDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || !m_panel->typeKey(event->key(), event->text()))
        QDialog::keyPressEvent(event);
}

CalculatorPopup::CalculatorPopup(Money start, QWidget *owner)
    : QFrame(owner, Qt::Popup), m_panel(new CalculatorPanel(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Box);
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    v->addWidget(m_panel);
    m_panel->engine().setValue(start.toDouble());
    m_panel->refresh();
    connect(m_panel, &CalculatorPanel::equalsPressed, this, [this] {
        if (m_panel->engine().failed()) return;
        emit accepted(Money::fromDouble(m_panel->engine().current()));
        close();
    });
}

void CalculatorPopup::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) { close(); return; }
    if (!m_panel->typeKey(event->key(), event->text())) QFrame::keyPressEvent(event);
}
