#include "directories/GreyCellDelegate.h"

void GreyCellDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->backgroundBrush = QColor(0xc0, 0xc0, 0xc0);
}
