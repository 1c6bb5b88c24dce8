#pragma once

#include "common/dberror.h"

class QSqlDatabase;
class QSqlQuery;

// What a failure of the driver means to the program. A connection that broke or could not be
// made (the server went away, restarted or was failed over; it refused or reset the connection;
// a cluster node is not ready for statements) is DbError::Kind::ConnectionLost, with the message
// the user knows from start-up; anything else is refused with the driver's or the server's text.

// After a prepare or an execution of `query` failed.
DbError statementFailure(const QSqlQuery &query);
// After a statement run on its own ODBC handle `statement` (DirectStatement) on the connection of
// `database` failed; `statement` null: the handle could not be made. The text is the one Qt's
// driver would have given.
DbError directStatementFailure(void *statement, const QSqlDatabase &database);
// After an open, a begin, a commit or a rollback on `database` failed.
DbError connectionFailure(const QSqlDatabase &database);
