#include "app/selvoroapplication.h"
#include "common/dberror.h"
#include "recordingdialogs.h"

#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// A handler that lets a database error escape: the user sees its text and the program goes on.
class tst_Application : public QObject
{
    Q_OBJECT
public:
    explicit tst_Application(RecordingDialogs &dialogs) : m_dialogs(dialogs) {}

private slots:
    void uncaughtDatabaseErrorIsShownAndTheProgramGoesOn()
    {
        QPushButton button(u"Show"_s);
        int clicks = 0;
        connect(&button, &QPushButton::clicked, this, [&clicks] {
            ++clicks;
            throw DbError(u"Table 'selvoro.advt_schedule' doesn't exist"_s);
        });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(m_dialogs.texts(), QStringList(2, u"Table 'selvoro.advt_schedule' doesn't exist"_s));
        QCOMPARE(m_dialogs.shown.first().icon, Dialogs::Icon::Critical);
    }

private:
    RecordingDialogs &m_dialogs;
};

int main(int argc, char *argv[])
{
    RecordingDialogs dialogs;
    SelvoroApplication app(argc, argv, dialogs);
    tst_Application test(dialogs);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
