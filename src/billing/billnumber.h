#pragma once

#include <QString>

class Db;
class Dialogs;

// A bill number as the user types it into a bill form, completed from the unit's template in the
// number setup ("ADBL_" + unit code): "1250" with "TR/00000" gives "TR/01250". A unit without a
// template is told so through the dialogs service and gets what ComposeCode makes of an empty one.
QString composeBillNumber(Db &db, Dialogs &dialogs, const QString &unitCode, const QString &typed);
