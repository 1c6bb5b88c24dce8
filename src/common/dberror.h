#pragma once

#include <QString>

#include <exception>

// A failed statement, a lost connection or a NULL read where a value is required.
// Thrown by the database layer and caught only at the edges (a form's handler, main()).
class DbError : public std::exception
{
public:
    explicit DbError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};
