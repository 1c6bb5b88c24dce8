#include "billing/frmprintbill.h"

#include "app/formhelpers.h"
#include "billing/billcolumns.h"
#include "billing/billgenerator.h"
#include "billing/billgrid.h"
#include "billing/printfile.h"
#include "billing/taxinvoice.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/lookups.h"
#include "common/numbers.h"
#include "common/sharedstate.h"
#include "einvoice/einvoicebutton.h"
#include "einvoice/einvoicestatus.h"
#include "einvoice/einvoicestore.h"
#include "gst/gstr1window.h"
#include "lookup/checklistpicker.h"
#include "lookup/frmgrouplist.h"
#include "lookup/frmproductlist.h"
#include "sheet/sheetview.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

frmPrintBill::frmPrintBill(AppContext &context, QWidget *parent)
    : BillForm(context, u"Print Bill"_s, parent), TxGroup(new QLineEdit(Frame3))
{
    setObjectName(CheckListPicker::PrintBillFormName);

    buildFilterFrame();
    buildButtonFrame();
    buildSplitFrame();

    auto *top = new QHBoxLayout;
    top->addWidget(Frame3, 0, Qt::AlignTop);
    top->addWidget(Frame1, 1);
    top->addWidget(Frame2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(FBook, 1);

    TxGroup->installEventFilter(this);
    selectAllOnFocus({TxCombination, TxGroup, TxBillFrom, TxBillTo, TxSplitClient, TxSplitAdd1, TxSplitAdd2,
                      TxSplitAdd3, TxSplitTotal});
    setTabOrders();
    finishSetUp();
    CmPrint->setEnabled(false);
}

void frmPrintBill::buildFilterFrame()
{
    // Dates on the left, products and groups in the middle, bill numbers on the right.
    layOutFilters({
        {{u"From"_s, DtFrom}, {u"To"_s, DtTo}},
        {{u"Product"_s, TxCombination}, {u"Group"_s, TxGroup}},
        {{u"From"_s, TxBillFrom}, {u"To"_s, TxBillTo}},
    });
}

void frmPrintBill::buildButtonFrame()
{
    CmEInvoice = new EInvoiceButton(
        m_context, [this]() -> const BillRows & { return m_bills; }, Frame2);
    mnuGstr1 = CmEInvoice->menu()->addAction(u"GSTR-1 for the month"_s, this,
                                             [this] { writeGstr1FromWindow(m_context, this, DtFrom->date()); });
    LbEInvoiceStatus = new QLabel(Frame2);
    LbEInvoiceStatus->setObjectName(u"LbEInvoiceStatus"_s);
    auto *column = new QVBoxLayout(Frame2);
    for (QPushButton *button : {CmExcel, static_cast<QPushButton *>(CmEInvoice), CmShow, CmPrint, CmClose})
        column->addWidget(button);
    column->addWidget(LbEInvoiceStatus);
}

void frmPrintBill::buildSplitFrame()
{
    Frame1 = new QGroupBox(u"Split Details"_s, this);
    Frame1->setObjectName(u"Frame1"_s);
    TxSplitClient = new QLineEdit(Frame1);
    TxSplitAdd1 = new QLineEdit(Frame1);
    TxSplitAdd2 = new QLineEdit(Frame1);
    TxSplitAdd3 = new QLineEdit(Frame1);
    TxSplitTotal = new QLineEdit(Frame1);
    TxSplitTotal->setFont(QFont(u"Times New Roman"_s));
    ChkSplitBill = new QCheckBox(u"Print Split Bill"_s, Frame1);
    ChkExchangeBill = new QCheckBox(u"Print Exchange Bill"_s, Frame1);

    auto *grid = new QGridLayout(Frame1);
    grid->addWidget(captionFor(u"Client"_s, TxSplitClient), 0, 0);
    grid->addWidget(TxSplitClient, 0, 1, 1, 3);
    grid->addWidget(captionFor(u"Address 1"_s, TxSplitAdd1), 1, 0);
    grid->addWidget(TxSplitAdd1, 1, 1);
    grid->addWidget(captionFor(u"Address 2"_s, TxSplitAdd2), 1, 2);
    grid->addWidget(TxSplitAdd2, 1, 3);
    grid->addWidget(captionFor(u"Address3"_s, TxSplitAdd3), 2, 0);
    grid->addWidget(TxSplitAdd3, 2, 1);
    grid->addWidget(captionFor(u"Split Total"_s, TxSplitTotal), 2, 2);
    grid->addWidget(TxSplitTotal, 2, 3);
    grid->addWidget(ChkSplitBill, 3, 1);
    grid->addWidget(ChkExchangeBill, 3, 3);
}

void frmPrintBill::SetUpGrid()
{
    CurrentRow = HeaderRow;
    SharedState &state = m_context.state;
    const QString productName = GetProductName(m_context.db, m_context.dialogs, state.DefaultProductCode);
    SetUpBillGrid(FBook->sheet(), productName, state.CurrentUnitName);
    m_bills.clear();
    LbEInvoiceStatus->clear();
}

BillFilter frmPrintBill::billFilter() const
{
    BillFilter filter = BillForm::billFilter();
    filter.group = TxGroup->text();
    filter.singleSchedule = SingleScheduleMode;
    filter.split = ChkSplitBill->isChecked();
    filter.splitClient = TxSplitClient->text();
    filter.splitAdd1 = TxSplitAdd1->text();
    filter.splitAdd2 = TxSplitAdd2->text();
    filter.splitAdd3 = TxSplitAdd3->text();
    filter.splitTotal = TxSplitTotal->text();
    filter.exchange = ChkExchangeBill->isChecked();
    return filter;
}

std::optional<QString> frmPrintBill::refusal() const
{
    // A group list or split total that cannot be used is refused before the grid is touched.
    return checkBillFilter(billFilter());
}

BillRun frmPrintBill::generate(Sheet &sheet, const Progress &progress)
{
    BillGenerator generator(m_context.db, m_context.dialogs, sheet, m_bills, progress);
    const BillRun run = generator.generate(billFilter());
    LbEInvoiceStatus->setText(einvoiceStatusSummary(m_bills, EInvoiceStore(m_context.db).registrationsOf(m_bills)));
    return run;
}

QList<QWidget *> frmPrintBill::outputButtons() const { return BillForm::outputButtons() << CmEInvoice; }

void frmPrintBill::CmPrint_Click()
{
    CmShow->setEnabled(true);
    printGrid(
        [this](const Progress &progress) {
            return printTaxInvoices(m_bills, m_context.deployment, {}, Spool::Start, progress);
        },
        QString::fromUtf16(TaxInvoicePrintFile));
}

// Tab goes through the frames as they stand, left to right, then into the grid and from there
// back to the dates.
void frmPrintBill::setTabOrders()
{
    setTabChain({DtFrom, DtTo, TxCombination, TxGroup, TxBillFrom, TxBillTo, TxSplitClient, TxSplitAdd1, TxSplitAdd2,
                 TxSplitAdd3, TxSplitTotal, ChkSplitBill, ChkExchangeBill, CmExcel, CmEInvoice, CmShow, CmPrint,
                 CmClose, FBook});
}

void frmPrintBill::closeEvent(QCloseEvent *event)
{
    BillForm::closeEvent(event);
    if (event->isAccepted())
        SingleScheduleMode = false;
}

void frmPrintBill::GetDetails(const QString &Schno)
{
    openForSchedule(Schno);
    showForm();
}

void frmPrintBill::GetSplitDetails(const QString &Schno, const QString &xClientName, const QString &xAdd1,
                                   const QString &xadd2, const QString &xAdd3, double xTotal)
{
    openForSchedule(Schno);
    ChkSplitBill->setChecked(true);
    TxSplitClient->setText(xClientName);
    TxSplitAdd1->setText(xAdd1);
    TxSplitAdd2->setText(xadd2);
    TxSplitAdd3->setText(xAdd3);
    TxSplitTotal->setText(shortestText(xTotal));
    showForm();
}

void frmPrintBill::openForSchedule(const QString &Schno)
{
    SingleScheduleMode = true;
    TxBillFrom->setText(Schno);
    TxBillTo->setText(Schno);
    TxBillFrom->setEnabled(false);
    TxBillTo->setEnabled(false);
}

void frmPrintBill::showForm()
{
    QWidget *window = this;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        window = sub;
    window->show();
    window->raise();
    window->activateWindow();
    setFocus();
}

bool frmPrintBill::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == TxCombination && key == Qt::Key_F1)
            pickProducts();
        else if (watched == TxGroup && key == Qt::Key_F1)
            pickGroups();
        else if (watched == TxGroup && key == Qt::Key_Delete)
            TxGroup->clear();
    }
    return BillForm::eventFilter(watched, event);
}

void frmPrintBill::pickProducts()
{
    runHandler(m_context.dialogs, [this] {
        if (const std::optional<QString> codes = frmProductList::SetForm(objectName(), this, m_context.db))
            TxCombination->setText(*codes);
    });
}

void frmPrintBill::pickGroups()
{
    runHandler(m_context.dialogs, [this] {
        if (const std::optional<QString> codes = frmGroupList::SetForm(objectName(), this, m_context.db))
            TxGroup->setText(*codes);
    });
}
