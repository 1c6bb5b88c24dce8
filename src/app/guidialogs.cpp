#include "app/guidialogs.h"

#include "app/formhelpers.h"
#include "app/usersettings.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>

using namespace Qt::Literals::StringLiterals;

namespace {

// Room for the title bar's icon and buttons beside the title.
constexpr int TitleBarButtonsWidth = 120;

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::None: return QMessageBox::NoIcon;
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Critical: return QMessageBox::Critical;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::Exclamation: return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

// "Excel Files (*.xls) | *.xls" names its pattern twice; the dialog needs only the first half.
QString dialogFilter(const QString &filter)
{
    const qsizetype bar = filter.indexOf(u'|');
    return (bar < 0 ? filter : filter.left(bar)).trimmed();
}

}  // namespace

GuiDialogs::GuiDialogs(UserSettings &settings) : m_settings(settings) {}

Dialogs::Answer GuiDialogs::showMessage(const QString &text, Icon icon, Buttons buttons)
{
    QMessageBox box(boxIcon(icon), QApplication::applicationName(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    // A message is answered, not minimised or maximised: the title bar has its close button only.
    box.setWindowFlags(Qt::Dialog | TitleAndCloseOnly);
    // A short text ("Local Host") would leave the box narrower than its title.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + TitleBarButtonsWidth;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

std::optional<QString> GuiDialogs::openFile(const OpenRequest &request)
{
    QStringList filters;
    for (const QString &filter : request.filters)
        filters.append(dialogFilter(filter));
    const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                                      startFolder(request.kind, request.folder), filters.join(u";;"_s));
    if (path.isEmpty())
        return std::nullopt;
    remember(request.kind, path);
    return path;
}

std::optional<Dialogs::SavePath> GuiDialogs::askSavePath(const SaveRequest &request)
{
    QStringList filters;
    for (const QString &filter : request.filters)
        filters.append(dialogFilter(filter));
    QString chosenFilter = filters.value(0);
    // The caller asks before overwriting, in its own words.
    const QString path =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(),
                                     QDir(startFolder(request.kind, request.folder)).filePath(request.proposedName),
                                     filters.join(u";;"_s), &chosenFilter, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    remember(request.kind, path);
    const qsizetype index = filters.indexOf(chosenFilter);
    return SavePath{path, index >= 0 ? request.filters.at(index) : QString()};
}

// The folder of the last file of the kind, while it is still there.
QString GuiDialogs::startFolder(const QString &kind, const QString &folder) const
{
    const QString last = kind.isEmpty() ? QString() : m_settings.lastFolder(kind);
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : folder;
}

void GuiDialogs::remember(const QString &kind, const QString &path)
{
    if (!kind.isEmpty())
        m_settings.setLastFolder(kind, QFileInfo(path).absolutePath());
}
