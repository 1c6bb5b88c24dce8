#pragma once

#include <QWidget>

#include <functional>

class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class SheetView;
struct AppContext;
struct BillFilter;

// "Print DAVP  Bills": the unit's bills booked by DAVP, the government advertising agency, for a
// date range, generated into the preview grid, then printed in the two-copy form DAVP prescribes
// or exported. The form only collects the filters, moves the focus and calls the DAVP routines.
class frmPrintDAVPBill : public QWidget
{
    Q_OBJECT
public:
    explicit frmPrintDAVPBill(AppContext &context, QWidget *parent = nullptr);

    // The filters as the generation takes them.
    BillFilter billFilter() const;
    // The grid row last written: the header row (4) when the grid holds no bill.
    qint16 currentRow() const { return CurrentRow; }
    QSize sizeHint() const override;

    QGroupBox *Frame3;
    QDateEdit *DtFrom;
    QDateEdit *DtTo;
    QLineEdit *TxCombination;
    QLineEdit *TxBillFrom;
    QLineEdit *TxBillTo;

    QGroupBox *Frame2;
    QPushButton *CmShow;
    QPushButton *CmPrint;
    QPushButton *CmExcel;
    QPushButton *CmClose;

    SheetView *FBook;

public slots:
    void CmShow_Click();
    void CmPrint_Click();
    void CmExcel_Click();
    void CmClose_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void SetUpGrid();
    void composeBillNumber(QLineEdit *box);
    // Runs a handler's work; a database failure is shown to the user and the form stays usable.
    void guarded(const std::function<void()> &work);

    AppContext &m_context;
    qint16 CurrentRow = 4;
    bool m_generating = false;
};
