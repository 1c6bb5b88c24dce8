#pragma once

#include "sheet/sheet.h"

#include <QTableView>
#include <QTimer>

#include <climits>
#include <vector>

class SheetModel;

// The bill forms' grid: a spreadsheet-like view of the sheet it owns, with lettered columns,
// numbered rows, the cells' fonts, fills, borders and number formats, hidden columns, frozen
// rows at the top, the top-row scrolling and the active cell.
//
// The view follows the sheet at most every RefreshMs milliseconds: a generation that writes row
// after row and lets events run after each one repaints a few times a second, not per cell.
// refresh() brings the view up to date at once.
class SheetView : public QTableView
{
    Q_OBJECT
public:
    static constexpr int RefreshMs = 40;
    static constexpr int TwipsPerPixel = 15;

    explicit SheetView(QWidget *parent = nullptr);
    ~SheetView() override;

    Sheet &sheet() { return m_sheet; }
    const Sheet &sheet() const { return m_sheet; }

    void refresh();
    // Pixels of a column width in 1/256 of a character of the default font (Arial 10 pt).
    int columnPixels(int width256) const;
    QTableView *frozenView() const { return m_frozen; }  // the band of frozen rows over the top
    int frozenHeight() const;

    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Step { TopRow, ActiveCell };

    void markRows(int firstRow, int lastRow);
    void request(Step step);
    void applyLayout();
    void applyTopRow();
    void applyActiveCell();
    void placeFrozenView();

    Sheet m_sheet;
    SheetModel *m_model;
    QTableView *m_frozen = nullptr;
    QTimer m_timer;
    int m_charWidth;
    int m_dirtyFirst = INT_MAX;
    int m_dirtyLast = 0;
    bool m_layoutDirty = true;
    std::vector<Step> m_steps;  // scrolling asked for since the last refresh, in order
};
