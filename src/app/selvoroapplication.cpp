#include "app/selvoroapplication.h"

#include <QDebug>

#include <exception>

bool SelvoroApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        qCritical("Error not handled by its window: %s", error.what());
        return false;
    }
}
