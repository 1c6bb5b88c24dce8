#include "common/dialogs.h"

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

Dialogs::Answer StderrDialogs::showMessage(const QString &text, Icon, Buttons buttons)
{
    QString line = text;
    line.replace(u"\r\n"_s, u" "_s);
    const QByteArray bytes = u"message: "_s.toUtf8() + line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

std::optional<Dialogs::SavePath> StderrDialogs::saveFile(const SaveRequest &) { return std::nullopt; }
