#pragma once

#include "billing/billfilter.h"
#include "billing/billform.h"
#include "billing/billrow.h"

class EInvoiceButton;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// "Print Bill": the unit's bills for a date range (or one schedule) generated into the preview
// grid, then printed as tax invoices or exported. The form only collects the filters, moves the
// focus and calls the billing routines.
class frmPrintBill : public BillForm
{
    Q_OBJECT
public:
    explicit frmPrintBill(AppContext &context, QWidget *parent = nullptr);

    // Opens the form for the bill of one schedule: its number fills both bill-number boxes, which
    // stay locked until the form closes.
    void GetDetails(const QString &Schno);
    // The same for the split share of one schedule, billed to the given client and amount.
    void GetSplitDetails(const QString &Schno, const QString &xClientName, const QString &xAdd1, const QString &xadd2,
                         const QString &xAdd3, double xTotal);

    // The filters and split frame as the generation takes them.
    BillFilter billFilter() const override;
    bool singleScheduleMode() const { return SingleScheduleMode; }

    QLineEdit *TxGroup;
    EInvoiceButton *CmEInvoice;  // the grid's bills as e-invoice documents or PDF, and the portal's answers
    QAction *mnuGstr1;           // on CmEInvoice's menu: GSTR-1 for the month of the From date
    QLabel *LbEInvoiceStatus;    // how many of the grid's bills are registered

    QGroupBox *Frame1;
    QLineEdit *TxSplitClient;
    QLineEdit *TxSplitAdd1;
    QLineEdit *TxSplitAdd2;
    QLineEdit *TxSplitAdd3;
    QLineEdit *TxSplitTotal;
    QCheckBox *ChkSplitBill;
    QCheckBox *ChkExchangeBill;  // runs the exchange bills when the split bill is not ticked

public slots:
    void CmPrint_Click() override;

protected:
    void SetUpGrid() override;
    BillRun generate(Sheet &sheet, const Progress &progress) override;
    std::optional<QString> refusal() const override;
    QList<QWidget *> outputButtons() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildFilterFrame();
    void buildButtonFrame();
    void buildSplitFrame();
    void setTabOrders();
    void openForSchedule(const QString &Schno);
    void showForm();
    void pickProducts();
    void pickGroups();

    bool SingleScheduleMode = false;
    BillRows m_bills;  // the bills the grid shows, as generation composed them
};
