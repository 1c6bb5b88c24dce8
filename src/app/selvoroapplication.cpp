#include "app/selvoroapplication.h"

#include "common/dberror.h"
#include "common/dialogs.h"

SelvoroApplication::SelvoroApplication(int &argc, char **argv, Dialogs &dialogs)
    : QApplication(argc, argv), m_dialogs(dialogs)
{
}

bool SelvoroApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError &error) {
        m_dialogs.message(error.text(), Dialogs::Icon::Critical);
        return false;
    }
}
