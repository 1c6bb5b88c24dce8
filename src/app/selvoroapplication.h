#pragma once

#include <QApplication>

// The desktop application. Every window's handler catches and shows its own errors (runHandler);
// an error that got past one anyway is logged as a fault of the program, and the program keeps
// running instead of ending.
class SelvoroApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;
};
