#pragma once

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>

// A statement with values run in one exchange with the server: its text goes to the driver with
// the values bound and is executed directly (Qt's driver would prepare it first, which costs an
// exchange of its own). The values are bound as Qt's driver binds UTF-8 bytes, and the columns of
// the result are described as it describes them, so the rows read the same either way.
class DirectStatement
{
public:
    // A statement handle on the connection of `database`; throws DbError when the driver has none.
    explicit DirectStatement(QSqlDatabase database);
    DirectStatement(const DirectStatement &) = delete;
    DirectStatement &operator=(const DirectStatement &) = delete;
    ~DirectStatement();

    // Runs `sql` with one value for each "?" in order (a null array binds NULL). Throws DbError
    // when the statement fails.
    void execute(const QString &sql, const QList<QByteArray> &values);
    // The ODBC statement handle, standing before the first row after execute().
    void *handle() const { return m_handle; }
    // The columns of the result, empty for a statement without rows.
    const QSqlRecord &record() const { return m_record; }

private:
    QSqlDatabase m_database;  // the connection, kept for as long as the handle
    void *m_handle = nullptr;
    QSqlRecord m_record;
};
