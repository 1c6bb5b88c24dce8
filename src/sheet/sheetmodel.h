#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QHash>

class Sheet;

// Shows a sheet to Qt's item views: row i, column j of the model are the sheet's row i + 1,
// column j + 1. The model offers every row of the sheet (its row count) and its column count.
// Changes of the sheet are not passed on one by one: the view collects them and calls sync(),
// which sends one dataChanged for the block of rows that changed.
class SheetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role { BordersRole = Qt::UserRole + 1 };  // bits: 1 left, 2 right, 4 top, 8 bottom
    enum Border { Left = 1, Right = 2, Top = 4, Bottom = 8 };

    explicit SheetModel(Sheet &sheet, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Takes over the sheet's row and column counts and announces the rows firstRow..lastRow
    // (sheet numbering) as changed. Returns true when the columns changed (the views reset).
    bool sync(int firstRow, int lastRow);

    static QString columnName(int column);  // 1 -> "A", 27 -> "AA"

private:
    const QFont &font(int styleId) const;

    Sheet &m_sheet;
    int m_rows;
    int m_columns;
    mutable QHash<int, QFont> m_fonts;  // by style id; the sheet never changes a style of an id
};
