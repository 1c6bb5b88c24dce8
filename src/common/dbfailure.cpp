#include "common/dbfailure.h"

#include "common/messages.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>

#include <sql.h>
#include <sqlext.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The SQL state of the latest diagnostic on an ODBC handle; empty when there is none. Qt's error
// leaves it out, and a statement on a connection the driver already knows to be broken fails with
// no text and no server code, only the state 08003.
QString sqlState(SQLSMALLINT type, const QVariant &handle)
{
    if (!handle.isValid() || handle.constData() == nullptr)
        return {};
    SQLHANDLE raw = *static_cast<const SQLHANDLE *>(handle.constData());
    SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (raw == nullptr || !SQL_SUCCEEDED(SQLGetDiagRec(type, raw, 1, state, &native, nullptr, 0, &length)))
        return {};
    return QString::fromLatin1(reinterpret_cast<const char *>(state));
}

bool connectionLost(int serverCode, const QString &state)
{
    switch (serverCode) {
    case 1047:  // a Galera node not ready: "WSREP has not yet prepared node for application use"
    case 1053:  // server shutdown in progress
    case 1927:  // connection was killed
    case 2002:  // cannot connect (refused)
    case 2003:  // cannot connect over TCP
    case 2006:  // server has gone away
    case 2013:  // lost connection during the statement or the handshake
        return true;
    default:
        // Communication link failure, connection not open, unable to establish the connection.
        return state == u"08S01"_s || state == u"08003"_s || state == u"08001"_s;
    }
}

DbError classified(const QSqlError &error, const QString &state)
{
    const int code = error.nativeErrorCode().section(u';', 0, 0).toInt();
    if (connectionLost(code, state))
        return DbError(Msg::ConnectFailed, code, DbError::Kind::ConnectionLost);
    const QString text = error.text().trimmed();
    return DbError(text.isEmpty() ? u"Unknown database error"_s : text, code);
}

// The diagnostics of an ODBC handle as Qt's driver joins them: every record's text once, separated
// by blanks; `native` becomes the last record's server code.
QString diagnosticTexts(SQLSMALLINT type, SQLHANDLE handle, int &native)
{
    QString texts;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER code = 0;
        SQLWCHAR text[SQL_MAX_MESSAGE_LENGTH] = {};
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(SQLGetDiagRecW(type, handle, record, state, &code, text, SQL_MAX_MESSAGE_LENGTH, &length)))
            break;
        native = int(code);
        const QString message = QString::fromUtf16(reinterpret_cast<const char16_t *>(text),
                                                   std::min<qsizetype>(length, SQL_MAX_MESSAGE_LENGTH - 1));
        if (message != texts) {
            if (!texts.isEmpty())
                texts += u' ';
            texts += message;
        }
    }
    return texts;
}

}  // namespace

DbError directStatementFailure(void *statement, const QSqlDatabase &database)
{
    const QVariant connection = database.driver() ? database.driver()->handle() : QVariant();
    int native = -1;
    QString texts;
    if (connection.isValid() && connection.constData() != nullptr)
        texts = diagnosticTexts(SQL_HANDLE_DBC, *static_cast<const SQLHANDLE *>(connection.constData()), native);
    QString state;
    if (statement != nullptr) {
        const QString statementTexts = diagnosticTexts(SQL_HANDLE_STMT, statement, native);
        if (!statementTexts.isEmpty())
            texts += (texts.isEmpty() ? QString() : u" "_s) + statementTexts;
        state = sqlState(SQL_HANDLE_STMT, QVariant::fromValue(statement));
    }
    if (state.isEmpty())
        state = sqlState(SQL_HANDLE_DBC, connection);
    const QSqlError error(u"QODBC3: Unable to execute statement"_s, texts, QSqlError::StatementError,
                          native != -1 ? QString::number(native) : QString());
    return classified(error, state);
}

DbError statementFailure(const QSqlQuery &query)
{
    QString state = sqlState(SQL_HANDLE_STMT, query.result()->handle());
    if (state.isEmpty() && query.driver())
        state = sqlState(SQL_HANDLE_DBC, query.driver()->handle());
    return classified(query.lastError(), state);
}

DbError connectionFailure(const QSqlDatabase &database)
{
    const QString state = database.driver() ? sqlState(SQL_HANDLE_DBC, database.driver()->handle()) : QString();
    return classified(database.lastError(), state);
}
