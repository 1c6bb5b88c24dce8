#pragma once

#include "billing/printfile.h"
#include "common/progress.h"

#include <QString>
#include <QtGlobal>

#include <optional>

class Sheet;
struct Deployment;

// Every copy of a DAVP bill takes exactly this many lines; pages are held by counting lines.
inline constexpr int DavpPageLines = 72;

// The heading of every copy: the grid's three title rows with their print attributes, a rule
// and a blank line (lines 1 to 5).
void PrintDavpHeading(const Sheet &sheet, PrintFile &file);
// One blank line for each line number from `line` to the last line of the page (none past it).
void PadDavpPage(PrintFile &file, qint16 line);

// The DAVP bills of the grid: two identical copies of each bill row, from the first bill row
// down to the first row without a bill number. `progress` hears of each bill written; false
// from it ends the bills there (and this returns false).
bool writeDavpBills(const Sheet &sheet, PrintFile &file, const Progress &progress = {});

// The Print button's work: the bills into rpt.prn of the application folder (or `path` when
// given), then the spooler. Returns the failure message to show, or nothing.
std::optional<QString> printDavpBills(const Sheet &sheet, const Deployment &deployment, const QString &path = QString(),
                                      Spool spool = Spool::Start, const Progress &progress = {});
