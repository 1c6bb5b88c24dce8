#include "lookup/frmlistview.h"

#include "app/formhelpers.h"
#include "common/appcontext.h"
#include "common/sharedstate.h"
#include "lookup/helprows.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int GridColumns = 11;       // column 0 is never shown; 1 to 10 hold query columns 0 to 9
constexpr int InitialGridRows = 100;  // the header row included
constexpr int GrowthRows = 10;
constexpr int ClientHeightTwips = 5010;

}  // namespace

frmListView::frmListView(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      TxtSearch(new QLineEdit(this)), GrHelp(new QTableWidget(0, GridColumns, this)), m_context(context)
{
    GrHelp->setFont(QFont(u"Tahoma"_s));
    GrHelp->verticalHeader()->hide();
    GrHelp->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GrHelp->setSelectionBehavior(QAbstractItemView::SelectRows);
    GrHelp->setSelectionMode(QAbstractItemView::SingleSelection);
    GrHelp->setColumnHidden(0, true);
    setTabOrder(TxtSearch, GrHelp);
    selectAllOnFocus({TxtSearch});
    TxtSearch->installEventFilter(this);
    GrHelp->installEventFilter(this);

    connect(TxtSearch, &QLineEdit::textChanged, this, &frmListView::TxtSearch_Change);
    connect(GrHelp, &QTableWidget::currentCellChanged, this,
            [this](int row) { storeRow(row + 1); });  // GrHelp_RowColChange
    connect(GrHelp, &QTableWidget::cellDoubleClicked, this, [this] { pickAndClose(GrHelp->currentRow() + 1); });
}

void frmListView::ShowForm(const QString &HelpQry, int DisplayFields, const QString &HelpText, int FormWidth,
                           const QList<Column> &columns)
{
    pick({HelpQry, DisplayFields, HelpText, FormWidth, columns});
}

std::optional<HelpRow> frmListView::pick(const HelpQuery &help)
{
    const QList<QStringList> rows =
        helpRows(m_context.db, help.sql, std::clamp(help.displayFields, 1, GridColumns - 1));
    if (rows.isEmpty())
        return std::nullopt;
    layOut(help.caption, help.formWidth, help.columns);
    fill(rows);
    exec();
    return m_context.state.HelpSelection;
}

void frmListView::layOut(const QString &HelpText, int FormWidth, const QList<Column> &columns)
{
    setWindowTitle(HelpText);
    const int width = twipsToPixels(FormWidth);
    const int height = twipsToPixels(ClientHeightTwips);
    setFixedSize(width, height);
    const int gridWidth = twipsToPixels(FormWidth - 80);
    const int left = std::max(0, (width - gridWidth) / 2);
    const int searchHeight = TxtSearch->sizeHint().height();
    TxtSearch->setGeometry(left, 4, gridWidth, searchHeight);
    GrHelp->setGeometry(left, searchHeight + 8, gridWidth, height - searchHeight - 12);

    QStringList captions{QString()};
    for (int column = 1; column < GridColumns; ++column) {
        const Column given = column <= columns.size() ? columns.at(column - 1) : Column();
        // The second column gives room to the grid's scroll bar.
        const int twips = column == 2 && given.width > 0 ? given.width - 450 : given.width;
        GrHelp->setColumnHidden(column, twips <= 0);
        if (twips > 0)
            GrHelp->setColumnWidth(column, twipsToPixels(twips));
        captions.append(given.caption);
    }
    GrHelp->setHorizontalHeaderLabels(captions);
    for (int column = 1; column <= 3; ++column)
        GrHelp->horizontalHeaderItem(column)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

// Grid row r (1 for the first record) is table row r - 1: the header row is the table's header.
void frmListView::fill(const QList<QStringList> &rows)
{
    const QSignalBlocker quiet(GrHelp);
    GrHelp->setRowCount(InitialGridRows - 1);
    int counter = 0;
    for (const QStringList &record : rows) {
        ++counter;
        // The grid always keeps at least one empty row after the last record.
        if (counter >= gridRowCount() - 1)
            GrHelp->setRowCount(GrHelp->rowCount() + GrowthRows);
        for (int k = 0; k < record.size(); ++k) {
            auto *item = new QTableWidgetItem(record.at(k));
            if (k < 3)
                item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            GrHelp->setItem(counter - 1, k + 1, item);
        }
    }
    GrHelp->setCurrentCell(0, 2, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int frmListView::gridRowCount() const { return GrHelp->rowCount() + 1; }

QString frmListView::cell(int row, int column) const
{
    const QTableWidgetItem *item = GrHelp->item(row - 1, column);
    return item ? item->text() : QString();
}

void frmListView::TxtSearch_Change(const QString &text)
{
    if (text.isEmpty()) {
        showRow(1);
        m_context.state.HelpSelection[0].clear();
        m_context.state.HelpSelection[1].clear();
        return;
    }
    // When nothing matches, MatchRow stays on the first empty row: Enter then picks empty texts.
    for (MatchRow = 1; MatchRow < gridRowCount(); ++MatchRow) {
        if (cell(MatchRow, 1).isEmpty())
            return;
        if (matchesHelpSearch(cell(MatchRow, 2), text)) {
            showRow(MatchRow);
            storeRow(MatchRow);
            return;
        }
    }
}

void frmListView::showRow(int row)
{
    const QModelIndex index = GrHelp->model()->index(row - 1, 2);
    GrHelp->scrollTo(index, QAbstractItemView::PositionAtTop);
    GrHelp->setCurrentCell(row - 1, 2, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void frmListView::storeRow(int row)
{
    for (int i = 0; i < 4; ++i)
        m_context.state.HelpSelection[i] = cell(row, i + 1);
}

void frmListView::pickAndClose(int row)
{
    storeRow(row);
    accept();
}

// The window sees the keys before its controls, so Esc picks whichever control has the focus.
bool frmListView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Escape) {
        pickAndClose(MatchRow);
        return true;
    }
    if (watched == TxtSearch && key->key() == Qt::Key_Down) {
        GrHelp->setFocus();
        return true;
    }
    if (isEnter(key->key())) {
        pickAndClose(watched == TxtSearch ? MatchRow : GrHelp->currentRow() + 1);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmListView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        pickAndClose(MatchRow);
    else
        QDialog::keyPressEvent(event);
}
