#pragma once
#include <QComboBox>
#include <QPointer>

class Dataset;

// A read-only drop-down that shows the name of the directory row whose key it
// holds; key 0 shows nothing. Only the buttons beside it change it.
class IdLookup : public QComboBox {
    Q_OBJECT
public:
    IdLookup(QWidget *parent = nullptr);
    // The directory: its key field and the field shown.
    void setSource(Dataset *dataset, const QString &keyField, const QString &listField);
    int key() const { return m_key; }
    void setKey(int key);
    // Shows the current name again (after the directory changed).
    void refresh();

    void showPopup() override {}

signals:
    void keyChanged(int key);

private:
    QPointer<Dataset> m_dataset;
    QString m_keyField, m_listField;
    int m_key = 0;
};

// A drop-down list of the words of one attribute list. The word is both key
// and text; the empty text means none. Free text cannot be typed; the list is
// read anew each time it drops down, so it shows the list as it now is.
class WordLookup : public QComboBox {
    Q_OBJECT
public:
    WordLookup(QWidget *parent = nullptr);
    void setSource(Dataset *dataset, const QString &wordField);
    QString word() const { return currentText(); }
    void setWord(const QString &word);
    void reloadWords();

    void showPopup() override;

private:
    QPointer<Dataset> m_dataset;
    QString m_field;
};
