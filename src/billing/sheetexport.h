#pragma once

#include "common/progress.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

class Dialogs;
class OutputFile;
class Sheet;

// The export folder under the application folder, and the file types the save dialog offers:
// the classic workbook first (the default), the newer one as an addition.
inline constexpr char16_t ExportFolderName[] = u"Excel Files";
inline constexpr char16_t XlsFilter[] = u"Excel Files (*.xls) | *.xls";
inline constexpr char16_t XlsxFilter[] = u"Excel Workbook (*.xlsx)";

struct SheetExport
{
    QString applicationFolder;
    QString caption;     // the form's caption, which starts the proposed file name
    QDate from;          // the From date, which ends it (dd-MMM-yyyy)
    int currentRow = 0;  // the last bill row generation wrote; 4 or less: nothing to export
};

// The kind of file the export's dialog asks for: it opens where the last export went.
inline constexpr char16_t ExportKind[] = u"Export";

// The Export button's work (the form keeps its own busy guard): asks for a path in the export
// folder, confirms an overwrite, and saves the grid. Cancel ends it silently; every failure is
// shown with its description, and so is a save that `progress` stopped. `working` is called
// once the export has something to save, where the form puts up the hourglass.
void exportSheet(Sheet &sheet, Dialogs &dialogs, const SheetExport &request, const std::function<void()> &working = {},
                 const Progress &progress = {});

// What the export does once it has a path: selects the block from row 1 to ten rows past the
// last bill, as the grid's own export did, and saves the grid as a workbook at `path`: the newer
// format when the path ends in .xlsx or that filter was chosen, the classic .xls otherwise.
// Returns the failure's description.
std::optional<QString> saveExport(Sheet &sheet, int currentRow, const QString &path, const QString &filter = QString(),
                                  const Progress &progress = {});
// The same into an opened output that the caller puts in place.
std::optional<QString> saveExport(Sheet &sheet, int currentRow, OutputFile &output, const QString &filter = QString(),
                                  const Progress &progress = {});
