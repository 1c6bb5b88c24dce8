#pragma once

#include "billing/billform.h"

// "Print DAVP  Bills": the unit's bills booked by DAVP, the government advertising agency, for a
// date range, generated into the preview grid, then printed in the two-copy form DAVP prescribes
// or exported. The form only collects the filters, moves the focus and calls the DAVP routines.
class frmPrintDAVPBill : public BillForm
{
    Q_OBJECT
public:
    explicit frmPrintDAVPBill(AppContext &context, QWidget *parent = nullptr);

public slots:
    void CmPrint_Click() override;

protected:
    void SetUpGrid() override;
    BillRun generate(Sheet &sheet, const Progress &progress) override;
};
