#include "sheet/sheetmodel.h"

#include "sheet/sheet.h"

#include <QBrush>
#include <QColor>

SheetModel::SheetModel(Sheet &sheet, QObject *parent)
    : QAbstractTableModel(parent), m_sheet(sheet), m_rows(sheet.rowCount()), m_columns(sheet.columnCount())
{
}

int SheetModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

int SheetModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_columns; }

const QFont &SheetModel::font(int styleId) const
{
    auto it = m_fonts.find(styleId);
    if (it == m_fonts.end()) {
        const Sheet::Font &f = m_sheet.styleById(styleId).font;
        QFont font(f.name);
        font.setPointSizeF(f.size);
        font.setBold(f.bold);
        font.setItalic(f.italic);
        font.setUnderline(f.underline);
        font.setStrikeOut(f.strikeOut);
        it = m_fonts.insert(styleId, font);
    }
    return *it;
}

namespace {

Qt::Alignment alignment(const Sheet::Style &style, bool number)
{
    Qt::Alignment horizontal = number ? Qt::AlignRight : Qt::AlignLeft;
    switch (style.hAlign) {
    case Sheet::HAlign::General: break;
    case Sheet::HAlign::Left: horizontal = Qt::AlignLeft; break;
    case Sheet::HAlign::Center: horizontal = Qt::AlignHCenter; break;
    case Sheet::HAlign::Right: horizontal = Qt::AlignRight; break;
    }
    Qt::Alignment vertical = Qt::AlignBottom;
    if (style.vAlign == Sheet::VAlign::Top)
        vertical = Qt::AlignTop;
    else if (style.vAlign == Sheet::VAlign::Center)
        vertical = Qt::AlignVCenter;
    return horizontal | vertical;
}

}  // namespace

QVariant SheetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    const int styleId = m_sheet.styleId(row, column);
    const Sheet::Style &style = m_sheet.styleById(styleId);
    switch (role) {
    case Qt::DisplayRole: return m_sheet.displayText(row, column);
    case Qt::FontRole: return font(styleId);
    case Qt::ForegroundRole: return QBrush(QColor::fromRgba(style.font.color));
    case Qt::BackgroundRole: return style.fill ? QVariant(QBrush(QColor::fromRgba(*style.fill))) : QVariant();
    case Qt::TextAlignmentRole: return QVariant::fromValue(alignment(style, m_sheet.isNumber(row, column)));
    case BordersRole:
        return (style.borderLeft ? Left : 0) | (style.borderRight ? Right : 0) | (style.borderTop ? Top : 0)
               | (style.borderBottom ? Bottom : 0);
    default: return {};
    }
}

QString SheetModel::columnName(int column)
{
    QString name;
    for (; column > 0; column = (column - 1) / 26)
        name.prepend(QChar(u'A' + (column - 1) % 26));
    return name;
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole)
        return orientation == Qt::Horizontal ? columnName(section + 1) : QString::number(section + 1);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags SheetModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool SheetModel::sync(int firstRow, int lastRow)
{
    if (m_sheet.columnCount() != m_columns) {
        beginResetModel();
        m_columns = m_sheet.columnCount();
        m_rows = m_sheet.rowCount();
        endResetModel();
        return true;
    }
    if (m_sheet.rowCount() > m_rows) {
        beginInsertRows({}, m_rows, m_sheet.rowCount() - 1);
        m_rows = m_sheet.rowCount();
        endInsertRows();
    }
    firstRow = std::max(firstRow, 1);
    lastRow = std::min(lastRow, m_rows);
    if (firstRow <= lastRow && m_columns > 0)
        emit dataChanged(index(firstRow - 1, 0), index(lastRow - 1, m_columns - 1));
    return false;
}
