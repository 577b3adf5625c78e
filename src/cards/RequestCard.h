#pragma once
#include "cards/CardFields.h"
#include <QDialog>
#include <QStringList>
#include <vector>

class DateEdit;
class DecimalEdit;
class IdLookup;
class IntegerEdit;
class PriceGroup;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class QToolButton;
class QVBoxLayout;
class WordLookup;

// What the sale card and the demand card share: the top strip, the attribute
// lookups with their pickers, the client and employee pickers, a price trio,
// the note, the focus colour and the closing dialogue. A card returns 6 to
// store it or 7 to discard it, and never writes its request itself.
class RequestCard : public QDialog {
    Q_OBJECT
public:
    // The required-field check: "OK", or the word for what is missing.
    virtual QString NotAllSelect() const = 0;
    const std::vector<WordLookup *> &wordLookups() const { return m_words; }
    WordLookup *wordLookup(const QString &name) const;
    // Binds the lookups to the data module's lists (the data module is made after the cards)
    // and limits the text edits to their columns' widths.
    virtual void bindSources();
    // The controls and the fields they hold, and the table of those fields.
    virtual CardMapping fieldMapping() = 0;
    virtual QString tableName() const = 0;

    // Whether the request with the card's number is stored (an empty number is not).
    bool requestStored() const;
    // What is added to a request (variants, exchange demands) needs it stored: when it is
    // not, says so, and on "Да" starts closing the card, whose dialogue offers to store it.
    bool storedOrAskToStore();

    QToolButton *LMDButton1;
    QMenu *DopDoc;
    IdLookup *Klient, *Sotrud;
    QLineEdit *DogNo1;
    DateEdit *DogBegin1, *DogEnd1;
    DecimalEdit *Price, *PriceUSD, *PriceEUR;
    QPlainTextEdit *Info;
    QTabWidget *PageControl1;

signals:
    // Each showing: the document menu is rebuilt from the card's templates.
    void documentMenuRequested(QMenu *menu);

public slots:
    void reject() override;   // Esc closes through the closing dialogue too

protected:
    RequestCard(const QString &name, QWidget *parent);
    // Lays out the card: top strip, the tabs, the note.
    void buildFrame(IntegerEdit *number, const char *numberName, DateEdit *date, const char *dateName,
                    const QString &documentCaption, const QString &documentHint, const QList<QPair<QWidget *, QString>> &tabs);
    // The attribute lookups named, in the card's order.
    QWidget *buildAttributes(const QStringList &lookups);
    QWidget *personRow(IdLookup *&lookup, const char *name, const char *pickName, const char *clearName);
    PriceGroup *makePriceGroup(DecimalEdit *rub, DecimalEdit *usd, DecimalEdit *eur);
    void FormCloseQuery();
    // Brings a control into view on its tab and focuses it.
    void showControl(QWidget *control);

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paintWordLookups(WordLookup *focused);
    IntegerEdit *m_number = nullptr;
    std::vector<WordLookup *> m_words;
    std::vector<QString> m_wordLists;
};

namespace CardParts {
// Widgets named for the card, and the form rows they sit in.
template <typename W>
W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
// A labelled row at the bottom of a grid layout.
void addRow(QGridLayout *grid, const QString &label, QWidget *widget);
// A lookup with its small "..." and "Х" buttons beside it (either may be null).
QWidget *lookupRow(QWidget *lookup, QWidget *pick, QWidget *clear);
// A small button that Tab skips and Enter in a field never presses.
QPushButton *smallButton(const char *name, const QString &text);
// A tab whose contents come in a later version.
QWidget *laterTab(const char *name);
} // namespace CardParts

// The key of the current row of a shared directory dataset; 0 for an empty list.
int currentKey(const QString &dataset, const QString &field);
