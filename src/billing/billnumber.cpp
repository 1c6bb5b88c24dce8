#include "billing/billnumber.h"

#include "common/lookups.h"
#include "common/textfields.h"

using namespace Qt::Literals::StringLiterals;

QString composeBillNumber(Db &db, Dialogs &dialogs, const QString &unitCode, const QString &typed)
{
    return ComposeCode(GetNumberSetup(db, dialogs, u"ADBL_"_s + unitCode), typed);
}
