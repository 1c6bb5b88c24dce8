#pragma once

#include "billing/billfilter.h"
#include "billing/billgenerator.h"

#include <QWidget>

#include <functional>
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
// completed from the unit's template; Show with its progress, Stop and guard against a second
// run, Export, Close, and the refusal to close while a long job still works on the grid. Each
// form lays the controls out and supplies its own grid, generation and print.
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
    // Lays the filter frame out in columns of captioned controls, left to right. The last column,
    // the bill numbers, has a heading above it: its captions "From" and "To" are the dates' too.
    void layOutFilters(const QList<QList<std::pair<QString, QWidget *>>> &columns);

    // Lays the grid out empty, as on opening and before each Show.
    virtual void SetUpGrid() = 0;
    // Fills the grid from the filters, telling `progress` how far it got. Throws DbError.
    virtual BillRun generate(Sheet &sheet, const Progress &progress) = 0;
    // A filter that cannot be used, told to the user before the grid is touched.
    virtual std::optional<QString> refusal() const { return std::nullopt; }
    // The buttons that work on a generated grid: locked while Show runs, and after a Show that
    // was stopped, until a generation completes.
    virtual QList<QWidget *> outputButtons() const;
    // Runs a print of the grid with its progress in the status line and reports the outcome:
    // where the bills went, or why they did not. `print` returns the failure message.
    void printGrid(const std::function<std::optional<QString>(const Progress &)> &print, const QString &printFile);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    AppContext &m_context;
    qint16 CurrentRow = 4;

private:
    void completeBillNumber(QLineEdit *box, QWidget *next);
};
