#pragma once

#include "common/progress.h"

#include <QString>

#include <optional>

class OutputFile;
class Sheet;

// Saves the sheet as a workbook with one sheet "Sheet1" and Arial as the default font: values,
// fonts, borders, fills, alignment, number formats, column widths (0 hidden) and row heights.
// Each returns the failure's description, or nothing on success. The file is written whole or
// not at all (a failure leaves the earlier file as it was; see OutputFile).
std::optional<QString> writeXls(const Sheet &sheet, const QString &path);   // Excel 97-2003 (BIFF8)
std::optional<QString> writeXlsx(const Sheet &sheet, const QString &path);  // Excel 2007 and later
// The same into an opened output that the caller puts in place. `progress` hears of each row
// laid out; false from it ends the save with "Stopped. No file was written.   " as its failure.
std::optional<QString> writeXls(const Sheet &sheet, OutputFile &output, const Progress &progress = {});
std::optional<QString> writeXlsx(const Sheet &sheet, OutputFile &output, const Progress &progress = {});
