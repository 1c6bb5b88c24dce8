#include "davp/frmprintdavpbill.h"

#include "app/formhelpers.h"
#include "billing/billgenerator.h"
#include "common/appcontext.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "davp/davpgenerator.h"
#include "davp/davpgrid.h"
#include "davp/davpprint.h"
#include "sheet/sheetview.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint16 HeaderRow = 4;

}  // namespace

frmPrintDAVPBill::frmPrintDAVPBill(AppContext &context, QWidget *parent)
    : BillForm(context, u"Print DAVP  Bills"_s, parent)
{
    // Filters left to right: the dates, the product, the bill numbers.
    layOutFilters({
        {{u"From"_s, DtFrom}, {u"To"_s, DtTo}},
        {{u"Product"_s, TxCombination}},
        {{u"From"_s, TxBillFrom}, {u"To"_s, TxBillTo}},
    });

    auto *buttons = new QHBoxLayout(Frame2);
    for (QPushButton *button : {CmShow, CmPrint, CmExcel, CmClose})
        buttons->addWidget(button);

    auto *top = new QHBoxLayout;
    top->addWidget(Frame3, 1);
    top->addWidget(Frame2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(FBook, 1);

    selectAllOnFocus({TxCombination, TxBillFrom, TxBillTo});
    // Tab follows the filters and the buttons as they stand, then goes into the grid and on round.
    setTabChain({DtFrom, DtTo, TxCombination, TxBillFrom, TxBillTo, CmShow, CmPrint, CmExcel, CmClose, FBook});
    finishSetUp();
}

void frmPrintDAVPBill::SetUpGrid()
{
    const Deployment &deployment = m_context.deployment;
    SetUpDavpGrid(FBook->sheet(), {deployment.publisherAddress, deployment.publisherPhoneFax});
    CurrentRow = HeaderRow;
}

BillRun frmPrintDAVPBill::generate(Sheet &sheet, const Progress &progress)
{
    DavpGenerator generator(m_context.db, m_context.dialogs, sheet, progress);
    return generator.GenerateDavpBills(billFilter());
}

void frmPrintDAVPBill::CmPrint_Click()
{
    printGrid(
        [this](const Progress &progress) {
            return printDavpBills(FBook->sheet(), m_context.deployment, {}, Spool::Start, progress);
        },
        QString::fromUtf16(DavpPrintFile));
}
