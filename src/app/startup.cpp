#include "app/startup.h"

#include "common/db.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/lookups.h"
#include "common/messages.h"
#include "common/sharedstate.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const auto SelectAccountsDb = u"Select ac_db_name from selvoro.ac_fin_year where ac_default=1"_s;
const auto SelectVersion = u"Select * from versionmaster where pack_code='advt'"_s;

// The installed version against the one the database names; a missing row or a NULL version
// means there is nothing to compare with.
bool isOutdated(Db &db, const QString &version)
{
    ResultSet rows = db.query(SelectVersion);
    if (rows.isEmpty() || rows.isNull(u"version_code"_s))
        return false;
    return rows.text(u"version_code"_s) != version;
}

void takeDefaultUnit(Db &db, const Deployment &deployment, SharedState &state)
{
    ResultSet rows =
        db.query(u"Select unit_code, unit_name from unitmaster where unit_code=?"_s, {deployment.defaultUnitCode});
    // The bill windows need a unit of unitmaster; a workstation configured for none cannot work.
    if (rows.isEmpty())
        throw DbError(u"The workstation's default unit "_s + deployment.defaultUnitCode + u" is not in unitmaster"_s);
    state.CurrentUnitCode = rows.text(u"unit_code"_s);
    state.CurrentUnitName = rows.text(u"unit_name"_s);
}

}  // namespace

QString updateAddress(const Deployment &deployment, const QString &serverAddress)
{
    const bool inHouse = serverAddress == deployment.inHouseServer1 || serverAddress == deployment.inHouseServer2
                         || serverAddress == u"127.0.0.1"_s;
    return inHouse ? deployment.inHouseUpdatePage : deployment.vendorWebPage;
}

StartupResult runStartup(Db &db, Dialogs &dialogs, const Deployment &deployment, const QString &serverAddress,
                         SharedState &state)
{
    state.AppVersion = QString::fromUtf16(AppVersion);
    state.DefaultProductCode = u"DLY"_s;
    try {
        state.ServerAddress = serverAddress;
        db.open(deployment.connectionString(serverAddress), deployment.connectTimeout);
        if (serverAddress == u"127.0.0.1"_s)
            dialogs.message(Msg::LocalHost, Dialogs::Icon::None);
        state.ConnectionOpened = true;
        state.AccountsDbName = GetFirstValue(db, SelectAccountsDb);
        if (isOutdated(db, state.AppVersion)) {
            dialogs.message(Msg::SoftwareUpdated + u"\r\n\r\nLatest Update is available at '"_s
                            + deployment.vendorWebAddress + u"'."_s);
            return {StartupResult::Outcome::Outdated, updateAddress(deployment, serverAddress)};
        }
        takeDefaultUnit(db, deployment, state);
        return {};
    } catch (const DbError &) {
        if (!state.ConnectionOpened) {
            dialogs.message(Msg::ConnectFailed);
            return {StartupResult::Outcome::ConnectFailed, {}};
        }
        dialogs.message(Msg::InvalidConfiguration);
        return {StartupResult::Outcome::InvalidConfiguration, {}};
    }
}
