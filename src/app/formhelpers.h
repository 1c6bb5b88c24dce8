#pragma once

#include "common/dialogs.h"

#include <QObject>

#include <functional>

class QDateEdit;
class QLabel;
class QLineEdit;
class QWidget;

// The title-bar buttons of a window that is neither minimised nor maximised: its close button only.
inline constexpr Qt::WindowFlags TitleAndCloseOnly =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Runs the work of a window's event handler. A database error it lets through is shown with its
// text and the critical icon, and the window stays usable: every handler that may reach the
// database runs its work through here, so no exception ever travels through Qt's event loop.
// False when the work ended in an error. A window whose own failures go with another icon names it.
bool runHandler(Dialogs &dialogs, const std::function<void()> &work, Dialogs::Icon icon = Dialogs::Icon::Critical);

// Makes every command button of the form press itself on Enter while it has the focus, as Space
// does: Enter in a form's last field moves to its main button, and a second Enter presses it.
void enterPressesButtons(QWidget *form);

// Selects the box's whole text (every text box does this when it gets the focus).
void SelectAllText(QLineEdit *box);

// Makes each of the boxes select its whole text whenever it receives the focus.
void selectAllOnFocus(std::initializer_list<QLineEdit *> boxes);

// The caption of a control, beside it in its parent.
QLabel *captionFor(const QString &text, QWidget *control);

// Tab goes from each control to the next one of `order`; from the last it goes on as before,
// through the window's other controls back round to the first.
void setTabChain(const QList<QWidget *> &order);

// Moves a child window to the centre of the main window's client area (a window larger than the
// area gets a negative position); its size does not change.
void CentreForm(QWidget *form);

// Places a top-level window in the middle of the screen it opens on.
void centreOnScreen(QWidget *window);

// Closes and unloads a form, together with the sub-window that holds it in the main window.
void unloadForm(QWidget *form);

// A date picker of the bill forms: today's date, a calendar pop-up, the short-date format with
// English month names whatever the user's locale.
QDateEdit *datePicker(QWidget *parent);

// Enter on the main keyboard or the keypad.
bool isEnter(int key);

// A long operation of the program is under way while the pointer shows the hourglass.
bool hourglassShowing();

// The hourglass pointer for the lifetime of the object: the arrow with the hourglass beside it,
// since the window still takes a click on Stop.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// Window and column sizes are given in twips: 15 twips to the pixel at 96 dpi.
int twipsToPixels(int twips);
