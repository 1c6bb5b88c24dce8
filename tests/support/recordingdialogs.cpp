#include "recordingdialogs.h"

Dialogs::Answer RecordingDialogs::showMessage(const QString &text, Icon icon, Buttons buttons)
{
    shown.append({text, icon, buttons});
    if (!answers.empty()) {
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

std::optional<Dialogs::SavePath> RecordingDialogs::askSavePath(const SaveRequest &request)
{
    saveRequests.append(request);
    if (savePaths.empty())
        return std::nullopt;
    std::optional<SavePath> path = savePaths.front();
    savePaths.pop_front();
    return path;
}

std::optional<QString> RecordingDialogs::openFile(const OpenRequest &request)
{
    openRequests.append(request);
    if (openPaths.empty())
        return std::nullopt;
    const QString path = openPaths.front();
    openPaths.pop_front();
    return path;
}

QStringList RecordingDialogs::texts() const
{
    QStringList list;
    for (const Shown &s : shown)
        list.append(s.text);
    return list;
}
