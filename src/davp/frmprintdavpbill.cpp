#include "davp/frmprintdavpbill.h"

#include "app/formhelpers.h"
#include "billing/billfilter.h"
#include "billing/billgenerator.h"
#include "billing/sheetexport.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/lookups.h"
#include "common/sharedstate.h"
#include "common/textfields.h"
#include "davp/davpgenerator.h"
#include "davp/davpgrid.h"
#include "davp/davpprint.h"
#include "sheet/sheetview.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

// The number-setup series holding a unit's bill-number template.
const QString BillNumberSeries = u"ADBL_"_s;

constexpr qint16 HeaderRow = 4;

}  // namespace

frmPrintDAVPBill::frmPrintDAVPBill(AppContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setWindowTitle(u"Print DAVP  Bills"_s);

    // Filters left to right: the dates, the product, the bill numbers.
    Frame3 = new QGroupBox(this);
    DtFrom = datePicker(Frame3);
    DtTo = datePicker(Frame3);
    TxCombination = new QLineEdit(Frame3);
    TxBillFrom = new QLineEdit(Frame3);
    TxBillTo = new QLineEdit(Frame3);
    auto *filters = new QHBoxLayout(Frame3);
    const QList<QList<std::pair<QString, QWidget *>>> columns = {
        {{u"From"_s, DtFrom}, {u"To"_s, DtTo}},
        {{u"Product"_s, TxCombination}},
        {{u"From"_s, TxBillFrom}, {u"To"_s, TxBillTo}},
    };
    for (const auto &column : columns) {
        auto *form = new QFormLayout;
        for (const auto &[caption, control] : column)
            form->addRow(caption, control);
        filters->addLayout(form);
    }

    Frame2 = new QGroupBox(this);
    CmShow = new QPushButton(u"Show"_s, Frame2);
    CmPrint = new QPushButton(u"Print"_s, Frame2);
    CmExcel = new QPushButton(u"Export"_s, Frame2);
    CmClose = new QPushButton(u"Close"_s, Frame2);
    auto *buttons = new QHBoxLayout(Frame2);
    for (QPushButton *button : {CmShow, CmPrint, CmExcel, CmClose})
        buttons->addWidget(button);

    FBook = new SheetView(this);
    auto *top = new QHBoxLayout;
    top->addWidget(Frame3, 1);
    top->addWidget(Frame2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(FBook, 1);

    selectAllOnFocus({TxCombination, TxBillFrom, TxBillTo});
    for (QWidget *control : std::initializer_list<QWidget *>{DtFrom, DtTo, TxCombination, TxBillFrom, TxBillTo})
        control->installEventFilter(this);
    connect(CmShow, &QPushButton::clicked, this, &frmPrintDAVPBill::CmShow_Click);
    connect(CmPrint, &QPushButton::clicked, this, &frmPrintDAVPBill::CmPrint_Click);
    connect(CmExcel, &QPushButton::clicked, this, &frmPrintDAVPBill::CmExcel_Click);
    connect(CmClose, &QPushButton::clicked, this, &frmPrintDAVPBill::CmClose_Click);

    Form_Load();
}

QSize frmPrintDAVPBill::sizeHint() const { return {1000, 620}; }

void frmPrintDAVPBill::Form_Load()
{
    // The main window centres its child windows as it opens them.
    SetUpGrid();
    DtFrom->setDate(QDate::currentDate());
    DtTo->setDate(QDate::currentDate());
}

void frmPrintDAVPBill::SetUpGrid()
{
    const Deployment &deployment = m_context.deployment;
    SetUpDavpGrid(FBook->sheet(), {deployment.publisherAddress, deployment.publisherPhoneFax});
    CurrentRow = HeaderRow;
}

BillFilter frmPrintDAVPBill::billFilter() const
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

void frmPrintDAVPBill::CmShow_Click()
{
    // The grid lets window events run while it fills; a second Show then must not start over.
    if (hourglassShowing())
        return;
    const BusyCursor hourglass;
    const QScopedValueRollback generating(m_generating, true);
    Sheet &sheet = FBook->sheet();
    SetUpGrid();
    guarded([&] {
        DavpGenerator generator(m_context.db, m_context.dialogs, sheet, letWindowEventsRun());
        const BillRun run = generator.GenerateDavpBills(billFilter());
        CurrentRow = run.currentRow;
        if (run.outcome == BillRun::Outcome::DatesRefused)
            DtTo->setFocus();
    });
    // The cursor goes to the bottom-right corner of what was generated; the corner of the whole
    // sheet would scroll the view tens of thousands of rows past the bills.
    sheet.setActiveCell(CurrentRow, sheet.columnCount());
}

void frmPrintDAVPBill::CmPrint_Click()
{
    if (const std::optional<QString> failure = printDavpBills(FBook->sheet(), m_context.deployment))
        m_context.dialogs.message(*failure);
}

void frmPrintDAVPBill::CmExcel_Click()
{
    // Nothing happens while a long operation shows the hourglass.
    if (hourglassShowing())
        return;
    const BusyCursor hourglass;
    exportSheet(FBook->sheet(), m_context.dialogs,
                {m_context.deployment.applicationFolder(), windowTitle(), DtFrom->date(), CurrentRow});
}

void frmPrintDAVPBill::CmClose_Click() { unloadForm(this); }

void frmPrintDAVPBill::closeEvent(QCloseEvent *event)
{
    // The grid repaints while it fills, so Close can be pressed then; the form must outlive the
    // generation that writes into its grid.
    if (m_generating)
        event->ignore();
    else
        event->accept();
}

bool frmPrintDAVPBill::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent *>(event)->key()))
        return QWidget::eventFilter(watched, event);
    if (watched == DtFrom) {
        DtTo->setFocus();
    } else if (watched == DtTo) {
        TxCombination->setFocus();
    } else if (watched == TxCombination) {
        TxBillFrom->setFocus();
    } else if (watched == TxBillFrom) {
        guarded([this] { composeBillNumber(TxBillFrom); });
        TxBillTo->setFocus();
    } else if (watched == TxBillTo) {
        guarded([this] { composeBillNumber(TxBillTo); });
        CmShow->setFocus();
    }
    // The keys are not swallowed: each control still receives what it was sent.
    return false;
}

void frmPrintDAVPBill::composeBillNumber(QLineEdit *box)
{
    // The user types only the running number; the unit's template supplies the rest.
    const QString billTemplate =
        GetNumberSetup(m_context.db, m_context.dialogs, BillNumberSeries + m_context.state.CurrentUnitCode);
    box->setText(ComposeCode(billTemplate, box->text()));
}

void frmPrintDAVPBill::guarded(const std::function<void()> &work)
{
    try {
        work();
    } catch (const DbError &error) {
        m_context.dialogs.message(error.text(), Dialogs::Icon::Critical);
    }
}
