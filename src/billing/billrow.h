#pragma once

#include "billing/billfilter.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <vector>

// The party a bill is made out to, as its GST documents name it.
struct BillParty
{
    QString name;
    QStringList address;  // the address lines that hold text, trimmed
    QString place;        // the party's sub-area, where the desk knows it
    QString gstin;        // as the bill carries it: "NA" or empty when there is none
    QString pan;
};

// One bill as generation composes it: the texts of the grid's 58 columns under their meanings (the
// grid shows them as they are here; Amount and Net AMT are number cells, empty when not written),
// and what the grid cannot show. Every output reads its bills as these values.
struct BillRow
{
    BillKind kind = BillKind::Gst;  // the routine that made the bill

    QString billNo;
    QString billDate;
    QString agentCode;
    QString clientName;  // the first 30 characters of the booked client's name, ", ", the first address line
    QString insDate;
    QString edition;
    std::optional<double> amount;
    QString agencyType;
    QString showCommission;
    QString noOfCopies;
    QString showAddress;
    QString agentName;
    QString agentAddress1;
    QString clientAddress;
    QString clientAddress2;
    QString clientAddress3;
    QString roNo;
    QString roDate;
    QString boxNo;
    QString caption;
    QString boxCharge;
    QString extraCharge;
    QString discount;
    QString commission;
    QString scheduleNo;
    QString products;
    QString deliveryCharge;
    QString words;
    QString insertionDate;
    QString cardRate;
    QString sqCms;
    QString colCms;
    QString cols;
    QString page;
    QString newRate;
    QString adRef;
    QString agentAddress2;
    QString agentAddress3;
    QString subName;
    QString billColumns;
    QString heightCm;
    QString mechData;
    QString budget;
    QString billFlag;
    QString commPer;
    QString agencyGst;  // the agency's GSTIN, or the client's when the bill is made out to the client
    QString agencyPan;
    QString svCin;
    QString svGstin;
    QString cgstPer;
    QString sgstPer;
    QString cgstAmt;
    QString sgstAmt;
    std::optional<double> netAmt;
    QString bpType;
    QString igstPer;
    QString igstAmt;
    QString grossBill;

    // Not in the grid: the client's name as booked, whole, and whether the bill carries the client's
    // own GSTIN (GST type 1 with a GSTIN in the client master).
    QString bookedClientName;
    bool billedToClient = false;

    // The party whose GSTIN the bill carries: the client (as booked, with the client's address lines)
    // when the bill carries the client's GSTIN, else the agency (or the split client of a split bill).
    BillParty buyer() const;
    // The product "FSH" is billed by the second company.
    bool isSecondCompany() const;
};

using BillRows = std::vector<BillRow>;

// The bills as Print walks them: from the first one up to the first without a bill number.
std::span<const BillRow> printableBills(const BillRows &bills);
