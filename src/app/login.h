#pragma once

#include <QString>

class Db;
class Dialogs;
class UserSettings;
struct SharedState;

// The outcome of one press of OK in the login window; the window moves the focus accordingly.
enum class LoginOutcome {
    InvalidUserName,           // focus to the password box
    InvalidFirstUserPassword,  // password box emptied and focused
    InvalidPassword,           // password box focused, text kept
    Denied,                    // the login window stays open
    Success,                   // the main window opens, the login window closes
};

// Checks the typed name and password against userdetails, shows the messages, and on success
// remembers the name, fills the user part of the shared state and releases the user's old
// record locks. The first user (user_id 1) has these effects before the permission check.
LoginOutcome checkLogin(Db &db, Dialogs &dialogs, UserSettings &settings, SharedState &state, const QString &typedName,
                        const QString &typedPassword);
