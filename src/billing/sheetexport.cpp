#include "billing/sheetexport.h"

#include "billing/billcolumns.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "common/outputfile.h"
#include "common/platformtext.h"
#include "sheet/sheet.h"
#include "sheet/workbookwriter.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

using namespace Qt::Literals::StringLiterals;

namespace {

// The export folder is made on the first export; only that one level, the application folder
// itself is there already.
std::optional<QString> ensureExportFolder(const QString &folder)
{
    if (QFileInfo(folder).isDir())
        return std::nullopt;
    std::error_code error;
    std::filesystem::create_directory(std::filesystem::path(folder.toStdU16String()), error);
    if (error)
        return folder + u": "_s + QString::fromLocal8Bit(error.message());
    return std::nullopt;
}

}  // namespace

void exportSheet(Sheet &sheet, Dialogs &dialogs, const SheetExport &request, const std::function<void()> &working,
                 const Progress &progress)
{
    if (request.currentRow <= HeaderRow) {
        dialogs.message(Msg::NoDetailsFound);
        return;
    }
    if (working)
        working();
    const QString folder = QDir(request.applicationFolder).filePath(QString::fromUtf16(ExportFolderName));
    if (const std::optional<QString> failure = ensureExportFolder(folder)) {
        dialogs.message(*failure);
        return;
    }
    const Dialogs::SaveRequest ask{folder,
                                   {QString::fromUtf16(XlsFilter), QString::fromUtf16(XlsxFilter)},
                                   request.caption + shortDate(request.from),
                                   QString::fromUtf16(ExportKind)};
    const std::optional<Dialogs::SavePath> chosen = dialogs.saveFile(ask);
    if (!chosen)
        return;
    if (QFileInfo::exists(chosen->path)
        && dialogs.message(Msg::OverwriteQuestion, Dialogs::Icon::Information, Dialogs::Buttons::YesNo)
               == Dialogs::Answer::No)
        return;
    if (const std::optional<QString> failure =
            saveExport(sheet, request.currentRow, chosen->path, chosen->filter, progress))
        dialogs.message(*failure);
}

std::optional<QString> saveExport(Sheet &sheet, int currentRow, OutputFile &output, const QString &filter,
                                  const Progress &progress)
{
    // The grid's own export selected the block it saved; the file holds the whole sheet.
    sheet.setSelection(1, 1, currentRow + 10, sheet.columnCount());
    const bool xlsx =
        output.path().endsWith(u".xlsx"_s, Qt::CaseInsensitive) || filter == QString::fromUtf16(XlsxFilter);
    return xlsx ? writeXlsx(sheet, output, progress) : writeXls(sheet, output, progress);
}

std::optional<QString> saveExport(Sheet &sheet, int currentRow, const QString &path, const QString &filter,
                                  const Progress &progress)
{
    return writeWholeFile(path,
                          [&](OutputFile &output) { return saveExport(sheet, currentRow, output, filter, progress); });
}
