#pragma once

#include "common/db.h"
#include "common/deployment.h"

#include <QString>
#include <QStringList>

// Skips the test function (in initTestCase or init: every function) when there is no test server.
#define REQUIRE_TEST_DB()                                                                                              \
    if (!TestDb::available())                                                                                          \
    QSKIP(qPrintable(TestDb::skipReason()))

// The private test server started by scripts/db (SELVORO_TEST_PORT, SELVORO_TEST_SOCKET).
// reset() rebuilds the database `selvoro` from db/schema.sql and the given fixture SQL, through
// the mariadb client, so each test function starts from known rows.
namespace TestDb {

bool available();
QString skipReason();

// Path of a file of the source tree (SELVORO_SOURCE_DIR), e.g. "db/schema.sql".
QString sourcePath(const QString &relative);

// Puts the server's sql_mode back to its default, drops and recreates `selvoro` with the schema,
// then runs each SQL text in order. Throws DbError
// with the client's output when loading fails.
void reset(const QStringList &sqlTexts = {});
// Runs SQL text through the mariadb client as root (for triggers, drops and other set-up), on the
// server of `socket` (default: the test server's).
void run(const QString &sql, const QString &socket = {});
// Reads a fixture file of the source tree.
QString file(const QString &relative);

// A deployment that reaches the test server on the loopback address.
Deployment deployment();
// Opens `db` with the loopback connection string on the test server.
void open(Db &db);

}  // namespace TestDb
