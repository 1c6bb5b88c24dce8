#include "app/formhelpers.h"
#include "app/selvoroapplication.h"
#include "common/dberror.h"
#include "recordingdialogs.h"

#include <QEvent>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// An object whose event handler lets an error escape, as a window's handler must never do.
class Faulty : public QObject
{
protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw DbError(u"Table 'selvoro.advt_schedule' doesn't exist"_s);
        return QObject::event(event);
    }
};

}  // namespace

class tst_Application : public QObject
{
    Q_OBJECT
private slots:
    // A database error in a handler is shown to the user, and the window goes on working.
    void handlerErrorIsShownAndTheWindowGoesOn()
    {
        RecordingDialogs dialogs;
        QPushButton button(u"Show"_s);
        int clicks = 0;
        connect(&button, &QPushButton::clicked, this, [&] {
            runHandler(dialogs, [&] {
                ++clicks;
                throw DbError(u"Table 'selvoro.advt_schedule' doesn't exist"_s);
            });
        });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(dialogs.texts(), QStringList(2, u"Table 'selvoro.advt_schedule' doesn't exist"_s));
        QCOMPARE(dialogs.shown.first().icon, Dialogs::Icon::Critical);
    }

    // An error that got past its handler is logged, and the program keeps running.
    void errorPastTheHandlersIsLoggedAndTheProgramGoesOn()
    {
        Faulty faulty;
        QEvent event(QEvent::User);
        QTest::ignoreMessage(QtCriticalMsg,
                             "Error not handled by its window: Table 'selvoro.advt_schedule' doesn't exist");
        QVERIFY(!QCoreApplication::sendEvent(&faulty, &event));
        QEvent again(QEvent::User);
        QTest::ignoreMessage(QtCriticalMsg,
                             "Error not handled by its window: Table 'selvoro.advt_schedule' doesn't exist");
        QVERIFY(!QCoreApplication::sendEvent(&faulty, &again));
    }
};

int main(int argc, char *argv[])
{
    SelvoroApplication app(argc, argv);
    tst_Application test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
