#pragma once

#include <QDateTime>

#include <functional>

class Db;
class Dialogs;
struct Deployment;
struct SharedState;

// What a window needs from the running program: the one connection, the dialogs service, the
// deployment values, the shared state and the clock. The desktop program builds one; tests build
// their own.
struct AppContext
{
    Db &db;
    Dialogs &dialogs;
    const Deployment &deployment;
    SharedState &state;
    // "Now" for the e-invoice reporting and cancellation windows; tests set a fixed moment.
    std::function<QDateTime()> now = &QDateTime::currentDateTime;
};
