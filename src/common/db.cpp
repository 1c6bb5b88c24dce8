#include "common/db.h"

#include "common/boundrows.h"
#include "common/platformtext.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>

using namespace Qt::Literals::StringLiterals;

namespace {

QString errorText(const QSqlError &error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? u"Unknown database error"_s : text;
}

DbError failure(const QSqlError &error) { return DbError(errorText(error), error.nativeErrorCode().toInt()); }

// The values go as UTF-8 bytes, which the server compares like a quoted literal of the statement
// text; the driver's wide-text binding would send a terminating NUL as part of them.
void bindValues(QSqlQuery &query, const QStringList &values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i).toUtf8());
}

}  // namespace

Statement::Statement(QSqlQuery executed) : query(std::move(executed)) {}

Statement::~Statement() = default;

ResultSet::ResultSet(std::shared_ptr<Statement> statement)
    : m_statement(std::move(statement)), m_record(m_statement->query.record())
{
    m_types.reserve(m_record.count());
    for (int i = 0; i < m_record.count(); ++i)
        m_types.append(m_record.field(i).metaType());
    // The rows are read from the statement's ODBC handle (see BoundRows), the previous run's
    // bindings released first.
    m_statement->rows.reset();
    const QVariant handle = m_statement->query.result()->handle();
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
    return platformText(value(position), m_types.value(position));
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
    if (!m_db->database().transaction())
        throw failure(m_db->database().lastError());
}

Transaction::~Transaction()
{
    if (m_open)
        m_db->database().rollback();
}

void Transaction::commit()
{
    QSqlDatabase database = m_db->database();
    if (!database.commit()) {
        const DbError error = failure(database.lastError());
        database.rollback();
        m_open = false;
        throw error;
    }
    m_open = false;
}

Db::Db(QString connectionName) : m_name(std::move(connectionName)) {}

Db::~Db() { close(); }

QSqlDatabase Db::database() const { return QSqlDatabase::database(m_name, false); }

void Db::open(const QString &connectionString, int timeoutSeconds)
{
    close();
    QSqlDatabase database = QSqlDatabase::addDatabase(u"QODBC"_s, m_name);
    database.setDatabaseName(connectionString);
    database.setConnectOptions(u"SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1"_s.arg(timeoutSeconds));
    // Decimals come back as their exact text, so amounts are rounded on decimal values.
    database.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!database.open()) {
        const QString text = errorText(database.lastError());
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw DbError(text);
    }
    m_statements = 0;
    m_maxAllowedPacket = 0;
}

bool Db::isOpen() const { return QSqlDatabase::contains(m_name) && database().isOpen(); }

void Db::close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase database = QSqlDatabase::database(m_name, false);
        database.close();
    }
    QSqlDatabase::removeDatabase(m_name);
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
    }
}

QSqlQuery Db::newQuery()
{
    if (!isOpen())
        throw DbError(u"The database connection is not open."_s);
    QSqlQuery query(database());
    query.setForwardOnly(true);
    return query;
}

ResultSet Db::query(const QString &sql, const QStringList &values)
{
    QSqlQuery query = newQuery();
    ++m_statements;
    // A statement without values is executed directly: one exchange with the server.
    if (values.isEmpty()) {
        if (!query.exec(sql))
            throw failure(query.lastError());
        return ResultSet(std::make_shared<Statement>(std::move(query)));
    }
    if (!query.prepare(sql))
        throw failure(query.lastError());
    bindValues(query, values);
    if (!query.exec())
        throw failure(query.lastError());
    return ResultSet(std::make_shared<Statement>(std::move(query)));
}

PreparedQuery Db::prepare(const QString &sql)
{
    QSqlQuery query = newQuery();
    if (!query.prepare(sql))
        throw failure(query.lastError());
    return PreparedQuery(*this, std::move(query));
}

PreparedQuery::PreparedQuery(Db &db, QSqlQuery query)
    : m_db(&db), m_statement(std::make_shared<Statement>(std::move(query)))
{
}

ResultSet PreparedQuery::run(const QStringList &values)
{
    // The previous run's rows let go of the handle before the driver runs it again.
    m_statement->rows.reset();
    bindValues(m_statement->query, values);
    ++m_db->m_statements;
    if (!m_statement->query.exec())
        throw failure(m_statement->query.lastError());
    return ResultSet(m_statement);
}

void Db::exec(const QString &sql, const QStringList &values) { query(sql, values); }

QString Db::firstValue(const QString &sql, const QStringList &values)
{
    ResultSet rows = query(sql, values);
    return rows.isEmpty() ? QString() : rows.textOrEmpty(0);
}

qint64 Db::maxAllowedPacket()
{
    if (m_maxAllowedPacket == 0) {
        ResultSet rows = query(u"Select @@max_allowed_packet"_s);
        if (rows.isEmpty() || rows.isNull(0) || rows.value(0).toLongLong() <= 0)
            throw DbError(u"The server does not tell its max_allowed_packet."_s);
        m_maxAllowedPacket = rows.value(0).toLongLong();
    }
    return m_maxAllowedPacket;
}

QString sqlDate(const QDate &date) { return date.toString(u"yyyy-MM-dd"_s); }
