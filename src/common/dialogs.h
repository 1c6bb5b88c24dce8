#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Every message box and file dialog of the program goes through this service: the desktop shows
// real dialogs with the application's title, tests script the answers, the headless command
// writes the messages to stderr.
class Dialogs
{
public:
    enum class Icon { None, Information, Critical, Question, Exclamation };
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    struct SaveRequest
    {
        QString folder;        // where the dialog opens the first time
        QStringList filters;   // "Excel Files (*.xls) | *.xls" style entries, first is the default
        QString proposedName;  // file name offered
        QString kind;          // the kind of file ("Export"): later dialogs open where the last one went
    };

    virtual ~Dialogs() = default;

    Answer message(const QString &text, Icon icon = Icon::Information, Buttons buttons = Buttons::Ok)
    {
        return showMessage(text, icon, buttons);
    }
    // The chosen path (and the filter it was chosen with), or nothing when the user cancels.
    // A name that ends in none of the filters' suffixes gets the chosen filter's (the first
    // filter's when none was named): "Print Bill01-Dec-2026" is saved as "Print Bill01-Dec-2026.xls".
    struct SavePath
    {
        QString path;
        QString filter;
    };
    std::optional<SavePath> saveFile(const SaveRequest &request);
    // The file chosen to read (filters as for saving), or nothing when the user cancels. A program
    // without windows has no one to ask.
    struct OpenRequest
    {
        QString folder;
        QStringList filters;
        QString kind;
    };
    virtual std::optional<QString> openFile(const OpenRequest &) { return std::nullopt; }

protected:
    virtual Answer showMessage(const QString &text, Icon icon, Buttons buttons) = 0;
    // The save dialog itself: the path as the user gave it.
    virtual std::optional<SavePath> askSavePath(const SaveRequest &request) = 0;
};

// Messages to stderr as "message: TEXT" (CR LF written as one blank); questions answered Yes/OK,
// save dialogs cancelled. Used by the headless command.
class StderrDialogs : public Dialogs
{
protected:
    Answer showMessage(const QString &text, Icon icon, Buttons buttons) override;
    std::optional<SavePath> askSavePath(const SaveRequest &request) override;
};
