#pragma once

#include <QList>
#include <QString>

#include <optional>

class Db;

struct Unit
{
    QString code;
    QString name;
};

// The units the user may work for in this program, in their priority order: a unitaccess row for
// the user, and the unit open to the advertisement desk (unit_app_advt 0 or 2).
QList<Unit> permittedUnits(Db &db, const QString &userId);

// The unit `unitCode` when the user may switch to it: one of permittedUnits(), or the unit already
// in effect (`currentUnitCode`, the workstation's own unit right after login, whatever the access
// rows say). Nothing for any other unit and for an unknown one.
std::optional<Unit> unitToSwitchTo(Db &db, const QString &userId, const QString &currentUnitCode,
                                   const QString &unitCode);

// The main window's title when it opens, and after a unit switch (which has its own form).
QString mainTitleAtOpening(const QString &unitName, const QString &userName);
QString mainTitleAfterSwitch(const QString &unitName, const QString &userName, bool isAdmin);
