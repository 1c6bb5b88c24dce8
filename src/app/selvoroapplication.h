#pragma once

#include <QApplication>

class Dialogs;

// The desktop application. A database error that a window's handler did not catch is shown with
// its text and the program keeps running, instead of ending it.
class SelvoroApplication : public QApplication
{
public:
    SelvoroApplication(int &argc, char **argv, Dialogs &dialogs);
    bool notify(QObject *receiver, QEvent *event) override;

private:
    Dialogs &m_dialogs;
};
