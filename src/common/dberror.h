#pragma once

#include <QString>

#include <exception>

// A failed statement, a lost connection or a NULL read where a value is required.
// Thrown by the database layer and caught only at the edges (a form's handler, main()).
class DbError : public std::exception
{
public:
    enum class Kind {
        Refused,         // the server or the driver refused the statement
        ConnectionLost,  // the connection broke or could not be made, or the server is not ready
        CommitUnknown,   // the connection broke during COMMIT: the change may or may not be stored
    };

    // `serverCode` is the server's error number when the server refused a statement, else 0.
    explicit DbError(QString text, int serverCode = 0, Kind kind = Kind::Refused)
        : m_text(std::move(text)), m_utf8(m_text.toUtf8()), m_serverCode(serverCode), m_kind(kind)
    {
    }
    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }
    int serverCode() const { return m_serverCode; }
    Kind kind() const { return m_kind; }
    // The server gave the transaction up to let another one on: a deadlock, a lock waited for too
    // long, or (on a Galera cluster) a transaction of another node certified first. The transaction
    // may succeed when it is run again.
    bool isLockConflict() const { return m_serverCode == 1213 || m_serverCode == 1205; }
    // No server answered: the next statement opens the connection again.
    bool isConnectionLost() const { return m_kind != Kind::Refused; }
    bool isCommitUnknown() const { return m_kind == Kind::CommitUnknown; }

private:
    QString m_text;
    QByteArray m_utf8;
    int m_serverCode;
    Kind m_kind;
};
