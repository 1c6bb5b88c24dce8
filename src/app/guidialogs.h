#pragma once

#include "common/dialogs.h"

class UserSettings;

// Real message boxes and file dialogs with the application's title, over the active window. A
// file dialog opens in the folder of the last file of its kind (kept in the user's settings),
// the first time in the folder the request names.
class GuiDialogs : public Dialogs
{
public:
    explicit GuiDialogs(UserSettings &settings);

    std::optional<QString> openFile(const OpenRequest &request) override;

protected:
    Answer showMessage(const QString &text, Icon icon, Buttons buttons) override;
    std::optional<SavePath> askSavePath(const SaveRequest &request) override;

private:
    QString startFolder(const QString &kind, const QString &folder) const;
    void remember(const QString &kind, const QString &path);

    UserSettings &m_settings;
};
