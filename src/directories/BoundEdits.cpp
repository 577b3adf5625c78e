#include "directories/BoundEdits.h"
#include "data/Dataset.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "widgets/RowStore.h"
#include <QLineEdit>
#include <QPlainTextEdit>

BoundEdits::BoundEdits(QObject *parent) : QObject(parent) {}

void BoundEdits::setDataset(Dataset *dataset)
{
    if (m_dataset) disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (dataset) {
        connect(dataset, &Dataset::currentChanged, this, &BoundEdits::reload);
        connect(dataset, &Dataset::rowChanged, this, &BoundEdits::reload);
        connect(dataset, &Dataset::resetDone, this, &BoundEdits::reload);
    }
    for (const Binding &b : m_bindings) limitWidth(b);
    reload();
}

int BoundEdits::widthOf(const QString &field) const
{
    return m_dataset ? textWidth(*m_dataset, field) : 0;
}

void BoundEdits::limitWidth(const Binding &b)
{
    if (auto *line = qobject_cast<QLineEdit *>(b.edit); line && widthOf(b.field) > 0) line->setMaxLength(widthOf(b.field));
}

void BoundEdits::bind(QLineEdit *edit, const QString &field)
{
    m_bindings.push_back({edit, field});
    connect(edit, &QLineEdit::textEdited, this, [this, edit, field](const QString &text) { write({edit, field}, text); });
    limitWidth(m_bindings.back());
    show(m_bindings.back());
}

void BoundEdits::bind(QPlainTextEdit *edit, const QString &field)
{
    m_bindings.push_back({edit, field});
    connect(edit, &QPlainTextEdit::textChanged, this, [this, edit, field] {
        if (!edit->signalsBlocked()) write({edit, field}, edit->toPlainText());
    });
    show(m_bindings.back());
}

void BoundEdits::reload()
{
    if (m_writing) return;
    for (const Binding &b : m_bindings) show(b);
}

void BoundEdits::show(const Binding &b)
{
    QString text;
    if (m_dataset && m_dataset->active() && !m_dataset->isEmpty() && m_dataset->fieldIndex(b.field) >= 0)
        text = m_dataset->fieldByName(b.field).asString();
    const bool hasRow = m_dataset && m_dataset->active() && !m_dataset->isEmpty();
    b.edit->setEnabled(hasRow);
    const QSignalBlocker block(b.edit);
    if (auto *line = qobject_cast<QLineEdit *>(b.edit)) {
        if (line->text() != text) line->setText(text);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(b.edit)) {
        if (plain->toPlainText() != text) plain->setPlainText(text);
    }
}

void BoundEdits::write(const Binding &b, const QString &text)
{
    if (!m_dataset || !m_dataset->active() || m_dataset->isEmpty()) return;
    const int width = widthOf(b.field);
    if (width > 0 && text.size() > width) {
        dialogs().warning(QStringLiteral("Поле «%1» вмещает не более %2 символов. Лишнее не принято.")
                              .arg(b.edit->accessibleName()).arg(width));
        if (auto *plain = qobject_cast<QPlainTextEdit *>(b.edit)) plain->undo();
        return;
    }
    m_writing = true;
    try {
        m_dataset->edit();
        m_dataset->fieldByName(b.field).setString(text);
    } catch (const AppError &e) {
        m_writing = false;
        dialogs().error(e.text());
        b.edit->setFocus();
        return;
    }
    m_writing = false;
}
