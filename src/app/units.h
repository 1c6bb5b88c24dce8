#pragma once

#include <QList>
#include <QString>

class Db;

struct Unit
{
    QString code;
    QString name;
};

// The units the user may work for in this program, in their priority order.
QList<Unit> permittedUnits(Db &db, const QString &userId);

// The main window's title when it opens, and after a unit switch (which has its own form).
QString mainTitleAtOpening(const QString &unitName, const QString &userName);
QString mainTitleAfterSwitch(const QString &unitName, const QString &userName, bool isAdmin);
