#include "app/units.h"

#include "common/db.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const auto SelectPermittedUnits =
    u"Select unitaccess.unit_code,unit_name from unitmaster inner join unitaccess on "
    "unitaccess.unit_code=unitmaster.unit_code where unitaccess.user_id=? and (unit_app_advt=0 or  unit_app_advt=2)"_s;

}  // namespace

QList<Unit> permittedUnits(Db &db, const QString &userId)
{
    ResultSet rows = db.query(SelectPermittedUnits + u" order by unit_priority"_s, {userId});
    QList<Unit> units;
    while (rows.next())
        units.append({rows.text(u"unit_code"_s), rows.text(u"unit_name"_s)});
    return units;
}

std::optional<Unit> unitToSwitchTo(Db &db, const QString &userId, const QString &currentUnitCode,
                                   const QString &unitCode)
{
    ResultSet rows = db.query(u"Select unit_code, unit_name from unitmaster where unit_code=?"_s, {unitCode});
    if (rows.isEmpty())
        return std::nullopt;
    const Unit unit{rows.text(u"unit_code"_s), rows.text(u"unit_name"_s)};
    if (unit.code == currentUnitCode
        || !db.query(SelectPermittedUnits + u" and unitmaster.unit_code=?"_s, {userId, unit.code}).isEmpty())
        return unit;
    return std::nullopt;
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
