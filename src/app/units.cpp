#include "app/units.h"

#include "common/db.h"

using namespace Qt::Literals::StringLiterals;

QList<Unit> permittedUnits(Db &db, const QString &userId)
{
    ResultSet rows =
        db.query(u"Select unitaccess.unit_code,unit_name from unitmaster inner join unitaccess on "
                 "unitaccess.unit_code=unitmaster.unit_code where unitaccess.user_id=? and (unit_app_advt=0 or  "
                 "unit_app_advt=2) order by unit_priority"_s,
                 {userId});
    QList<Unit> units;
    while (rows.next())
        units.append({rows.text(u"unit_code"_s), rows.text(u"unit_name"_s)});
    return units;
}

QString mainTitleAtOpening(const QString &unitName, const QString &userName)
{
    return u"Bill Print- Advertisement      "_s + u"Selvoro (Pvt.) LTD "_s + u"    "_s + unitName
           + u"            [User : "_s + userName + u" ]"_s;
}

QString mainTitleAfterSwitch(const QString &unitName, const QString &userName, bool isAdmin)
{
    const QString gap(47, u' ');
    const QString start = u"Advertisement     Selvoro (Pvt.) LTD "_s + u"    "_s + unitName;
    if (isAdmin)
        return start + gap + u"*[Current User : "_s + userName + u" ]*"_s;
    return start + gap + u"[Current User : "_s + userName + u" ]"_s;
}
