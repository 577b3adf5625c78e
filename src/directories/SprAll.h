#pragma once
#include <QDialog>
#include <QString>

class Dataset;
class DBGrid;

// The one editor of the thirteen attribute lists, bound at each opening to the
// list named by its table ("ADOT" + table, "DS" + table).
class TFSprAll : public QDialog {
    Q_OBJECT
public:
    explicit TFSprAll(QWidget *parent = nullptr);
    ~TFSprAll() override;

    // Binds the window to the list, re-reads it and shows the window modally.
    void OpenForm(const QString &table, const QString &caption, const QString &field);
    // Binds and re-reads without showing (OpenForm's steps before the show).
    void BindList(const QString &table, const QString &caption, const QString &field);

    // "Ввести": an existing word becomes current, a new one is added and stored.
    void N1Click();
    // "Удалить": the current word, after the question.
    void N2Click();
    // A double click or F2: corrects the current word in place.
    void EditCurrentWord();

    DBGrid *grid() const { return m_grid; }
    Dataset *list() const { return m_list; }
    QString field() const { return m_field; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitColumn();
    void centreOnParent();

    DBGrid *m_grid;
    Dataset *m_list = nullptr;
    QString m_field;
};

extern TFSprAll *FSprAll;
