#include "app/startup.h"

#include "common/db.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "common/sharedstate.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// What start-up reads, in one exchange with the server: the accounts database of the default
// financial year, the version the database names for this program, and the workstation's default
// unit. Each comes from the first row of its own SELECT (a missing row gives NULLs; `unit_found`
// tells a missing unit from a NULL one).
const auto SelectStartupValues =
    u"Select ac_db_name, version_code, unit_code, unit_name, unit_found from (Select 1 as one) start"
    " left join (Select ac_db_name from selvoro.ac_fin_year where ac_default=1 limit 1) fin_year on 1=1"
    " left join (Select version_code from versionmaster where pack_code='advt' limit 1) version on 1=1"
    " left join (Select unit_code, unit_name, 1 as unit_found from unitmaster where unit_code=? limit 1) unit on 1=1"_s;

// The installed version against the one the database names; a missing row or a NULL version
// means there is nothing to compare with.
bool isOutdated(const ResultSet &values, const QString &version)
{
    return !values.isNull(u"version_code"_s) && values.text(u"version_code"_s) != version;
}

void takeDefaultUnit(const ResultSet &values, const Deployment &deployment, SharedState &state)
{
    // The bill windows need a unit of unitmaster; a workstation configured for none cannot work.
    if (values.isNull(u"unit_found"_s))
        throw DbError(u"The workstation's default unit "_s + deployment.defaultUnitCode + u" is not in unitmaster"_s);
    state.CurrentUnitCode = values.text(u"unit_code"_s);
    state.CurrentUnitName = values.text(u"unit_name"_s);
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
        db.open(deployment.connectSettings(serverAddress));
        if (serverAddress == u"127.0.0.1"_s)
            dialogs.message(Msg::LocalHost, Dialogs::Icon::None);
        state.ConnectionOpened = true;
        ResultSet values = db.query(SelectStartupValues, {deployment.defaultUnitCode});
        values.next();
        state.AccountsDbName = values.textOrEmpty(u"ac_db_name"_s);
        if (isOutdated(values, state.AppVersion)) {
            dialogs.message(Msg::SoftwareUpdated + u"\r\n\r\nLatest Update is available at '"_s
                            + deployment.vendorWebAddress + u"'."_s);
            return {StartupResult::Outcome::Outdated, updateAddress(deployment, serverAddress)};
        }
        takeDefaultUnit(values, deployment, state);
        return {};
    } catch (const DbError &error) {
        // A server that went away after the connection, or a cluster node that is not ready for
        // statements, is no fault of the configuration.
        if (!state.ConnectionOpened || error.isConnectionLost()) {
            dialogs.message(Msg::ConnectFailed);
            return {StartupResult::Outcome::ConnectFailed, {}};
        }
        dialogs.message(Msg::InvalidConfiguration);
        return {StartupResult::Outcome::InvalidConfiguration, {}};
    }
}
