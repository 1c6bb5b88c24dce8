#include "billing/billform.h"

#include "app/formhelpers.h"
#include "billing/billnumber.h"
#include "billing/sheetexport.h"
#include "common/appcontext.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/sharedstate.h"
#include "sheet/sheetview.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

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
    const QScopedValueRollback generating(m_generating, true);
    Sheet &sheet = FBook->sheet();
    runHandler(m_context.dialogs, [&] {
        SetUpGrid();
        const BillRun run = generate(sheet);
        CurrentRow = run.currentRow;
        if (run.outcome == BillRun::Outcome::DatesRefused)
            DtTo->setFocus();
    });
    CmPrint->setEnabled(true);
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
    exportSheet(FBook->sheet(), m_context.dialogs,
                {m_context.deployment.applicationFolder(), windowTitle(), DtFrom->date(), CurrentRow},
                [&hourglass] { hourglass.emplace(); });
}

void BillForm::CmClose_Click() { unloadForm(this); }

void BillForm::closeEvent(QCloseEvent *event)
{
    // The grid repaints while it fills, so Close can be pressed then; the form must outlive the
    // generation that writes into its grid.
    if (m_generating)
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

// The user types only the running number; the unit's template supplies the rest. A database
// failure leaves the focus where it is.
void BillForm::completeBillNumber(QLineEdit *box, QWidget *next)
{
    runHandler(m_context.dialogs, [&] {
        box->setText(composeBillNumber(m_context.db, m_context.dialogs, m_context.state.CurrentUnitCode, box->text()));
        if (next)
            next->setFocus();
    });
}
