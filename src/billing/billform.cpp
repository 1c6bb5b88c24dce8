#include "billing/billform.h"

#include "app/formhelpers.h"
#include "app/longwork.h"
#include "billing/billcolumns.h"
#include "billing/billnumber.h"
#include "billing/printfile.h"
#include "billing/printreport.h"
#include "billing/sheetexport.h"
#include "common/appcontext.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "common/sharedstate.h"
#include "sheet/sheetview.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int ClientWidth = 1000;
constexpr int ClientHeight = 620;

}  // namespace

BillForm::BillForm(AppContext &context, const QString &caption, QWidget *parent)
    : QWidget(parent), Frame3(new QGroupBox(this)), DtFrom(datePicker(Frame3)), DtTo(datePicker(Frame3)),
      TxCombination(new QLineEdit(Frame3)), TxBillFrom(new QLineEdit(Frame3)), TxBillTo(new QLineEdit(Frame3)),
      Frame2(new QGroupBox(this)), CmExcel(new QPushButton(u"Export"_s, Frame2)),
      CmShow(new QPushButton(u"Show"_s, Frame2)), CmPrint(new QPushButton(u"Print"_s, Frame2)),
      CmClose(new QPushButton(u"Close"_s, Frame2)), FBook(new SheetView(this)), m_context(context)
{
    setWindowTitle(caption);
    Frame3->setObjectName(u"Frame3"_s);
    Frame2->setObjectName(u"Frame2"_s);
    FBook->setObjectName(u"FBook"_s);
    // A completed bill number ("TR/01250") stays readable whatever room the layout has left.
    for (QLineEdit *box : {TxCombination, TxBillFrom, TxBillTo})
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(u"WW/000000"_s) + 12);
    resize(ClientWidth, ClientHeight);
    setFocusProxy(DtFrom);

    connect(CmShow, &QPushButton::clicked, this, &BillForm::CmShow_Click);
    connect(CmPrint, &QPushButton::clicked, this, &BillForm::CmPrint_Click);
    connect(CmExcel, &QPushButton::clicked, this, &BillForm::CmExcel_Click);
    connect(CmClose, &QPushButton::clicked, this, &BillForm::CmClose_Click);
}

void BillForm::finishSetUp()
{
    for (QWidget *control : std::initializer_list<QWidget *>{DtFrom, DtTo, TxCombination, TxBillFrom, TxBillTo})
        control->installEventFilter(this);
    enterPressesButtons(this);
    // Form_Load: the main window centres its child windows as it opens them.
    runHandler(m_context.dialogs, [this] { SetUpGrid(); });
    DtFrom->setDate(QDate::currentDate());
    DtTo->setDate(QDate::currentDate());
}

void BillForm::layOutFilters(const QList<QList<std::pair<QString, QWidget *>>> &columns)
{
    auto *grid = new QGridLayout(Frame3);
    grid->addWidget(new QLabel(u"Bill No"_s, Frame3), 0, int(columns.size()) * 2 - 1);
    for (int column = 0; column < columns.size(); ++column) {
        for (int row = 0; row < columns[column].size(); ++row) {
            const auto &[caption, control] = columns[column][row];
            grid->addWidget(captionFor(caption, control), row + 1, column * 2);
            grid->addWidget(control, row + 1, column * 2 + 1);
        }
    }
}

BillFilter BillForm::billFilter() const
{
    BillFilter filter;
    filter.from = DtFrom->date();
    filter.to = DtTo->date();
    filter.product = TxCombination->text();
    filter.billFrom = TxBillFrom->text();
    filter.billTo = TxBillTo->text();
    filter.unitCode = m_context.state.CurrentUnitCode;
    return filter;
}

QList<QWidget *> BillForm::outputButtons() const { return {CmPrint, CmExcel}; }

void BillForm::CmShow_Click()
{
    // The grid lets window events run while it fills; a second Show then must not start over.
    if (hourglassShowing())
        return;
    if (const std::optional<QString> problem = refusal()) {
        m_context.dialogs.message(*problem);
        return;
    }
    const BusyCursor hourglass;
    const QList<QWidget *> outputs = outputButtons();
    for (QWidget *button : outputs)
        button->setEnabled(false);
    LongWork work(this, u"Generating bills"_s);
    Sheet &sheet = FBook->sheet();
    BillRun run;
    runHandler(m_context.dialogs, [&] {
        // The old bills leave the screen at once, before the server has answered anything (the
        // generation clears the rows again, with the columns of its own grid).
        sheet.clearRange(FirstBillRow, 1, sheet.rowCount(), sheet.columnCount());
        sheet.setTopRow(1);
        FBook->refresh();
        work.showNow();
        SetUpGrid();
        run = generate(sheet, work.progress());
        CurrentRow = run.currentRow;
        if (run.outcome == BillRun::Outcome::DatesRefused)
            DtTo->setFocus();
    });
    // A stopped grid is not the bills of the filters: it is neither printed nor exported.
    if (run.outcome == BillRun::Outcome::Stopped) {
        m_context.dialogs.message(Msg::BillGenerationStopped);
    } else {
        for (QWidget *button : outputs)
            button->setEnabled(true);
    }
    // The cursor goes to the last row generated, in the first column: the view shows the bill
    // numbers of the last bills instead of scrolling to the far right of the grid.
    sheet.setActiveCell(CurrentRow, 1);
}

void BillForm::CmExcel_Click()
{
    // Export does nothing at all while a long operation shows the hourglass.
    if (hourglassShowing())
        return;
    std::optional<BusyCursor> hourglass;
    std::optional<LongWork> work;
    exportSheet(
        FBook->sheet(), m_context.dialogs,
        {m_context.deployment.applicationFolder(), windowTitle(), DtFrom->date(), CurrentRow},
        [&hourglass] { hourglass.emplace(); },
        [&](int done, int total) {
            if (!work)
                work.emplace(this, u"Exporting"_s);
            return work->report(done, total);
        });
}

void BillForm::printGrid(const std::function<std::optional<QString>(const Progress &)> &print, const QString &printFile)
{
    if (hourglassShowing())
        return;
    const BusyCursor hourglass;
    LongWork work(this, u"Printing bills"_s);
    const std::optional<QString> failure = print(work.progress());
    m_context.dialogs.message(
        failure ? *failure
                : printReport(FBook->sheet(), printFilePath(m_context.deployment, printFile), m_context.deployment));
}

void BillForm::CmClose_Click() { unloadForm(this); }

void BillForm::closeEvent(QCloseEvent *event)
{
    // The window stays alive while it is at work (a click on Close arrives while the grid fills):
    // the job still works on its grid.
    if (LongWork::runningIn(this))
        event->ignore();
    else
        event->accept();
}

bool BillForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent *>(event)->key()))
        return QWidget::eventFilter(watched, event);
    if (watched == DtFrom)
        DtTo->setFocus();
    else if (watched == DtTo)
        TxCombination->setFocus();
    else if (watched == TxCombination)
        TxBillFrom->setFocus();
    else if (watched == TxBillFrom)
        completeBillNumber(TxBillFrom, TxBillTo);
    else if (watched == TxBillTo)
        completeBillNumber(TxBillTo, CmShow->isEnabled() ? CmShow : nullptr);
    // The keys are not swallowed: each control still receives what it was sent.
    return false;
}

// The user types only the running number; the unit's template supplies the rest. An empty box
// stays empty: it means no bound on the bill numbers, and completing it would make a bound that
// no bill meets. A database failure leaves the focus where it is.
void BillForm::completeBillNumber(QLineEdit *box, QWidget *next)
{
    runHandler(m_context.dialogs, [&] {
        if (box->text().trimmed().isEmpty())
            box->clear();
        else
            box->setText(
                composeBillNumber(m_context.db, m_context.dialogs, m_context.state.CurrentUnitCode, box->text()));
        if (next)
            next->setFocus();
    });
}
