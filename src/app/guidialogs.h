#pragma once

#include "common/dialogs.h"

// Real message boxes and file dialogs with the application's title, over the active window.
class GuiDialogs : public Dialogs
{
public:
    std::optional<SavePath> saveFile(const SaveRequest &request) override;
    std::optional<QString> openFile(const OpenRequest &request) override;

protected:
    Answer showMessage(const QString &text, Icon icon, Buttons buttons) override;
};
