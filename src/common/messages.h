#pragma once

#include <QString>

// Texts the program shows, exactly as users know them (trailing blanks are part of them).
namespace Msg {

inline const QString LocalHost = QStringLiteral("Local Host");
inline const QString ConnectFailed = QStringLiteral("Connecting to the server failed.. Please Try again.. ");
inline const QString InvalidConfiguration = QStringLiteral("Invalid Configuration.    ");
inline const QString SoftwareUpdated = QStringLiteral("Advertisement Software Updated ");
inline const QString NumberSetupError = QStringLiteral("Error in Number Setup!!!.   ");
inline const QString ProductMasterError = QStringLiteral("Error in Product Master!!!.   ");
inline const QString ContactAdministrator = QStringLiteral("Contact System Administrator.   ");
inline const QString InvalidUserName = QStringLiteral("Invalid User Name    ");
inline const QString InvalidPassword = QStringLiteral("Invalid Password.   ");
inline const QString LoginDenied = QStringLiteral("Login Denied!.... Please Contact System Administrator.   ");
inline const QString CloseAllForms = QStringLiteral("Close All forms and try again!!!!");
inline const QString ChangeUnitQuestion = QStringLiteral("Do you want to change the unit... ");

// Bill generation.
inline const QString ToDateBeforeFromDate = QStringLiteral("To date must be greater than From Date.   ");
inline const QString NoRecordsFound = QStringLiteral("No Records Found    .   ");
inline const QString BillGenerationCompleted = QStringLiteral("Bill Generation Completed.   ");
inline const QString GroupListInvalid =
    QStringLiteral("Group must be a list of agency type codes separated by commas, for example 'AG','DR'.   ");
inline const QString SplitTotalInvalid = QStringLiteral("Split Total must be a number.   ");
inline const QString BillRowLimitReached =
    QStringLiteral("The bill grid holds at most 32763 bills; generation stopped after the last row.   ");
inline const QString BillGenerationStopped = QStringLiteral("Bill Generation Stopped.   ");
inline const QString StopBeforeClosing = QStringLiteral("A window is still at work. Stop it and close the program?   ");

// Printing and export
inline const QString FileCannotBePrinted = QStringLiteral("File Cannot be Printed.   ");
inline const QString NoDetailsFound = QStringLiteral("No details found.   ");
inline const QString OverwriteQuestion = QStringLiteral("Are you sure you want to overwrite");
inline const QString PrintStopped = QStringLiteral("Printing Stopped. Nothing was printed.   ");
inline const QString OutputStopped = QStringLiteral("Stopped. No file was written.   ");
// Where a print went: a printer's queue, or the PDF the spooler draws.
inline QString sentToPrinter(qsizetype bills) { return QStringLiteral("%1 bills sent to the printer").arg(bills); }
inline QString sentToPdf(qsizetype bills, const QString &pdfPath)
{
    return QStringLiteral("%1 bills sent to %2").arg(bills).arg(pdfPath);
}

// Workbook files
inline const QString SheetTooLargeForXls =
    QStringLiteral("The grid is larger than an Excel 97-2003 workbook holds (65536 rows, 256 columns).");
inline const QString TextTooLongForXls =
    QStringLiteral("A cell holds more than the 32767 characters an Excel 97-2003 workbook allows.");

// Split edition master.
inline const QString NotAllowed = QStringLiteral("You Are Not Allowed to do this Task.   ");
inline const QString EnterSplitEdition = QStringLiteral("Please Enter the Split Edition.   ");
inline const QString SelectEdition = QStringLiteral("Please Select the edition.   ");
inline const QString SplitEditionExists = QStringLiteral("The Same Split Edition Already Exists.   ");
inline QString deleteSplitEdition(const QString &name)
{
    return QStringLiteral("Do you want to delete the Split Edition \"%1\"?   ").arg(name);
}
inline QString unknownEdition(const QString &code)
{
    return QStringLiteral("The edition \"%1\" is not in the edition master. Please Select the edition.   ").arg(code);
}
inline const QString SplitEditionGone = QStringLiteral("The Split Edition no longer exists.   ");

}  // namespace Msg
