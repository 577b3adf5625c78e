#pragma once
#include "data/Dataset.h"
#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Edits bound to fields of a dataset's current row: they show the row and,
// when the user types, put the row in edit state and write the field at once.
// Storing is left to the dataset (it stores the row when it moves) and to the window.
class BoundEdits : public QObject {
    Q_OBJECT
public:
    explicit BoundEdits(QObject *parent = nullptr);

    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return m_dataset; }
    // Binds an edit to a field. A line edit takes no more characters than the
    // field's width; a longer text (pasted into a text box) is refused with a
    // message naming the edit by its accessible name, and the edit keeps what fits.
    // Any other refused value stays in its edit with the message.
    void bind(QLineEdit *edit, const QString &field);
    void bind(QPlainTextEdit *edit, const QString &field);
    // Shows the current row's values again.
    void reload();

private:
    struct Binding { QWidget *edit; QString field; };
    void write(const Binding &b, const QString &text);
    void show(const Binding &b);
    void limitWidth(const Binding &b);
    int widthOf(const QString &field) const;

    QPointer<Dataset> m_dataset;
    std::vector<Binding> m_bindings;
    bool m_writing = false;
};
