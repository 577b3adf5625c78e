#include "search/RequestPanel.h"
#include "data/Dataset.h"
#include "data/DisplayText.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QString shownText(Dataset &dataset, const QString &name)
{
    if (dataset.recNo() < 0 || dataset.fieldIndex(name) < 0) return {};
    const Field field = dataset.fieldByName(name);
    return displayText(field.info().type, field.value());
}

void paint(QWidget *w, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = w->palette();
    palette.setColor(role, colour);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

} // namespace

QColor RequestPanel::orange() { return QColor(255, 167, 79); }
QColor RequestPanel::blue() { return QColor(113, 136, 244); }

RequestPanel::RequestPanel(const QString &title, Dataset *dataset, QWidget *parent)
    : QGroupBox(title, parent), m_dataset(dataset), m_grid(new QGridLayout(this))
{
    m_grid->setContentsMargins(2, 2, 2, 2);
    m_grid->setHorizontalSpacing(4);
    m_grid->setVerticalSpacing(3);
    if (!dataset) return;
    for (auto signal : {&Dataset::currentChanged, &Dataset::rowChanged})
        connect(dataset, signal, this, [this] { refresh(); });
    connect(dataset, &Dataset::resetDone, this, &RequestPanel::refresh);
}

QWidget *RequestPanel::control(const Item &item)
{
    QWidget *w;
    if (item.tick) {
        auto *box = new QCheckBox;
        box->setAttribute(Qt::WA_TransparentForMouseEvents);   // shows, never changes
        box->setFocusPolicy(Qt::NoFocus);
        w = box;
    } else {
        auto *edit = new QLineEdit;
        edit->setReadOnly(true);
        if (item.orange) {
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, orange());
            edit->setPalette(palette);
        }
        w = edit;
    }
    w->setObjectName(QString::fromLatin1(item.field));
    if (item.width > 0) w->setFixedWidth(item.width);
    m_bindings.push_back({w, QString::fromLatin1(item.field)});
    return w;
}

void RequestPanel::addRows(const std::vector<Row> &rows)
{
    for (const Row &row : rows) {
        auto *line = new QHBoxLayout;
        line->setSpacing(2);
        for (const Item &item : row) {
            auto *label = new QLabel(QString::fromUtf8(item.label));
            line->addWidget(label);
            QWidget *w = control(item);
            line->addWidget(w, item.width > 0 ? 0 : 1);
            label->setBuddy(w);
        }
        m_grid->addLayout(line, m_grid->rowCount(), 0);
    }
    refresh();
}

RequestPanel *RequestPanel::addSubPanel(const QString &title)
{
    auto *sub = new RequestPanel(title, m_dataset);
    sub->setObjectName(QStringLiteral("GroupBox2"));
    paint(sub, QPalette::Window, palette().color(QPalette::Button));
    m_grid->addWidget(sub, m_grid->rowCount(), 0);
    return sub;
}

void RequestPanel::refresh()
{
    if (!m_dataset) return;
    for (const Binding &b : m_bindings) {
        if (auto *box = qobject_cast<QCheckBox *>(b.control))
            box->setChecked(m_dataset->recNo() >= 0 && m_dataset->fieldByName(b.field).asBool());
        else if (auto *edit = static_cast<QLineEdit *>(b.control)) {
            edit->setText(shownText(*m_dataset, b.field));
            edit->setCursorPosition(0);   // a long text shows its beginning
        }
    }
}
