#pragma once
#include "search/MatchQuery.h"
#include "widgets/GridColumn.h"
#include <QDialog>
#include <memory>
#include <vector>

class DBGrid;
class Query;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;
class RequestPanel;
class Table;

// What both matching-search windows share: the starting request's panel, the
// buttons "Искать" and "Документ", the criteria list, the result header and
// grid over the result query ADOQSearch1. Modal; every showing ticks all
// criteria and empties the result.
class SearchWindow : public QDialog {
    Q_OBJECT
public:
    ~SearchWindow() override;

    // Shows the window modally, centred on its parent.
    int Execute();

    // "Искать": the query of the ticked criteria, bound from the starting request.
    void Search();
    // The double click: the found request's card, through the register's operations.
    void OpenFound();
    // "Документ": asks for the search report once there is a result.
    void Document();

    Criteria ticked() const;
    void setTicked(const Criteria &criteria);

    Query &result() const { return *m_result; }
    Table &start() const { return *m_start; }
    RequestPanel *panel() const { return m_panel; }
    DBGrid *grid() const { return DBGridEh1; }

    QPushButton *BitBtn1;    // "Искать"
    QPushButton *BitBtn2;    // "Документ"
    QListWidget *CheckListBox1;
    QCheckBox *CBNear;       // "Показать близкие варианты": unticked, the search is the designed one
    DBGrid *DBGridEh1;
    QStatusBar *StatusBar1;

signals:
    // "Документ": the search report of the starting request and the result.
    void documentRequested();

protected:
    struct Setup {
        const char *name;            // "FSearchForSale"
        QString title;
        MatchDirection direction;
        const char *startTable;      // the register's dataset of the starting request
        const char *foundTable;      // the register's dataset of the found requests
        const char *foundKey;        // "IDBazaSpros"
        QString panelTitle;
        QString resultHeader;
        QSize size;
    };
    SearchWindow(const Setup &setup, std::vector<GridColumn> columns, QWidget *parent);

    // The register's operations that clear the card and open the found request on it.
    virtual void clearCard() = 0;
    virtual void openCard(int number) = 0;

    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildControls();
    QLabel *buildHeader(const QString &text);
    void buildGrid(std::vector<GridColumn> columns);
    void nearToggled();
    void centreOnParent();

    Setup m_setup;
    Table *m_start;
    std::unique_ptr<Query> m_result;
    RequestPanel *m_panel;
};
