#include "common/db.h"

#include "common/boundrows.h"
#include "common/dbfailure.h"
#include "common/directstatement.h"
#include "common/numbers.h"
#include "common/platformtext.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>
#include <QThread>

using namespace Qt::Literals::StringLiterals;

namespace {

// A connection or a statement that took this close to its time-out ran into it.
constexpr qint64 TimeOutMarginMs = 250;
// Between two attempts at a refused connection.
constexpr qint64 ConnectPauseMs = 250;
// The shortest pause before a change runs again after a lock conflict; the longest grows with
// each attempt.
constexpr int LockPauseMs = 10;

QString connectionName(const QString &base, int connection)
{
    return connection == 0 ? base : base + u'#' + QString::number(connection);
}

// The values go as UTF-8 bytes, which the server compares like a quoted literal of the statement
// text; the driver's wide-text binding would send a terminating NUL as part of them.
QList<QByteArray> utf8Values(const QStringList &values)
{
    QList<QByteArray> bytes;
    bytes.reserve(values.size());
    for (const QString &value : values)
        bytes.append(value.toUtf8());
    return bytes;
}

void bindValues(QSqlQuery &query, const QStringList &values)
{
    const QList<QByteArray> bytes = utf8Values(values);
    for (int i = 0; i < bytes.size(); ++i)
        query.bindValue(i, bytes.at(i));
}

}  // namespace

Statement::Statement(QSqlQuery executed) : query(std::move(executed)) {}

Statement::Statement(std::unique_ptr<DirectStatement> executed) : direct(std::move(executed)) {}

Statement::~Statement() = default;

QSqlRecord Statement::record() const { return direct ? direct->record() : query.record(); }

QVariant Statement::handle() const { return direct ? QVariant::fromValue(direct->handle()) : query.result()->handle(); }

ResultSet::ResultSet(std::shared_ptr<Statement> statement)
    : m_statement(std::move(statement)), m_record(m_statement->record())
{
    m_types.reserve(m_record.count());
    for (int i = 0; i < m_record.count(); ++i)
        m_types.append(m_record.field(i).metaType());
    // The rows are read from the statement's ODBC handle (see BoundRows), the previous run's
    // bindings released first.
    m_statement->rows.reset();
    const QVariant handle = m_statement->handle();
    if (!handle.isValid() || handle.constData() == nullptr)
        throw DbError(u"The database driver gives no statement handle."_s);
    m_statement->rows = std::make_unique<BoundRows>(*static_cast<void *const *>(handle.constData()), m_record);
}

bool ResultSet::next()
{
    m_started = true;
    m_onRow = m_statement->rows->fetch();
    return m_onRow;
}

bool ResultSet::isEmpty()
{
    if (!m_started)
        next();
    return !m_onRow;
}

qint64 ResultSet::size() const { return m_statement->rows->rowCount(); }

std::optional<int> ResultSet::findPosition(const QString &column) const
{
    const int index = m_record.indexOf(column);
    if (index < 0)
        return std::nullopt;
    return index;
}

int ResultSet::position(const QString &column) const
{
    const std::optional<int> index = findPosition(column);
    if (!index)
        throw DbError(u"Item cannot be found in the collection corresponding to the requested name or ordinal: "_s
                      + column);
    return *index;
}

bool ResultSet::isNull(const QString &column) const { return isNull(position(column)); }
bool ResultSet::isNull(int position) const { return m_statement->rows->isNull(position); }
QVariant ResultSet::value(const QString &column) const { return value(position(column)); }
QVariant ResultSet::value(int position) const { return m_statement->rows->value(position); }

QString ResultSet::text(const QString &column) const { return text(position(column)); }

QString ResultSet::text(int position) const
{
    if (isNull(position))
        throw DbError(u"Invalid use of Null: "_s + m_record.fieldName(position));
    return textOrEmpty(position);
}

QString ResultSet::textOrEmpty(const QString &column) const { return textOrEmpty(position(column)); }

QString ResultSet::textOrEmpty(int position) const
{
    if (isNull(position))
        return {};
    // Text and decimals, most of what a bill reads, go straight from the driver's text.
    switch (m_types.value(position).id()) {
    case QMetaType::QString: return m_statement->rows->text(position);
    case QMetaType::Double:
    case QMetaType::Float: return shortestText(m_statement->rows->text(position));
    default: return platformText(value(position), m_types.value(position));
    }
}

QString ResultSet::decimalText(const QString &column) const
{
    const int index = position(column);
    if (isNull(index))
        throw DbError(u"Invalid use of Null: "_s + column);
    return value(index).toString();
}

double ResultSet::number(const QString &column) const
{
    const int index = position(column);
    if (isNull(index))
        throw DbError(u"Invalid use of Null: "_s + column);
    return value(index).toDouble();
}

qlonglong ResultSet::integer(const QString &column) const
{
    const int index = position(column);
    if (isNull(index))
        throw DbError(u"Invalid use of Null: "_s + column);
    return value(index).toLongLong();
}

Transaction::Transaction(Db &db) : m_db(&db)
{
    m_db->beginTransaction();
    m_connection = m_db->m_connection;
}

Transaction::~Transaction()
{
    if (m_open)
        m_db->rollbackTransaction(m_connection);
}

void Transaction::commit()
{
    m_open = false;
    m_db->commitTransaction();
}

Db::Db(QString connectionName) : m_name(std::move(connectionName)) {}

Db::~Db() { close(); }

QSqlDatabase Db::database() const { return QSqlDatabase::database(connectionName(m_name, m_connection), false); }

void Db::open(const ConnectSettings &settings)
{
    close();
    m_settings = settings;
    connect(connectionName(m_name, 0));
    m_statements = 0;
}

// One connection of the given name; a refused or reset one is tried again for the retry time,
// one that timed out (a server that takes the connection and never answers) is not.
void Db::connect(const QString &name)
{
    QElapsedTimer retrying;
    retrying.start();
    for (;;) {
        QElapsedTimer attempt;
        attempt.start();
        QSqlDatabase database = QSqlDatabase::addDatabase(u"QODBC"_s, name);
        database.setDatabaseName(m_settings.connectionString);
        database.setConnectOptions(
            u"SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1"_s.arg(m_settings.connectTimeout));
        // Decimals come back as their exact text, so amounts are rounded on decimal values.
        database.setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (database.open())
            return;
        const DbError error = connectionFailure(database);
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        const bool timedOut = attempt.elapsed() >= qint64(m_settings.connectTimeout) * 1000 - TimeOutMarginMs;
        if (!error.isConnectionLost() || timedOut
            || retrying.elapsed() + ConnectPauseMs > qint64(m_settings.retrySeconds) * 1000)
            throw error;
        QThread::msleep(static_cast<unsigned long>(ConnectPauseMs));
    }
}

// The broken connection stays registered (its result sets may still be read); the new one gets a
// name of its own.
void Db::reopen()
{
    m_broken = true;
    const int next = m_connection + 1;
    connect(connectionName(m_name, next));
    m_brokenConnections.append(connectionName(m_name, m_connection));
    m_connection = next;
    m_broken = false;
}

bool Db::isOpen() const
{
    return !m_broken && QSqlDatabase::contains(connectionName(m_name, m_connection)) && database().isOpen();
}

void Db::close()
{
    QStringList names = m_brokenConnections;
    names.append(connectionName(m_name, m_connection));
    for (const QString &name : std::as_const(names)) {
        if (!QSqlDatabase::contains(name))
            continue;
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    m_brokenConnections.clear();
    m_connection = 0;
    m_broken = false;
    m_inTransaction = false;
}

void Db::run(const std::function<void()> &statement, bool read)
{
    if (m_broken)
        reopen();
    QElapsedTimer clock;
    clock.start();
    try {
        statement();
        return;
    } catch (const DbError &error) {
        if (!error.isConnectionLost())
            throw;
        m_broken = true;
        const bool timedOut = m_settings.statementTimeout > 0
                              && clock.elapsed() >= qint64(m_settings.statementTimeout) * 1000 - TimeOutMarginMs;
        if (!read || m_inTransaction || timedOut)
            throw;
    }
    reopen();
    try {
        statement();
    } catch (const DbError &error) {
        if (error.isConnectionLost())
            m_broken = true;
        throw;
    }
}

// Nothing has run in the transaction yet: a begin on a broken connection is repeated on a new one.
void Db::beginTransaction()
{
    run(
        [this] {
            QSqlDatabase db = database();
            if (!db.transaction())
                throw connectionFailure(db);
        },
        true);
    m_inTransaction = true;
}

void Db::commitTransaction()
{
    m_inTransaction = false;
    QSqlDatabase db = database();
    if (db.commit())
        return;
    const DbError error = connectionFailure(db);
    if (error.isConnectionLost()) {
        m_broken = true;
        throw DbError(error.text(), error.serverCode(), DbError::Kind::CommitUnknown);
    }
    db.rollback();
    throw error;
}

// A transaction whose connection broke was rolled back by the server when the session ended.
void Db::rollbackTransaction(int connection)
{
    m_inTransaction = false;
    if (connection == m_connection && !m_broken)
        database().rollback();
}

void Db::runTransaction(const std::function<void()> &change)
{
    for (int attempt = 1;; ++attempt) {
        try {
            Transaction transaction(*this);
            change();
            transaction.commit();
            return;
        } catch (const DbError &error) {
            if (!error.isLockConflict() || attempt == LockConflictAttempts)
                throw;
        }
        ++m_lockConflictRepeats;
        // Sessions that collided would collide again if they started over in step.
        QThread::msleep(
            static_cast<unsigned long>(QRandomGenerator::global()->bounded(LockPauseMs, LockPauseMs * (attempt + 1))));
    }
}

QSqlDatabase Db::connection() const
{
    if (!QSqlDatabase::contains(connectionName(m_name, m_connection)))
        throw DbError(u"The database connection is not open."_s);
    return database();
}

QSqlQuery Db::newQuery()
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    return query;
}

ResultSet Db::query(const QString &sql, const QStringList &values) { return execute(sql, values, true); }

void Db::exec(const QString &sql, const QStringList &values) { execute(sql, values, false); }

ResultSet Db::execute(const QString &sql, const QStringList &values, bool read)
{
    std::optional<ResultSet> rows;
    run(
        [&] {
            // Executed directly, values and all: one exchange with the server, where a prepared
            // statement costs one more for the prepare.
            if (values.isEmpty()) {
                QSqlQuery query = newQuery();
                ++m_statements;
                if (!query.exec(sql))
                    throw statementFailure(query);
                rows.emplace(std::make_shared<Statement>(std::move(query)));
            } else {
                auto direct = std::make_unique<DirectStatement>(connection());
                ++m_statements;
                direct->execute(sql, utf8Values(values));
                rows.emplace(std::make_shared<Statement>(std::move(direct)));
            }
        },
        read);
    return std::move(*rows);
}

PreparedQuery Db::prepare(const QString &sql)
{
    std::optional<QSqlQuery> prepared;
    run(
        [&] {
            QSqlQuery query = newQuery();
            if (!query.prepare(sql))
                throw statementFailure(query);
            prepared.emplace(std::move(query));
        },
        true);
    return PreparedQuery(*this, sql, std::move(*prepared));
}

PreparedQuery::PreparedQuery(Db &db, QString sql, QSqlQuery query)
    : m_db(&db), m_sql(std::move(sql)), m_connection(db.m_connection),
      m_statement(std::make_shared<Statement>(std::move(query)))
{
}

ResultSet PreparedQuery::run(const QStringList &values)
{
    std::optional<ResultSet> rows;
    m_db->run(
        [&] {
            if (m_connection != m_db->m_connection) {
                QSqlQuery query = m_db->newQuery();
                if (!query.prepare(m_sql))
                    throw statementFailure(query);
                m_statement = std::make_shared<Statement>(std::move(query));
                m_connection = m_db->m_connection;
            }
            // The previous run's rows let go of the handle before the driver runs it again.
            m_statement->rows.reset();
            bindValues(m_statement->query, values);
            ++m_db->m_statements;
            if (!m_statement->query.exec())
                throw statementFailure(m_statement->query);
            rows.emplace(m_statement);
        },
        true);
    return std::move(*rows);
}

QString Db::firstValue(const QString &sql, const QStringList &values)
{
    ResultSet rows = query(sql, values);
    return rows.isEmpty() ? QString() : rows.textOrEmpty(0);
}

QString sqlDate(const QDate &date) { return date.toString(u"yyyy-MM-dd"_s); }
