#pragma once

#include <QString>

#include <exception>

// A failed statement, a lost connection or a NULL read where a value is required.
// Thrown by the database layer and caught only at the edges (a form's handler, main()).
class DbError : public std::exception
{
public:
    // `serverCode` is the server's error number when the server refused a statement, else 0.
    explicit DbError(QString text, int serverCode = 0)
        : m_text(std::move(text)), m_utf8(m_text.toUtf8()), m_serverCode(serverCode)
    {
    }
    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }
    int serverCode() const { return m_serverCode; }
    // The server gave the transaction up to let another one on: a deadlock, or a lock waited for
    // too long. The transaction may succeed when it is run again.
    bool isLockConflict() const { return m_serverCode == 1213 || m_serverCode == 1205; }

private:
    QString m_text;
    QByteArray m_utf8;
    int m_serverCode;
};
