#pragma once

#include "billing/billrow.h"

#include <QPushButton>

#include <functional>

struct AppContext;

// The "e-Invoice" button of the bill print form: its menu writes the grid's bills as documents
// for the portal ("e-Invoice documents"), as plain-paper tax invoices ("PDF"), or keeps the
// portal's answers ("Import IRP answers"). `bills` gives the bills the grid shows.
class EInvoiceButton : public QPushButton
{
    Q_OBJECT
public:
    EInvoiceButton(AppContext &context, std::function<const BillRows &()> bills, QWidget *parent);

    QAction *documentsAction;
    QAction *pdfAction;
    QAction *importAction;

    void writeDocuments();
    void writePdf();
    void importAnswers();

private:
    // The path the user chose to write a file of the kind, asked again before an existing file is
    // replaced.
    std::optional<QString> askPath(const QString &filter, const QString &proposedName, const QString &kind);

    AppContext &m_context;
    std::function<const BillRows &()> m_bills;
};
