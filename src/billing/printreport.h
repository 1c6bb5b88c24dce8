#pragma once

#include <QString>

class Sheet;
struct Deployment;

// The bill rows a print walks: from the first bill row down to the first row without a bill number.
int printableBills(const Sheet &sheet);

// What the window tells once the bills of `sheet` went to the spooler in `printPath`: "N bills sent
// to the printer" when the spooler sends them to a printer's queue, the path of the PDF it draws
// otherwise. The spooler runs on its own: this is where the job went, not that it printed.
QString printReport(const Sheet &sheet, const QString &printPath, const Deployment &deployment);
