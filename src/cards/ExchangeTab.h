#pragma once
#include <QWidget>
#include <functional>

class DBGrid;
class Dataset;
class Table;
class QToolButton;
class TFKardSale;

// The sale card's tab "К обмену": the offer's exchange variants, demands of
// BazaSpros linked to it by IDBazaSaleForObmen, added, changed and deleted at
// once (whether or not the offer is stored again afterwards).
class ExchangeTab : public QWidget {
    Q_OBJECT
public:
    explicit ExchangeTab(TFKardSale *card);

    // The data module's list of exchange variants (made after the card).
    void bindSource();
    DBGrid *grid() const { return DBGridEh1; }
    // The list is shown only for a stored offer; the commands follow it.
    void setListVisible(bool visible);

    // The register's operations, handed over at start-up: editing a variant
    // (TFBaza.OpenKardSprosForEditForObmen) and choosing a grid's columns.
    std::function<void(int number)> editVariant;
    std::function<void(DBGrid &grid, const QString &caption)> chooseColumns;

    void BitBtn20Click();   // "Добавить"
    void BitBtn21Click();   // "Изменить"
    void BitBtn22Click();   // "Удалить"
    void BitBtn23Click();   // "Выбор"

    QToolButton *BitBtn20, *BitBtn21, *BitBtn22, *BitBtn23;
    DBGrid *DBGridEh1;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildToolbar();
    QToolButton *button(const char *name, const QString &text);
    Table &variants() const;
    // The list when it holds variants of the offer on the card; nullptr otherwise.
    Table *ownVariants() const;
    // "Изменить" and "Удалить" only with a variant to act on, "Выбор" only with the list shown.
    void updateButtons();
    // The register's demands list shows every demand: it follows what was changed here.
    void listsChanged();

    TFKardSale *m_card;
    // The register changed a demand since the list was read.
    bool m_stale = false;
};
