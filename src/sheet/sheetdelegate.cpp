#include "sheet/sheetdelegate.h"

#include "sheet/sheetmodel.h"

#include <QApplication>
#include <QPainter>
#include <QTableView>

namespace {

constexpr int TextMargin = 3;

}  // namespace

QRect SheetDelegate::overflowRect(const QStyleOptionViewItem &option, const QModelIndex &index, int textWidth) const
{
    QRect rect = option.rect;
    const auto *view = qobject_cast<const QTableView *>(option.widget);
    if (!view)
        return rect;
    const QAbstractItemModel *model = index.model();
    for (int column = index.column() + 1; rect.width() < textWidth && column < model->columnCount(); ++column) {
        if (view->isColumnHidden(column))
            continue;
        if (!model->index(index.row(), column).data(Qt::DisplayRole).toString().isEmpty())
            break;
        rect.setRight(rect.right() + view->columnWidth(column));
    }
    return rect;
}

void SheetDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    const int textWidth = opt.fontMetrics.horizontalAdvance(text) + 2 * TextMargin;
    // A selected cell keeps its text inside: the highlight colour would vanish over its neighbours.
    const bool overflows =
        (opt.displayAlignment & Qt::AlignLeft) && textWidth > opt.rect.width() && !(opt.state & QStyle::State_Selected);
    if (overflows) {
        opt.text.clear();
        const QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        const QRect wide = overflowRect(option, index, textWidth);
        painter->save();
        painter->setClipRect(wide);
        painter->setFont(opt.font);
        const QVariant foreground = index.data(Qt::ForegroundRole);
        painter->setPen(foreground.isValid() ? foreground.value<QBrush>().color() : opt.palette.color(QPalette::Text));
        painter->drawText(wide.adjusted(TextMargin, 0, -TextMargin, 0), int(opt.displayAlignment), text);
        painter->restore();
    } else {
        QStyledItemDelegate::paint(painter, option, index);
    }

    const int borders = index.data(SheetModel::BordersRole).toInt();
    if (borders == 0)
        return;
    painter->save();
    painter->setPen(QPen(Qt::black, 1));
    const QRect r = option.rect;
    if (borders & SheetModel::Left)
        painter->drawLine(r.topLeft(), r.bottomLeft());
    if (borders & SheetModel::Right)
        painter->drawLine(r.topRight(), r.bottomRight());
    if (borders & SheetModel::Top)
        painter->drawLine(r.topLeft(), r.topRight());
    if (borders & SheetModel::Bottom)
        painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->restore();
}
