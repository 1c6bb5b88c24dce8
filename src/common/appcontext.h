#pragma once

class Db;
class Dialogs;
struct Deployment;
struct SharedState;

// What a window needs from the running program: the one connection, the dialogs service, the
// deployment values and the shared state. The desktop program builds one; tests build their own.
struct AppContext
{
    Db &db;
    Dialogs &dialogs;
    const Deployment &deployment;
    SharedState &state;
};
