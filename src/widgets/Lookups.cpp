#include "widgets/Lookups.h"
#include "data/Dataset.h"

IdLookup::IdLookup(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    addItem(QString());
}

void IdLookup::setSource(Dataset *dataset, const QString &keyField, const QString &listField)
{
    m_dataset = dataset;
    m_keyField = keyField;
    m_listField = listField;
    refresh();
}

void IdLookup::setKey(int key)
{
    const bool changed = key != m_key;
    m_key = key;
    refresh();
    if (changed) emit keyChanged(key);
}

void IdLookup::refresh()
{
    QString name;
    if (m_dataset && m_key != 0 && m_dataset->active()) {
        name = m_dataset->lookupValue(m_keyField, m_key, m_listField).toString();
    }
    setItemText(0, name);
    setToolTip(name);
}

WordLookup::WordLookup(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    addItem(QString());
}

void WordLookup::setSource(Dataset *dataset, const QString &wordField)
{
    m_dataset = dataset;
    m_field = wordField;
    reloadWords();
}

void WordLookup::reloadWords()
{
    const QString keep = currentText();
    const QSignalBlocker quiet(this);
    clear();
    addItem(QString());
    if (m_dataset && m_dataset->active()) {
        const int f = m_dataset->fieldIndex(m_field);
        for (int r = 0; r < m_dataset->recordCount(); ++r) {
            const QString w = m_dataset->value(r, f).toString();
            if (!w.isEmpty() && findText(w, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) addItem(w);
        }
    }
    setWord(keep);
}

// A stored word that the list no longer holds still shows: it belongs to the request.
void WordLookup::setWord(const QString &word)
{
    int i = findText(word, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (i < 0) {
        addItem(word);
        i = count() - 1;
    }
    setCurrentIndex(i);
}

void WordLookup::showPopup()
{
    reloadWords();
    QComboBox::showPopup();
}
