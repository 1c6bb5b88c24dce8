#include "app/login.h"

#include "app/usersettings.h"
#include "common/db.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "common/sharedstate.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Missing values in userdetails are read as the safe answer: a NULL password matches nothing,
// a NULL login flag does not clear the user for this program, a NULL user type is no
// administrator. (Compared naively, a NULL password would let any password in.)
struct UserRow
{
    QString id;
    std::optional<QString> password;
    bool mayLogin = false;
    bool isAdmin = false;
};

UserRow readUser(ResultSet &rows)
{
    UserRow user;
    user.id = rows.text(u"user_id"_s);
    if (!rows.isNull(u"user_password"_s))
        user.password = rows.text(u"user_password"_s);
    user.mayLogin = !rows.isNull(u"user_login_advt"_s) && rows.number(u"user_login_advt"_s) == 1;
    user.isAdmin = !rows.isNull(u"user_type"_s) && rows.number(u"user_type"_s) != 0;
    return user;
}

void releaseLocks(Db &db, const QString &userId)
{
    db.exec(u"Delete from advt_lockmaster where user_id=?"_s, {userId});
}

}  // namespace

LoginOutcome checkLogin(Db &db, Dialogs &dialogs, UserSettings &settings, SharedState &state, const QString &typedName,
                        const QString &typedPassword)
{
    ResultSet rows = db.query(u"Select * from userdetails Where user_name=?"_s, {typedName.trimmed()});
    if (rows.isEmpty()) {
        dialogs.message(Msg::InvalidUserName);
        return LoginOutcome::InvalidUserName;
    }
    const UserRow user = readUser(rows);
    const bool passwordMatches = user.password && *user.password == typedPassword.trimmed();

    if (user.id == u"1"_s) {
        if (!passwordMatches) {
            dialogs.message(Msg::InvalidPassword);
            return LoginOutcome::InvalidFirstUserPassword;
        }
        // The first user is remembered and released before the permission is looked at.
        settings.setLastUser(typedName);
        state.CurrentUserName = typedName;
        state.CurrentUserId = user.id;
        releaseLocks(db, state.CurrentUserId);
        if (!user.mayLogin) {
            dialogs.message(Msg::LoginDenied, Dialogs::Icon::Critical);
            return LoginOutcome::Denied;
        }
        return LoginOutcome::Success;
    }

    if (!passwordMatches) {
        dialogs.message(Msg::InvalidPassword, Dialogs::Icon::Critical);
        return LoginOutcome::InvalidPassword;
    }
    if (!user.mayLogin) {
        dialogs.message(Msg::LoginDenied, Dialogs::Icon::Critical);
        return LoginOutcome::Denied;
    }
    settings.setLastUser(typedName);
    state.CurrentUserName = typedName;
    state.CurrentUserId = user.id;
    state.IsAdminUser = user.isAdmin;
    releaseLocks(db, state.CurrentUserId);
    return LoginOutcome::Success;
}
