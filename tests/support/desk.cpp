#include "desk.h"

#include "billing/billform.h"
#include "lookup/checklistpicker.h"
#include "testdb.h"

#include <QApplication>
#include <QDateEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

Desk::Desk(const QString &connectionName) : db(connectionName) { deployment.appFolder = folder.path(); }

void Desk::openDatabase(const QStringList &fixtures)
{
    TestDb::reset(fixtures);
    TestDb::open(db);
}

void showAndActivate(QWidget &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

void applyWhenOpen(const QList<int> &rows)
{
    QTimer::singleShot(0, [rows] {
        auto *picker = qobject_cast<CheckListPicker *>(QApplication::activeModalWidget());
        QVERIFY(picker);
        for (int row : rows)
            picker->list()->topLevelItem(row)->setCheckState(0, Qt::Checked);
        picker->CmApply->click();
    });
}

void setDates(BillForm &form, QDate from, QDate to)
{
    form.DtFrom->setDate(from);
    form.DtTo->setDate(to);
}
