#pragma once
#include <QDialog>
#include <QString>
#include <array>

class Dataset;
class DBGrid;

// "Справочник городов, районов, улиц": towns, districts and streets, each with
// its own grid and tool bar; also the address picker of the cards, which ends
// with the modal result 6 on a street.
class TFSprAdress : public QDialog {
    Q_OBJECT
public:
    enum List { Towns, Districts, Streets };

    explicit TFSprAdress(QWidget *parent = nullptr);
    ~TFSprAdress() override;

    // Shows the window modally, the towns grid focused; a title given here
    // holds for this opening only. Returns the modal result (6: a street chosen).
    int Execute(const QString &title = {});
    static QString defaultTitle();

    void Add(List list);
    void Change(List list);
    void Remove(List list);
    // A double click or Enter in a grid: on to the next grid, or the choice on a street.
    void GoOn(List list);

    DBGrid *grid(List list) const { return m_grids[list]; }
    Dataset &dataset(List list) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildBlock(List list);
    QWidget *buildStreetsSide();

    std::array<DBGrid *, 3> m_grids{};
};

extern TFSprAdress *FSprAdress;
