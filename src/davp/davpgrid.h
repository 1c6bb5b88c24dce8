#pragma once

#include <QString>

class Sheet;

// The title rows of the DAVP grid: the company name, and the publisher's address and phone and
// fax lines of the deployment. They head every printed DAVP bill.
struct DavpTitles
{
    QString address;   // Deployment::publisherAddress
    QString phoneFax;  // Deployment::publisherPhoneFax
};

inline constexpr char16_t DavpCompanyTitle[] = u"SELVORO (P) LTD.";

// Lays out the DAVP grid: titles, the 39 column titles of row 4, widths, styles and the number
// format of the amount column; the view opens on the header row. Bill rows are left as they are
// (generation clears them). The caller's CurrentRow becomes the header row.
void SetUpDavpGrid(Sheet &sheet, const DavpTitles &titles);
