#pragma once
#include <QWidget>

class QLabel;
class QListWidget;
class QToolButton;

// The column chooser: a tick list of texts under a header caption. It knows
// nothing of grids; its caller fills it, shows it modally and reads the ticks
// once it is closed (closing always applies).
class TFSelectColShow : public QWidget {
    Q_OBJECT
public:
    explicit TFSelectColShow(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const;

    void clearItems();
    void addItem(const QString &text, bool ticked);
    int itemCount() const;
    QString itemText(int index) const;
    bool isTicked(int index) const;
    void setTicked(int index, bool ticked);

    void selectAll();
    void unselectAll();
    void invertSelection();

protected:
    void showEvent(QShowEvent *event) override;
    // Esc closes the window as its close button does: the ticks are taken.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *buildHeader();
    QToolButton *pictureButton(const QString &name, const QString &hint, int icon);
    void setAll(bool ticked);

    QLabel *m_caption;
    QListWidget *m_list;
};

extern TFSelectColShow *FSelectColShow;
