#pragma once
#include <QStyledItemDelegate>

// Paints a grid column's cells on a grey background (the code columns).
class GreyCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
