#pragma once

#include <QMetaType>
#include <QSqlRecord>
#include <QVariant>

#include <vector>

// The rows of a statement that Qt's ODBC driver has executed, read straight from the ODBC handle
// into buffers bound once per column. The Qt driver asks for every value on its own, as UTF-16
// text that the driver manager converts value by value; on a result of ten thousand bills that
// costs more than the server's whole work. Here the driver writes each row's values as text into
// the bound buffers in one call (floating-point numbers, bytes and values longer than their
// buffer are asked for at their row), and a value becomes the very QVariant the Qt driver would
// have made of it: text as QString, numbers of DECIMAL and floating types as their exact text (the
// connection reads decimals at high precision), whole numbers as int, uint or qlonglong, dates
// and times as QDate, QTime and QDateTime (a zero date is NULL), bytes as QByteArray.
class BoundRows
{
public:
    // Binds the columns of `record` (the result's columns as the Qt driver describes them) on the
    // ODBC statement handle `statement`, which stands before the first row.
    BoundRows(void *statement, const QSqlRecord &record);
    BoundRows(const BoundRows &) = delete;
    BoundRows &operator=(const BoundRows &) = delete;
    // Leaves the handle without bindings, so the Qt driver can run it again.
    ~BoundRows();

    // Moves to the next row; false after the last. Throws DbError when the driver fails.
    bool fetch();
    bool isNull(int column) const;
    QVariant value(int column) const;
    // The rows of the result as the driver counts them (it holds the whole result once the
    // statement has run); -1 when it does not say.
    qint64 rowCount() const;
    // The value of a column that is not NULL as the text the driver wrote: what value() gives for
    // text, and for numbers of DECIMAL and floating types.
    QString text(int column) const;

private:
    struct Column;  // boundrows.cpp: the ODBC types stay out of this header

    void readWhole(int column);

    void *m_statement;
    std::vector<Column> m_columns;
};
