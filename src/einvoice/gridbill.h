#pragma once

#include <QDate>
#include <QList>
#include <QString>

class Sheet;

// An amount in paise, so that sums and differences are exact.
using Paise = qint64;

// The decimal text of an amount in paise: 123456 -> "1234.56", -5 -> "-0.05".
QString paiseText(Paise amount);
// An amount of the grid in paise: a two-decimal text or a number cell, an exact half of a paisa
// away from zero; empty or not a number gives 0.
Paise paiseOf(const QString &gridText);

// What the e-invoice documents and the plain-paper invoice take from one bill row of the grid:
// the same cells that Print reads, under their meanings.
struct GridBill
{
    int row = 0;
    QString billNo;
    QDate billDate;        // invalid when the cell holds no date
    QString billDateText;  // the cell as shown
    QString agentCode;
    QString agencyName;
    QStringList agencyAddress;  // address lines 1 to 3, empty ones left out
    QString subName;            // the agency's sub-area: the place of supply on the printed invoice
    QString gstin;              // the agency's (or client's) GSTIN; "NA" or empty when there is none
    QString pan;
    QString products;  // FSH: billed by the second company
    QString edition;
    QString companyCin;
    QString companyGstin;
    QString insertionDate;
    QString roNo;
    QString roDate;
    QString caption;

    Paise taxable = 0;  // the net amount before tax: column Net AMT less CGST and SGST
    Paise discount = 0;
    Paise cgst = 0;
    Paise sgst = 0;
    Paise igst = 0;
    Paise amount = 0;  // the bill amount (Amount column): what the agency pays
    int cgstRate = 0;  // rates in hundredths of a percent: 250 is 2.5 %
    int sgstRate = 0;
    int igstRate = 0;
    QString bpType;  // "1": a second copy is printed

    bool isInterState() const { return igstRate > 0 || igst > 0; }
    int gstRate() const { return isInterState() ? igstRate : cgstRate + sgstRate; }
    Paise total() const { return taxable + cgst + sgst + igst; }
    bool isSecondCompany() const { return products == QStringLiteral("FSH"); }
};

// The bill rows of the grid as Print walks them: from the first bill row down to the first row
// without a bill number.
QList<GridBill> gridBills(const Sheet &sheet);
