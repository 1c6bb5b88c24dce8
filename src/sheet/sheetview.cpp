#include "sheet/sheetview.h"

#include "sheet/sheetdelegate.h"
#include "sheet/sheetmodel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QWheelEvent>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int DefaultColumnChars = 8;
constexpr int DefaultRowTwips = 255;  // Arial 10 pt
constexpr int CellPadding = 5;

void prepare(QTableView &view, QAbstractItemDelegate *delegate)
{
    view.setItemDelegate(delegate);
    view.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.setWordWrap(false);
    view.setTextElideMode(Qt::ElideNone);
    view.setSelectionMode(QAbstractItemView::ContiguousSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.horizontalHeader()->setMinimumSectionSize(1);
    view.horizontalHeader()->setHighlightSections(false);
    view.verticalHeader()->setMinimumSectionSize(1);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(DefaultRowTwips / SheetView::TwipsPerPixel);
    view.verticalHeader()->setHighlightSections(false);
}

}  // namespace

SheetView::SheetView(QWidget *parent)
    : QTableView(parent), m_model(new SheetModel(m_sheet, this)),
      m_charWidth(QFontMetrics(QFont(u"Arial"_s, 10)).averageCharWidth())
{
    auto *delegate = new SheetDelegate(this);
    prepare(*this, delegate);
    setModel(m_model);
    // Tab leaves the grid for the form's next control, as in every other control; the arrow keys
    // move from cell to cell.
    setTabKeyNavigation(false);

    m_frozen = new QTableView(this);
    prepare(*m_frozen, delegate);
    m_frozen->setModel(m_model);
    m_frozen->setSelectionModel(selectionModel());
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->setFrameShape(QFrame::NoFrame);
    m_frozen->setAutoScroll(false);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->viewport()->installEventFilter(this);
    m_frozen->hide();
    viewport()->stackUnder(m_frozen);
    connect(m_frozen->horizontalScrollBar(), &QScrollBar::valueChanged, horizontalScrollBar(), &QScrollBar::setValue);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_frozen->horizontalScrollBar(), &QScrollBar::setValue);
    // The band covers this view's column header, so widths dragged there are taken over here.
    connect(m_frozen->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) { setColumnWidth(column, size); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) { m_frozen->setColumnWidth(column, size); });

    m_timer.setSingleShot(true);
    m_timer.setInterval(RefreshMs);
    connect(&m_timer, &QTimer::timeout, this, &SheetView::refresh);
    connect(&m_sheet, &Sheet::cellsChanged, this, &SheetView::markRows);
    connect(&m_sheet, &Sheet::layoutChanged, this, [this] {
        m_layoutDirty = true;
        m_timer.start();
    });
    connect(&m_sheet, &Sheet::topRowChanged, this, [this] { request(Step::TopRow); });
    connect(&m_sheet, &Sheet::activeCellChanged, this, [this] { request(Step::ActiveCell); });
    refresh();
}

SheetView::~SheetView() = default;

int SheetView::columnPixels(int width256) const
{
    return width256 <= 0 ? 0 : qRound(width256 / 256.0 * m_charWidth) + CellPadding;
}

void SheetView::markRows(int firstRow, int lastRow)
{
    m_dirtyFirst = std::min(m_dirtyFirst, firstRow);
    m_dirtyLast = std::max(m_dirtyLast, lastRow);
    if (!m_timer.isActive())
        m_timer.start();
}

void SheetView::request(Step step)
{
    std::erase(m_steps, step);
    m_steps.push_back(step);
    if (!m_timer.isActive())
        m_timer.start();
}

void SheetView::refresh()
{
    m_timer.stop();
    const bool reset = m_model->sync(m_dirtyFirst, m_dirtyLast);
    m_dirtyFirst = INT_MAX;
    m_dirtyLast = 0;
    if (reset || m_layoutDirty) {
        applyLayout();
        m_layoutDirty = false;
    }
    for (const Step step : std::exchange(m_steps, {})) {
        if (step == Step::TopRow)
            applyTopRow();
        else
            applyActiveCell();
    }
}

void SheetView::applyLayout()
{
    const int defaultWidth = columnPixels(DefaultColumnChars * 256);
    for (QTableView *view : {static_cast<QTableView *>(this), m_frozen}) {
        view->horizontalHeader()->setDefaultSectionSize(defaultWidth);
        for (int column = 1; column <= m_model->columnCount(); ++column) {
            const std::optional<int> width = m_sheet.columnWidth(column);
            const bool hidden = width == 0;
            view->setColumnHidden(column - 1, hidden);
            if (!hidden)
                view->setColumnWidth(column - 1, width ? columnPixels(*width) : defaultWidth);
        }
        for (const auto &[row, twips] : m_sheet.rowHeights()) {
            if (row > m_model->rowCount())
                break;
            const int pixels = qRound(double(twips) / TwipsPerPixel);
            view->setRowHidden(row - 1, pixels == 0);
            if (pixels > 0)
                view->setRowHeight(row - 1, pixels);
        }
    }
    updateGeometries();
}

int SheetView::frozenHeight() const
{
    int height = 0;
    for (int row = 0; row < std::min(m_sheet.fixedRows(), m_model->rowCount()); ++row)
        height += verticalHeader()->isSectionHidden(row) ? 0 : verticalHeader()->sectionSize(row);
    return height;
}

void SheetView::placeFrozenView()
{
    if (!m_frozen)
        return;
    if (m_sheet.fixedRows() == 0) {
        m_frozen->hide();
        return;
    }
    m_frozen->verticalHeader()->setFixedWidth(verticalHeader()->width());
    m_frozen->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    m_frozen->setGeometry(frameWidth(), frameWidth(), verticalHeader()->width() + viewport()->width(),
                          horizontalHeader()->height() + frozenHeight());
    m_frozen->verticalScrollBar()->setValue(0);
    m_frozen->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    m_frozen->show();
    m_frozen->raise();
}

void SheetView::applyTopRow()
{
    const int row = m_sheet.topRow();
    int value = 0;
    if (row > m_sheet.fixedRows() && row <= m_model->rowCount())
        value = verticalHeader()->sectionPosition(row - 1) - frozenHeight();
    verticalScrollBar()->setValue(std::max(value, 0));
}

void SheetView::applyActiveCell()
{
    const int row = std::min(m_sheet.activeRow(), m_model->rowCount());
    const int column = std::min(m_sheet.activeColumn(), m_model->columnCount());
    const QModelIndex index = m_model->index(row - 1, column - 1);
    // The active cell is the cursor (a frame), not a selected block.
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::Clear);
    scrollTo(index);
}

void SheetView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    const int keep = verticalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.row() < m_sheet.fixedRows()) {
        verticalScrollBar()->setValue(keep);  // the frozen band always shows it
        return;
    }
    // A row that came to rest under the frozen band is moved just below it.
    const int top = verticalHeader()->sectionPosition(index.row()) - frozenHeight();
    if (top < verticalScrollBar()->value())
        verticalScrollBar()->setValue(top);
}

void SheetView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    placeFrozenView();
}

void SheetView::updateGeometries()
{
    QTableView::updateGeometries();
    placeFrozenView();
}

bool SheetView::eventFilter(QObject *watched, QEvent *event)
{
    // The band does not scroll: the wheel over it scrolls the rows below.
    if (m_frozen && watched == m_frozen->viewport() && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(viewport(), event);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}
