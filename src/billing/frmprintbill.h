#pragma once

#include "billing/billfilter.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class SheetView;
struct AppContext;

// "Print Bill": the unit's bills for a date range (or one schedule) generated into the preview
// grid, then printed as tax invoices or exported. The form only collects the filters, moves the
// focus and calls the billing routines.
class frmPrintBill : public QWidget
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
    BillFilter billFilter() const;
    // The grid row last written: HeaderRow when the grid holds no bill.
    qint16 currentRow() const { return CurrentRow; }
    bool singleScheduleMode() const { return SingleScheduleMode; }

    QGroupBox *Frame3;
    QDateEdit *DtFrom;
    QDateEdit *DtTo;
    QLineEdit *TxCombination;
    QLineEdit *TxGroup;
    QLineEdit *TxBillFrom;
    QLineEdit *TxBillTo;

    QGroupBox *Frame2;
    QPushButton *CmExcel;
    QPushButton *CmShow;
    QPushButton *CmPrint;
    QPushButton *CmClose;

    SheetView *FBook;

    QGroupBox *Frame1;
    QLineEdit *TxSplitClient;
    QLineEdit *TxSplitAdd1;
    QLineEdit *TxSplitAdd2;
    QLineEdit *TxSplitAdd3;
    QLineEdit *TxSplitTotal;
    QCheckBox *ChkSplitBill;
    QCheckBox *ChkExchangeBill; // runs the exchange bills when the split bill is not ticked

public slots:
    void CmShow_Click();
    void CmPrint_Click();
    void CmExcel_Click();
    void CmClose_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildFilterFrame();
    void buildButtonFrame();
    void buildSplitFrame();
    void Form_Load();
    void SetUpGrid();
    void openForSchedule(const QString &Schno);
    void showForm();
    void composeBillNumber(QLineEdit *box);
    void pickProducts();
    void pickGroups();
    // Runs a handler's work; a database failure is shown to the user and the form stays usable.
    void guarded(const std::function<void()> &work);

    AppContext &m_context;
    qint16 CurrentRow;
    bool SingleScheduleMode = false;
    bool m_generating = false;
};
