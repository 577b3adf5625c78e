#pragma once
#include "data/Money.h"
#include <QDialog>

class Dataset;
class DBGrid;
class QAction;

// "Справочник курсов валют": the rate table by date. The latest row gives the
// program's current rates, refreshed by UpdatePeremenKurs.
class TFSprUE : public QDialog {
    Q_OBJECT
public:
    explicit TFSprUE(QWidget *parent = nullptr);
    ~TFSprUE() override;

    // Shows the window modally; returns its modal result.
    int Execute();
    // Moves to the latest row and takes its rates as the current rates.
    void UpdatePeremenKurs();

    // "Добавить": a row dated today with the latest rates (1.0000 for a rate
    // that is not above zero), stored at once; it becomes the current row.
    void N1Click();
    // "Интернет": the download window, modally.
    void N2Click();
    // "Удалить": the current row, after the question.
    void N3Click();
    // Appends a row with the date and rates and stores it; it becomes the current row.
    void appendRates(const QDate &date, Money dollar, Money euro);
    // Enter: changes the value of the current cell through an input box.
    void EditCurrentCell();

    DBGrid *grid() const { return m_grid; }

    // The row with the latest date, of several the last entered; -1 when empty.
    static int latestRow(const Dataset &rates);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    Dataset &rates();
    void bindGrid();
    void moveToLatest();
    void editDate();
    void editRate(const QString &field, const QString &title);

    DBGrid *m_grid;
    bool m_bound = false;
};

extern TFSprUE *FSprUE;
