#include "common/lookups.h"

#include "common/db.h"
#include "common/dialogs.h"
#include "common/messages.h"

using namespace Qt::Literals::StringLiterals;

QString GetNumberSetup(Db &db, Dialogs &dialogs, const QString &seriesId)
{
    ResultSet rows = db.query(u"Select * from numbersetup Where no_id=?"_s, {seriesId});
    if (rows.isEmpty()) {
        dialogs.message(Msg::NumberSetupError + u"\r\n"_s + Msg::ContactAdministrator);
        return {};
    }
    return rows.text(u"no_value"_s);
}

QString GetProductName(Db &db, Dialogs &dialogs, const QString &productCode)
{
    ResultSet rows = db.query(u"Select product_name from productmaster where product_code=?"_s, {productCode});
    if (rows.isEmpty()) {
        dialogs.message(Msg::ProductMasterError + u"\r\n"_s + Msg::ContactAdministrator);
        return {};
    }
    return rows.text(u"product_name"_s);
}
