#include "app/formhelpers.h"

#include "common/dberror.h"
#include "common/platformtext.h"

#include <QApplication>
#include <QDateEdit>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

class SelectOnFocus : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto *box = static_cast<QLineEdit *>(watched);
            // A mouse click would place the cursor after the focus event; select once it has.
            QTimer::singleShot(0, box, [box] { SelectAllText(box); });
            SelectAllText(box);
        }
        return false;
    }
};

// Typed digits go into the date as soon as the picker has the focus: the day is selected however
// the focus came (Tab and Shift+Tab, Enter from the field before, the calendar or the window
// closing), and a click selects the part it landed on (a drag keeps what it selected).
class DatePicker : public QDateEdit
{
public:
    DatePicker(const QDate &date, QWidget *parent) : QDateEdit(date, parent) { lineEdit()->installEventFilter(this); }

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QDateEdit::focusInEvent(event);
        if (event->reason() != Qt::MouseFocusReason)
            setSelectedSection(DaySection);
    }
    // The click reaches the text box inside; once it has placed the cursor, the part is selected.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease)
            QTimer::singleShot(0, this, [this] {
                if (!lineEdit()->hasSelectedText())
                    setSelectedSection(currentSection());
            });
        return QDateEdit::eventFilter(watched, event);
    }
    // A selection left behind would look like the focus (Enter, which the form has already sent
    // on to the next field, selects the part again).
    void focusOutEvent(QFocusEvent *event) override
    {
        QDateEdit::focusOutEvent(event);
        lineEdit()->deselect();
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        QDateEdit::keyPressEvent(event);
        if (!hasFocus())
            lineEdit()->deselect();
    }
};

// A filter rather than the buttons' auto-default: that would also make a dialog's first button its
// default, pressed by Enter anywhere in the dialog.
class PressOnEnter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent *>(event)->key()))
            return false;
        static_cast<QPushButton *>(watched)->click();
        return true;
    }
};

}  // namespace

bool runHandler(Dialogs &dialogs, const std::function<void()> &work, Dialogs::Icon icon)
{
    try {
        work();
        return true;
    } catch (const DbError &error) {
        dialogs.message(error.text(), icon);
        return false;
    }
}

void enterPressesButtons(QWidget *form)
{
    for (QPushButton *button : form->findChildren<QPushButton *>())
        button->installEventFilter(new PressOnEnter(button));
}

void SelectAllText(QLineEdit *box) { box->setSelection(0, int(box->text().size())); }

void selectAllOnFocus(std::initializer_list<QLineEdit *> boxes)
{
    for (QLineEdit *box : boxes)
        box->installEventFilter(new SelectOnFocus(box));
}

QLabel *captionFor(const QString &text, QWidget *control)
{
    auto *caption = new QLabel(text, control->parentWidget());
    caption->setBuddy(control);
    return caption;
}

void setTabChain(const QList<QWidget *> &order)
{
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void CentreForm(QWidget *form)
{
    // Inside the main window the form lives in a sub-window; centre that in the client area.
    QWidget *window = form;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        window = sub;
    const QWidget *area = window->parentWidget();
    if (!area)
        return;
    const QSize client = area->size();
    window->move((client.width() - window->width()) / 2, (client.height() - window->height()) / 2);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window->adjustSize();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

void unloadForm(QWidget *form)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        sub->close();
    else
        form->close();
}

QDateEdit *datePicker(QWidget *parent)
{
    auto *picker = new DatePicker(QDate::currentDate(), parent);
    picker->setCalendarPopup(true);
    picker->setLocale(QLocale::c());
    picker->setDisplayFormat(QString::fromUtf16(ShortDateFormat));
    // The widest date in full, beside the frame and the calendar button.
    picker->setMinimumWidth(picker->fontMetrics().horizontalAdvance(u"28-May-2000"_s) + 40);
    return picker;
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

bool hourglassShowing()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor && (cursor->shape() == Qt::WaitCursor || cursor->shape() == Qt::BusyCursor);
}

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

int twipsToPixels(int twips) { return qRound(twips / 15.0); }
