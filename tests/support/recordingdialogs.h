#pragma once

#include "common/dialogs.h"

#include <QList>

#include <deque>

// Records every message and file dialog and answers from a script (OK/Yes by default).
class RecordingDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        Icon icon;
        Buttons buttons;
    };

    std::optional<QString> openFile(const OpenRequest &request) override;

    QList<Shown> shown;
    QList<SaveRequest> saveRequests;
    std::deque<Answer> answers;                     // next answers to questions
    std::deque<std::optional<SavePath>> savePaths;  // next answers to save dialogs (none: cancel)
    QList<OpenRequest> openRequests;
    std::deque<QString> openPaths;  // next answers to open dialogs (none left: cancel)

    QStringList texts() const;

protected:
    Answer showMessage(const QString &text, Icon icon, Buttons buttons) override;
    std::optional<SavePath> askSavePath(const SaveRequest &request) override;
};
