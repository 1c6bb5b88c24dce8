#pragma once

#include "common/dberror.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

class BoundRows;
class Db;

class DirectStatement;

// An executed statement and the reader of its rows: one that Qt's driver ran (a prepared one is
// run again and again), or one run directly with its values.
struct Statement
{
    explicit Statement(QSqlQuery executed);
    explicit Statement(std::unique_ptr<DirectStatement> executed);
    ~Statement();

    // The columns of the latest run's rows, and the ODBC handle that reads them.
    QSqlRecord record() const;
    QVariant handle() const;

    QSqlQuery query;
    std::unique_ptr<DirectStatement> direct;
    std::unique_ptr<BoundRows> rows;  // the latest run's rows
};

// A forward-only, read-only result set that lives inside the routine that opened it.
// Values are read by column name or by position; reading a NULL as text is an error
// unless the caller asks for the "or empty" form.
class ResultSet
{
public:
    // The rows of the statement's latest run; a prepared statement stays usable for the next run.
    explicit ResultSet(std::shared_ptr<Statement> statement);

    // Moves to the next row; false at the end. The first call moves to the first row.
    bool next();
    int columnCount() const { return int(m_record.count()); }
    // True when the set had no row at all (BOF or EOF right after opening).
    bool isEmpty();
    // The number of rows in all, known from the start; -1 when the driver does not say.
    qint64 size() const;

    bool isNull(const QString &column) const;
    bool isNull(int position) const;
    QVariant value(const QString &column) const;
    QVariant value(int position) const;

    // The value as the platform converts it to text: a DATE as dd-MMM-yyyy, a number in its
    // shortest decimal form (DECIMAL 1500.00 is "1500"), text as stored. NULL throws DbError.
    QString text(const QString &column) const;
    QString text(int position) const;
    // The same, with NULL giving empty text.
    QString textOrEmpty(const QString &column) const;
    QString textOrEmpty(int position) const;
    // A DECIMAL column exactly as stored ("1500.00"), for decimal arithmetic without binary rounding.
    QString decimalText(const QString &column) const;
    // A number column; NULL throws DbError.
    double number(const QString &column) const;
    qlonglong integer(const QString &column) const;

    // The position of a column by name (resolved once for reading many rows); throws DbError when
    // the result has no such column.
    int position(const QString &column) const;
    // The same for a column the result may lack: nothing when there is no such column.
    std::optional<int> findPosition(const QString &column) const;

private:
    std::shared_ptr<Statement> m_statement;
    QSqlRecord m_record;       // the columns, read once
    QList<QMetaType> m_types;  // each column's type, for its platform text
    bool m_started = false;
    bool m_onRow = false;
};

// A query prepared once and run with values (the look-ups of the bills, start-up): the values
// travel apart from the SQL text, so quotes in them never change the statement, and a run costs
// one exchange with the server (the driver sends the prepare with the first run).
class PreparedQuery
{
public:
    // Runs the query with one value for each "?" of its text, in order. Throws DbError when the
    // statement fails. The result set of the previous run must no longer be in use. A connection
    // opened again since the last run gets the query prepared anew.
    ResultSet run(const QStringList &values);

private:
    friend class Db;
    PreparedQuery(Db &db, QString sql, QSqlQuery query);

    Db *m_db;
    QString m_sql;
    int m_connection;  // the Db's connection the query is prepared on
    std::shared_ptr<Statement> m_statement;
};

// A transaction on the shared connection: leaving the scope without commit() rolls back.
class Transaction
{
public:
    explicit Transaction(Db &db);
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    ~Transaction();
    // Throws DbError when the server refuses the commit (the transaction is rolled back), and one
    // that isCommitUnknown() when the connection broke during the commit: the server may have
    // stored the change or not, and only a look at the data tells.
    void commit();

private:
    Db *m_db;
    int m_connection;  // the Db's connection the transaction runs on
    bool m_open = true;
};

// How the connection is opened, and opened again after the server dropped it.
struct ConnectSettings
{
    QString connectionString;
    // Seconds to reach the server and hear it answer; a connection that took that long is not
    // tried again.
    int connectTimeout = 120;
    // Seconds the connector waits for a statement's answer (0: for ever); a statement cut off by
    // it is not run again.
    int statementTimeout = 0;
    // Seconds for which a connection that the server refused or reset is tried again.
    int retrySeconds = 0;
};

// The one connection to the advertisement database.
//
// A connection the server drops (a restart, a failover to another cluster node, a node that is
// not ready) is opened again, with the same settings, by the statement that finds it broken or by
// the next one. The statement is then run again once where that is safe: a read outside a
// transaction that was not cut off by the statement time-out. A statement of a transaction is not
// repeated: the transaction fails and the server has rolled it back. A connection lost during
// COMMIT leaves the outcome open (Transaction::commit). Result sets read before the connection
// broke stay readable to their end.
class Db
{
public:
    explicit Db(QString connectionName = QStringLiteral("selvoro"));
    Db(const Db &) = delete;
    Db &operator=(const Db &) = delete;
    ~Db();

    // Opens the connection, trying a refused or reset one again for settings.retrySeconds; throws
    // DbError (isConnectionLost() when no server answered).
    void open(const ConnectSettings &settings);
    bool isOpen() const;
    void close();

    // Runs a query and returns its rows forward-only. Each "?" of the text stands for the value
    // of `values` at its place: the values travel apart from the text, so no quote or backslash
    // in them, and no sql_mode of the server, changes the statement. The statement and its values
    // cost one exchange with the server. Throws DbError when the statement fails.
    ResultSet query(const QString &sql, const QStringList &values = {});
    // Executes a statement that changes data, its values bound as query() binds them; the number
    // of affected rows is not read.
    void exec(const QString &sql, const QStringList &values = {});
    // The first column of the first row as text; empty text for no row or NULL.
    QString firstValue(const QString &sql, const QStringList &values = {});

    Transaction transaction() { return Transaction(*this); }
    // Runs `change` in a transaction and commits it. When the server gives the transaction up for
    // a deadlock, a lock wait time-out or a conflicting transaction certified first on another
    // cluster node, the whole change runs again after a short pause of random length,
    // LockConflictAttempts times in all; then that failure is thrown like any other.
    void runTransaction(const std::function<void()> &change);
    static constexpr int LockConflictAttempts = 10;

    // Prepares a query with "?" placeholders for values; throws DbError when the server refuses it.
    PreparedQuery prepare(const QString &sql);

    // Number of statements sent since the connection was opened (for benchmarks).
    qint64 statementCount() const { return m_statements; }
    // Number of times runTransaction() ran a change again after a lock conflict (for benchmarks).
    qint64 lockConflictRepeats() const { return m_lockConflictRepeats; }

private:
    friend class Transaction;
    friend class PreparedQuery;
    QSqlDatabase database() const;
    // The current connection; throws DbError when it is not open.
    QSqlDatabase connection() const;
    QSqlQuery newQuery();
    void connect(const QString &name);
    void reopen();
    // Runs `statement`, opening a broken connection first; see the class comment for when it is
    // run again. `read` says the statement changes nothing.
    void run(const std::function<void()> &statement, bool read);
    ResultSet execute(const QString &sql, const QStringList &values, bool read);
    void beginTransaction();
    void commitTransaction();
    void rollbackTransaction(int connection);

    QString m_name;
    ConnectSettings m_settings;
    int m_connection = 0;             // how often the connection has been opened again
    QStringList m_brokenConnections;  // their result sets may still be read
    bool m_broken = false;            // the next statement opens the connection again first
    bool m_inTransaction = false;
    qint64 m_statements = 0;
    qint64 m_lockConflictRepeats = 0;
};

// A statement built from pieces: its text, with a "?" wherever a value stands, and the values
// in the order of their "?".
struct SqlStatement
{
    QString text;
    QStringList values;
};

// A date as it is bound into query conditions: 2026-12-07.
QString sqlDate(const QDate &date);
