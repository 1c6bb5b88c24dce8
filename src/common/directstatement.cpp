#include "common/directstatement.h"

#include "common/dberror.h"
#include "common/dbfailure.h"

#include <QSqlDriver>
#include <QSqlField>

#include <sql.h>
#include <sqlext.h>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr SQLSMALLINT ColumnNameLength = 256;

// The type Qt's driver gives a column of an ODBC type.
QMetaType qtType(SQLSMALLINT sqlType, bool isSigned)
{
    switch (sqlType) {
    case SQL_DECIMAL:
    case SQL_NUMERIC:
    case SQL_FLOAT:
    case SQL_DOUBLE: return QMetaType(QMetaType::Double);
    case SQL_REAL: return QMetaType(QMetaType::Float);
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIT: return QMetaType(isSigned ? QMetaType::Int : QMetaType::UInt);
    case SQL_TINYINT: return QMetaType(QMetaType::UInt);
    case SQL_BIGINT: return QMetaType(isSigned ? QMetaType::LongLong : QMetaType::ULongLong);
    case SQL_DATE:
    case SQL_TYPE_DATE: return QMetaType(QMetaType::QDate);
    case SQL_TIME:
    case SQL_TYPE_TIME: return QMetaType(QMetaType::QTime);
    case SQL_TIMESTAMP:
    case SQL_TYPE_TIMESTAMP: return QMetaType(QMetaType::QDateTime);
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR:
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_GUID:
    case SQL_LONGVARCHAR: return QMetaType(QMetaType::QString);
    default: return QMetaType(QMetaType::QByteArray);
    }
}

QSqlField describe(SQLHSTMT statement, int column)
{
    SQLWCHAR name[ColumnNameLength] = {};
    SQLSMALLINT nameLength = 0, sqlType = 0, scale = 0, nullable = SQL_NULLABLE_UNKNOWN;
    SQLULEN size = 0;
    if (!SQL_SUCCEEDED(SQLDescribeColW(statement, SQLUSMALLINT(column + 1), name, ColumnNameLength, &nameLength,
                                       &sqlType, &size, &scale, &nullable)))
        throw DbError(u"The database driver cannot describe column "_s + QString::number(column + 1));
    SQLLEN unsignedFlag = SQL_FALSE;
    SQLColAttributeW(statement, SQLUSMALLINT(column + 1), SQL_DESC_UNSIGNED, nullptr, 0, nullptr, &unsignedFlag);
    const qsizetype length = std::min<qsizetype>(nameLength, ColumnNameLength - 1);
    QSqlField field(QString::fromUtf16(reinterpret_cast<const char16_t *>(name), length),
                    qtType(sqlType, unsignedFlag == SQL_FALSE));
    field.setSqlType(sqlType);
    field.setLength(size == 0 ? -1 : int(size));
    field.setPrecision(scale == 0 ? -1 : int(scale));
    if (nullable == SQL_NO_NULLS)
        field.setRequired(true);
    else if (nullable == SQL_NULLABLE)
        field.setRequired(false);
    return field;
}

}  // namespace

DirectStatement::DirectStatement(QSqlDatabase database) : m_database(std::move(database))
{
    const QVariant connection = m_database.driver() ? m_database.driver()->handle() : QVariant();
    if (!m_database.isOpen() || !connection.isValid() || connection.constData() == nullptr)
        throw DbError(u"The database connection is not open."_s);
    SQLHDBC dbc = *static_cast<const SQLHDBC *>(connection.constData());
    SQLHSTMT statement = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &statement)))
        throw directStatementFailure(nullptr, m_database);
    m_handle = statement;
    SQLSetStmtAttr(statement, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(SQL_CURSOR_FORWARD_ONLY),
                   SQL_IS_UINTEGER);
}

// A connection closed since has taken its statements with it.
DirectStatement::~DirectStatement()
{
    if (m_database.isOpen())
        SQLFreeHandle(SQL_HANDLE_STMT, m_handle);
}

void DirectStatement::execute(const QString &sql, const QList<QByteArray> &values)
{
    std::vector<SQLLEN> lengths(size_t(values.size()));
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QByteArray &value = values.at(i);
        SQLLEN &length = lengths[size_t(i)];
        length = value.isNull() ? SQL_NULL_DATA : SQLLEN(value.size());
        if (!SQL_SUCCEEDED(SQLBindParameter(m_handle, SQLUSMALLINT(i + 1), SQL_PARAM_INPUT, SQL_C_BINARY,
                                            SQL_LONGVARBINARY, SQLULEN(value.size()), 0,
                                            const_cast<char *>(value.constData()), SQLLEN(value.size()), &length)))
            throw directStatementFailure(m_handle, m_database);
    }
    const SQLRETURN result =
        SQLExecDirectW(m_handle, const_cast<SQLWCHAR *>(reinterpret_cast<const SQLWCHAR *>(sql.utf16())), SQL_NTS);
    if (!SQL_SUCCEEDED(result) && result != SQL_NO_DATA)
        throw directStatementFailure(m_handle, m_database);
    SQLSMALLINT columns = 0;
    SQLNumResultCols(m_handle, &columns);
    for (int column = 0; column < columns; ++column)
        m_record.append(describe(m_handle, column));
}
