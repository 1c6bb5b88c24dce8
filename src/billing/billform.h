#pragma once

#include "billing/billfilter.h"
#include "billing/billgenerator.h"

#include <QWidget>

#include <optional>

class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class Sheet;
class SheetView;
struct AppContext;

// What the two bill forms share: the date, product and bill-number filters, the four command
// buttons and the preview grid; the Enter key's way through the filters with the bill numbers
// completed from the unit's template; Show with its guard against a second run, Export, Close,
// and the refusal to close while a generation still writes into the grid. Each form lays the
// controls out and supplies its own grid, generation and print.
class BillForm : public QWidget
{
    Q_OBJECT
public:
    // The grid row last written: the header row (4) when the grid holds no bill.
    qint16 currentRow() const { return CurrentRow; }
    // The filters as the generation takes them: here the dates, product and bill numbers, and the
    // current unit; a form with more filters adds its own.
    virtual BillFilter billFilter() const;

    QGroupBox *Frame3;  // the filters
    QDateEdit *DtFrom;
    QDateEdit *DtTo;
    QLineEdit *TxCombination;
    QLineEdit *TxBillFrom;
    QLineEdit *TxBillTo;

    QGroupBox *Frame2;  // the buttons
    QPushButton *CmExcel;
    QPushButton *CmShow;
    QPushButton *CmPrint;
    QPushButton *CmClose;

    SheetView *FBook;

public slots:
    void CmShow_Click();
    virtual void CmPrint_Click() = 0;
    void CmExcel_Click();
    void CmClose_Click();

protected:
    BillForm(AppContext &context, const QString &caption, QWidget *parent);

    // To be called at the end of the form's constructor, once its controls are laid out.
    void finishSetUp();

    // Lays the grid out empty, as on opening and before each Show.
    virtual void SetUpGrid() = 0;
    // Fills the grid from the filters. Throws DbError.
    virtual BillRun generate(Sheet &sheet) = 0;
    // A filter that cannot be used, told to the user before the grid is touched.
    virtual std::optional<QString> refusal() const { return std::nullopt; }

    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    AppContext &m_context;
    qint16 CurrentRow = 4;

private:
    void completeBillNumber(QLineEdit *box, QWidget *next);

    bool m_generating = false;
};
