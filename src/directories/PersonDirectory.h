#pragma once
#include <QDialog>
#include <QString>
#include <vector>

class BoundEdits;
class Dataset;
class DBGrid;
class QLabel;
class QLineEdit;

// A directory of people (clients, employees): the list on the left, the
// current row's details on the right, edited in place. Also a picker: a
// double click in the list closes the window with the modal result 1.
class TPersonDirectory : public QDialog {
    Q_OBJECT
public:
    struct Detail { const char *field, *label; bool multiLine = false; };
    struct Group { const char *title; std::vector<Detail> details; };
    struct Texts {
        const char *objectName, *title, *dataset, *table, *key, *name, *listTitle, *placeholder;
        std::vector<Group> groups;
    };

    explicit TPersonDirectory(const Texts &texts, QWidget *parent = nullptr);

    // Shows the window modally; returns 1 when a row was chosen by a double click.
    int Execute();
    // "Добавить": a new row with the next code and the placeholder name, the name field focused.
    void N1Click();
    // "Удалить": the current row, after the question.
    void N2Click();
    // Stores pending changes and re-reads the list into name order (done on entering the list).
    void StoreAndReread();

    DBGrid *grid() const { return m_grid; }
    Dataset &dataset() const;
    QLineEdit *nameEdit() const { return m_nameEdit; }
    QString stripText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildDetails();
    QWidget *buildGroup(const Group &group, QWidget *parent);
    void showName();

    Texts m_texts;
    DBGrid *m_grid;
    QLabel *m_strip;
    BoundEdits *m_edits;
    QLineEdit *m_nameEdit = nullptr;
};
