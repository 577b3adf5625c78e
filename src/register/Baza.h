#pragma once
#include <QMainWindow>

class DBGrid;
class Table;
class QButtonGroup;
class QSplitter;
class QToolButton;
class RegisterHalf;

// The register window: every offer and every demand side by side, each list
// with its sort, cell-value filter, column choice and layout kept in
// "BazaGrid.ini". Made once; closing hides it.
class TFBaza : public QMainWindow {
    Q_OBJECT
public:
    enum class View { Both, SaleOnly, SprosOnly };

    // parent: the main window, on which the register is centred when first shown.
    explicit TFBaza(QWidget *parent = nullptr);

    // Shows the window (restoring the layouts), or raises it when it is already shown.
    void showRegister();

    DBGrid *saleGrid() const;
    DBGrid *sprosGrid() const;
    RegisterHalf *saleHalf() const { return m_sale; }
    RegisterHalf *sprosHalf() const { return m_spros; }
    View view() const { return m_view; }

    // The sale card hands over its exchange-demands grid, whose layout is kept
    // with the register's own (section "BazaGridObmen", key "RowObmen").
    void setExchangeGrid(DBGrid *grid) { m_exchange = grid; }

    // The request operations, also used by the search and the sale card's exchange tab.
    // They open a request by its number (RequestEditor): the number must be shown by the dataset.
    void ClearKardSale();
    void OpenKardSaleForEdit(int number);
    void ClearKardSpros();
    void OpenKardSprosForEdit(int number);
    void OpenKardSprosForEditForObmen(int number);
    // The halves' buttons: offers "Добавить", "Открыть" (and the double click), "Удалить";
    // demands the same.
    void BitBtn2Click();
    void BitBtn7Click();
    void BitBtn6Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn8Click();

    // The layouts in the data folder's "BazaGrid.ini"; done by every showing and every closing.
    void restoreLayouts();
    void storeLayouts();
    static QString layoutFileName();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *buildTopBand();
    QToolButton *viewButton(const QString &name, const QString &text, View view);
    void buildHalves();
    void chooseView();
    // Two halves: the offers half gets half the client width less 2 pixels; one half fills the width.
    void applyWidthRule();
    void centreOnParent();

    RegisterHalf *m_sale = nullptr;
    RegisterHalf *m_spros = nullptr;
    QSplitter *m_splitter = nullptr;
    QButtonGroup *m_views = nullptr;
    DBGrid *m_exchange = nullptr;
    View m_view = View::Both;
    bool m_placed = false;
};

extern TFBaza *FBaza;
