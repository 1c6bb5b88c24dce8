#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

// Selects the box's whole text (every text box does this when it gets the focus).
void SelectAllText(QLineEdit *box);

// Makes each of the boxes select its whole text whenever it receives the focus.
void selectAllOnFocus(std::initializer_list<QLineEdit *> boxes);

// Moves a child window to the centre of the main window's client area (a window larger than the
// area gets a negative position); its size does not change.
void CentreForm(QWidget *form);

// Places a top-level window in the middle of the screen it opens on.
void centreOnScreen(QWidget *window);

// Closes and unloads a form, together with the sub-window that holds it in the main window.
void unloadForm(QWidget *form);

// The hourglass pointer for the lifetime of the object.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
