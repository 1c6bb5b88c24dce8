#include "billing/frmprintbill.h"

#include "app/formhelpers.h"
#include "billing/billcolumns.h"
#include "billing/billgenerator.h"
#include "billing/billgrid.h"
#include "billing/sheetexport.h"
#include "billing/taxinvoice.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/lookups.h"
#include "common/numbers.h"
#include "common/sharedstate.h"
#include "common/textfields.h"
#include "lookup/checklistpicker.h"
#include "lookup/frmgrouplist.h"
#include "lookup/frmproductlist.h"
#include "sheet/sheetview.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScopedValueRollback>

using namespace Qt::Literals::StringLiterals;

namespace {

// The number-setup series holding a unit's bill-number template.
const QString BillNumberSeries = u"ADBL_"_s;

QLabel *label(const QString &text, QWidget *buddy)
{
    auto *caption = new QLabel(text, buddy->parentWidget());
    caption->setBuddy(buddy);
    return caption;
}

} // namespace

frmPrintBill::frmPrintBill(AppContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), CurrentRow(HeaderRow)
{
    setObjectName(CheckListPicker::PrintBillFormName);
    setWindowTitle(u"Print Bill"_s);

    buildFilterFrame();
    buildButtonFrame();
    buildSplitFrame();
    FBook = new SheetView(this);
    FBook->setObjectName(u"FBook"_s);

    auto *top = new QHBoxLayout;
    top->addWidget(Frame3);
    top->addWidget(Frame1, 1);
    top->addWidget(Frame2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(FBook, 1);
    setFocusProxy(DtFrom);
    resize(1000, 620);

    for (QWidget *control :
         std::initializer_list<QWidget *>{DtFrom, DtTo, TxCombination, TxGroup, TxBillFrom, TxBillTo})
        control->installEventFilter(this);
    selectAllOnFocus({TxCombination, TxGroup, TxBillFrom, TxBillTo, TxSplitClient, TxSplitAdd1, TxSplitAdd2,
                      TxSplitAdd3, TxSplitTotal});

    connect(CmShow, &QPushButton::clicked, this, &frmPrintBill::CmShow_Click);
    connect(CmPrint, &QPushButton::clicked, this, &frmPrintBill::CmPrint_Click);
    connect(CmExcel, &QPushButton::clicked, this, &frmPrintBill::CmExcel_Click);
    connect(CmClose, &QPushButton::clicked, this, &frmPrintBill::CmClose_Click);

    Form_Load();
}

void frmPrintBill::buildFilterFrame()
{
    Frame3 = new QGroupBox(this);
    Frame3->setObjectName(u"Frame3"_s);
    DtFrom = datePicker(Frame3);
    DtTo = datePicker(Frame3);
    TxCombination = new QLineEdit(Frame3);
    TxGroup = new QLineEdit(Frame3);
    TxBillFrom = new QLineEdit(Frame3);
    TxBillTo = new QLineEdit(Frame3);

    // Dates on the left, products and groups in the middle, bill numbers on the right.
    auto *grid = new QGridLayout(Frame3);
    const QList<QList<std::pair<QString, QWidget *>>> columns = {
        {{u"From"_s, DtFrom}, {u"To"_s, DtTo}},
        {{u"Product"_s, TxCombination}, {u"Group"_s, TxGroup}},
        {{u"From"_s, TxBillFrom}, {u"To"_s, TxBillTo}},
    };
    for (int column = 0; column < columns.size(); ++column) {
        for (int row = 0; row < columns[column].size(); ++row) {
            const auto &[caption, control] = columns[column][row];
            grid->addWidget(label(caption, control), row, column * 2);
            grid->addWidget(control, row, column * 2 + 1);
        }
    }
    grid->setRowStretch(2, 1);
}

void frmPrintBill::buildButtonFrame()
{
    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(u"Frame2"_s);
    CmExcel = new QPushButton(u"Export"_s, Frame2);
    CmShow = new QPushButton(u"Show"_s, Frame2);
    CmPrint = new QPushButton(u"Print"_s, Frame2);
    CmClose = new QPushButton(u"Close"_s, Frame2);
    auto *column = new QVBoxLayout(Frame2);
    for (QPushButton *button : {CmExcel, CmShow, CmPrint, CmClose})
        column->addWidget(button);
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
    grid->addWidget(label(u"Client"_s, TxSplitClient), 0, 0);
    grid->addWidget(TxSplitClient, 0, 1, 1, 3);
    grid->addWidget(label(u"Address 1"_s, TxSplitAdd1), 1, 0);
    grid->addWidget(TxSplitAdd1, 1, 1);
    grid->addWidget(label(u"Address 2"_s, TxSplitAdd2), 1, 2);
    grid->addWidget(TxSplitAdd2, 1, 3);
    grid->addWidget(label(u"Address3"_s, TxSplitAdd3), 2, 0);
    grid->addWidget(TxSplitAdd3, 2, 1);
    grid->addWidget(label(u"Split Total"_s, TxSplitTotal), 2, 2);
    grid->addWidget(TxSplitTotal, 2, 3);
    grid->addWidget(ChkSplitBill, 3, 1);
    grid->addWidget(ChkExchangeBill, 3, 3);
}

void frmPrintBill::Form_Load()
{
    // The main window centres its child windows as it opens them.
    guarded([this] { SetUpGrid(); });
    DtFrom->setDate(QDate::currentDate());
    DtTo->setDate(QDate::currentDate());
    CmPrint->setEnabled(false);
}

void frmPrintBill::SetUpGrid()
{
    CurrentRow = HeaderRow;
    SharedState &state = m_context.state;
    const QString productName = GetProductName(m_context.db, m_context.dialogs, state.DefaultProductCode);
    SetUpBillGrid(FBook->sheet(), productName, state.CurrentUnitName);
}

BillFilter frmPrintBill::billFilter() const
{
    BillFilter filter;
    filter.from = DtFrom->date();
    filter.to = DtTo->date();
    filter.product = TxCombination->text();
    filter.group = TxGroup->text();
    filter.billFrom = TxBillFrom->text();
    filter.billTo = TxBillTo->text();
    filter.singleSchedule = SingleScheduleMode;
    filter.split = ChkSplitBill->isChecked();
    filter.splitClient = TxSplitClient->text();
    filter.splitAdd1 = TxSplitAdd1->text();
    filter.splitAdd2 = TxSplitAdd2->text();
    filter.splitAdd3 = TxSplitAdd3->text();
    filter.splitTotal = TxSplitTotal->text();
    filter.exchange = ChkExchangeBill->isChecked();
    filter.unitCode = m_context.state.CurrentUnitCode;
    return filter;
}

void frmPrintBill::CmShow_Click()
{
    // The grid lets window events run while it fills; a second Show then must not start over.
    if (hourglassShowing())
        return;
    const BillFilter filter = billFilter();
    // A group list or split total that cannot be used is refused before the grid is touched.
    if (const std::optional<QString> problem = checkBillFilter(filter)) {
        m_context.dialogs.message(*problem);
        return;
    }
    const BusyCursor hourglass;
    const QScopedValueRollback generating(m_generating, true);
    Sheet &sheet = FBook->sheet();
    guarded([&] {
        SetUpGrid();
        BillGenerator generator(m_context.db, m_context.dialogs, sheet, letWindowEventsRun());
        const BillRun run = generator.generate(filter);
        CurrentRow = run.currentRow;
        if (run.outcome == BillRun::Outcome::DatesRefused)
            DtTo->setFocus();
    });
    CmPrint->setEnabled(true);
    // The cursor goes to the bottom-right corner of what was generated; the corner of the whole
    // sheet would scroll the view tens of thousands of rows past the bills.
    sheet.setActiveCell(CurrentRow, sheet.columnCount());
}

void frmPrintBill::CmPrint_Click()
{
    CmShow->setEnabled(true);
    if (const std::optional<QString> failure = printTaxInvoices(FBook->sheet(), m_context.deployment))
        m_context.dialogs.message(*failure);
}

void frmPrintBill::CmExcel_Click()
{
    // Export does nothing at all while a long operation shows the hourglass.
    if (hourglassShowing())
        return;
    std::optional<BusyCursor> hourglass;
    exportSheet(FBook->sheet(), m_context.dialogs,
                {m_context.deployment.applicationFolder(), windowTitle(), DtFrom->date(), CurrentRow},
                [&hourglass] { hourglass.emplace(); });
}

void frmPrintBill::CmClose_Click()
{
    unloadForm(this);
}

void frmPrintBill::closeEvent(QCloseEvent *event)
{
    // The grid repaints while it fills, so Close can be pressed then; the form must outlive the
    // generation that writes into its grid.
    if (m_generating) {
        event->ignore();
        return;
    }
    SingleScheduleMode = false;
    event->accept();
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
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (watched == DtFrom && isEnter(key)) {
        DtTo->setFocus();
    } else if (watched == DtTo && isEnter(key)) {
        TxCombination->setFocus();
    } else if (watched == TxCombination && key == Qt::Key_F1) {
        pickProducts();
    } else if (watched == TxCombination && isEnter(key)) {
        TxBillFrom->setFocus();
    } else if (watched == TxGroup && key == Qt::Key_F1) {
        pickGroups();
    } else if (watched == TxGroup && key == Qt::Key_Delete) {
        TxGroup->clear();
    } else if (watched == TxBillFrom && isEnter(key)) {
        guarded([this] {
            composeBillNumber(TxBillFrom);
            TxBillTo->setFocus();
        });
    } else if (watched == TxBillTo && isEnter(key)) {
        guarded([this] {
            composeBillNumber(TxBillTo);
            if (CmShow->isEnabled())
                CmShow->setFocus();
        });
    }
    // The keys are not swallowed: each control still receives what it was sent.
    return false;
}

void frmPrintBill::composeBillNumber(QLineEdit *box)
{
    // The user types only the running number; the unit's template supplies the rest.
    const QString billTemplate =
        GetNumberSetup(m_context.db, m_context.dialogs, BillNumberSeries + m_context.state.CurrentUnitCode);
    box->setText(ComposeCode(billTemplate, box->text()));
}

void frmPrintBill::pickProducts()
{
    guarded([this] {
        if (const std::optional<QString> codes = frmProductList::SetForm(objectName(), this, m_context.db))
            TxCombination->setText(*codes);
    });
}

void frmPrintBill::pickGroups()
{
    guarded([this] {
        if (const std::optional<QString> codes = frmGroupList::SetForm(objectName(), this, m_context.db))
            TxGroup->setText(*codes);
    });
}

void frmPrintBill::guarded(const std::function<void()> &work)
{
    try {
        work();
    } catch (const DbError &error) {
        m_context.dialogs.message(error.text(), Dialogs::Icon::Critical);
    }
}
