#include "app/guidialogs.h"

#include <QApplication>
#include <QFileDialog>
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

Dialogs::Answer GuiDialogs::showMessage(const QString &text, Icon icon, Buttons buttons)
{
    QMessageBox box(boxIcon(icon), QApplication::applicationName(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
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
    const QString path =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), request.folder, filters.join(u";;"_s));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<Dialogs::SavePath> GuiDialogs::saveFile(const SaveRequest &request)
{
    QStringList filters;
    for (const QString &filter : request.filters)
        filters.append(dialogFilter(filter));
    QString chosenFilter = filters.value(0);
    // The caller asks before overwriting, in its own words.
    const QString path = QFileDialog::getSaveFileName(
        QApplication::activeWindow(), QString(), request.folder + u'/' + request.proposedName, filters.join(u";;"_s),
        &chosenFilter, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    const qsizetype index = filters.indexOf(chosenFilter);
    return SavePath{path, index >= 0 ? request.filters.at(index) : QString()};
}
