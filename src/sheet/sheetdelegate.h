#pragma once

#include <QStyledItemDelegate>

// Paints a sheet cell as a spreadsheet does: thin borders where the cell's style has them, and a
// left-aligned text that is wider than its cell running on over the empty cells to its right
// (the title rows are written into column A only).
class SheetDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // The cell's rectangle widened over the empty visible cells to its right, as far as the text needs.
    QRect overflowRect(const QStyleOptionViewItem &option, const QModelIndex &index, int textWidth) const;
};
