#pragma once

#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/sharedstate.h"
#include "recordingdialogs.h"

#include <QList>
#include <QTemporaryDir>

class BillForm;
class QWidget;

// Everything a window needs: its own database connection (opened on request), a scripted dialogs
// service, a deployment whose application folder is a fresh temporary folder, the state and a
// clock that does not move.
struct Desk
{
    explicit Desk(const QString &connectionName);

    // Rebuilds the test database with the fixture SQL texts and opens the connection on it.
    void openDatabase(const QStringList &fixtures);

    QTemporaryDir folder;
    Db db;
    RecordingDialogs dialogs;
    Deployment deployment;
    SharedState state;
    // The windows' clock stands still a day after the fixtures' bills of early December 2026.
    AppContext context{db, dialogs, deployment, state, [] { return QDateTime({2026, 12, 8}, {12, 0}); }};
};

// Shows a window and waits until it is the active one (it fails the test otherwise).
void showAndActivate(QWidget &window);

// Ticks the given entries of the product or group picker about to open modally, then presses
// Apply.
void applyWhenOpen(const QList<int> &rows);

// Sets the dates of a bill form.
void setDates(BillForm &form, QDate from, QDate to);
