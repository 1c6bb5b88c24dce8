#include "common/dialogs.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

// The suffix a filter offers: "Excel Files (*.xls) | *.xls" and "Excel Workbook (*.xlsx)" give
// "xls" and "xlsx"; none for "All files (*.*)".
QString filterSuffix(const QString &filter)
{
    static const QRegularExpression Pattern(u"\\*\\.(\\w+)"_s);
    const QRegularExpressionMatch match = Pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

Dialogs::Answer StderrDialogs::showMessage(const QString &text, Icon, Buttons buttons)
{
    QString line = text;
    line.replace(u"\r\n"_s, u" "_s);
    const QByteArray bytes = u"message: "_s.toUtf8() + line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

std::optional<Dialogs::SavePath> StderrDialogs::askSavePath(const SaveRequest &) { return std::nullopt; }

std::optional<Dialogs::SavePath> Dialogs::saveFile(const SaveRequest &request)
{
    std::optional<SavePath> chosen = askSavePath(request);
    if (!chosen)
        return chosen;
    const QString suffix = QFileInfo(chosen->path).suffix();
    const bool offered = std::any_of(request.filters.begin(), request.filters.end(), [&](const QString &filter) {
        const QString offeredSuffix = filterSuffix(filter);
        return !offeredSuffix.isEmpty() && offeredSuffix.compare(suffix, Qt::CaseInsensitive) == 0;
    });
    const QString added = filterSuffix(chosen->filter.isEmpty() ? request.filters.value(0) : chosen->filter);
    if (!offered && !added.isEmpty())
        chosen->path += (chosen->path.endsWith(u'.') ? QString() : u"."_s) + added;
    return chosen;
}
