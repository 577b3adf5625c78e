#pragma once
#include "widgets/GridColumn.h"
#include <QWidget>
#include <vector>

class DBGrid;
class Dataset;
class QCheckBox;
class QLabel;
class QToolButton;

// One half of the register window: header, sub-header, toolbar, the grid over
// a shared dataset, and the bottom bar with the cell-value filter.
class RegisterHalf : public QWidget {
    Q_OBJECT
public:
    struct Texts {
        QString suffix;          // of the controls' names: "Sale", "Spros"
        QString gridName;        // "DBGridEh1"
        QString header;          // " Продажа"
        QString subHeader;
        QString filterCaption;   // the check box
        QString filterMessage;   // the start of the filter's information message
        QString chooserCaption;  // the column chooser's header caption
    };

    RegisterHalf(const Texts &texts, std::vector<GridColumn> columns, Dataset *dataset, QWidget *parent = nullptr);

    DBGrid *grid() const { return m_grid; }
    QCheckBox *filterBox() const { return m_filter; }

    // The colours of the bands.
    static QColor headerColour();
    static QColor desktopColour();

signals:
    void addRequested();
    // "Открыть" or a double click on a row.
    void openRequested();
    void deleteRequested();
    // "Поиск": the matching search from the grid's current request.
    void searchRequested();
    // "Документ": the list report of what the grid shows.
    void documentRequested();

private:
    QLabel *band(const QString &name, const QString &text, const QColor &back, const QColor &fore, int pointSize);
    QWidget *buildToolbar();
    QWidget *buildBottomBar();
    QToolButton *toolButton(QWidget *bar, const QString &name, const QString &text);
    void sortByTitle(int logical);
    void filterToggled();

    Texts m_texts;
    DBGrid *m_grid;
    QCheckBox *m_filter = nullptr;
};
