#pragma once
#include <QHeaderView>

// A horizontal header that draws "Group|Title" titles in two levels: adjacent
// visible columns with the same group share one heading cell above their own
// titles. Titles wrap at their blanks ("Ком нат").
class TwoLevelHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TwoLevelHeader(QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    QString title(int logical) const;
    QRect groupRect(int logical, const QString &group, const QRect &sectionRect) const;
    void drawCell(QPainter *painter, const QRect &rect, const QString &text) const;
};
