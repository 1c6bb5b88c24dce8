#include "common/boundrows.h"

#include "common/dberror.h"

#include <QDateTime>
#include <QSqlField>

#include <sql.h>
#include <sqlext.h>

#include <charconv>
#include <string_view>

using namespace Qt::Literals::StringLiterals;

namespace {

// Text of numbers and dates is short; text columns get room for their declared length in UTF-8.
// Longer values (and text of undeclared length) are read whole at their row.
constexpr SQLLEN ShortValueBytes = 64;
constexpr SQLLEN LongestBoundBytes = 4096;
constexpr SQLLEN PieceBytes = 16384;

SQLLEN boundBytes(const QSqlField &field)
{
    switch (field.metaType().id()) {
    case QMetaType::QString:
        if (field.length() <= 0 || field.length() > (LongestBoundBytes - 1) / 4)
            return LongestBoundBytes;
        return SQLLEN(field.length()) * 4 + 1;
    default: return std::max(ShortValueBytes, SQLLEN(field.length()) + 8);
    }
}

// The driver writes a floating-point value as text to fit the buffer it is given (1.5e10 in a
// small one, 15000000000 in a large one): such a column is read in pieces of the size the Qt
// driver uses, its declared length and a terminator (one more for the decimal point of a type
// with decimals), so that its text is the Qt driver's.
SQLLEN qtPieceBytes(const QSqlField &field)
{
    const int length = field.length() + (field.metaType().id() == QMetaType::Double && field.precision() > 0 ? 1 : 0);
    if (length <= 0)
        return 256;
    return length > 65536 ? 65536 : length + 1;
}

QString diagnostics(SQLHANDLE statement)
{
    SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLINTEGER native = 0;
    SQLCHAR text[SQL_MAX_MESSAGE_LENGTH] = {};
    SQLSMALLINT length = 0;
    if (SQL_SUCCEEDED(SQLGetDiagRec(SQL_HANDLE_STMT, statement, 1, state, &native, text, sizeof text, &length)))
        return QString::fromUtf8(reinterpret_cast<const char *>(text));
    return u"Unable to fetch the next row"_s;
}

// Leading digits of `text` from `at` as a number (the fields of a date or time); moves `at` past them.
int field(const char *text, int size, int &at)
{
    int value = 0;
    while (at < size && (text[at] < '0' || text[at] > '9'))
        ++at;
    while (at < size && text[at] >= '0' && text[at] <= '9')
        value = value * 10 + (text[at++] - '0');
    return value;
}

template <typename T>
T wholeNumber(const char *text, int size)
{
    T value = 0;
    std::from_chars(text, text + size, value);
    return value;
}

}  // namespace

struct BoundRows::Column
{
    QMetaType type;
    bool bound = false;    // read through the bound buffer; otherwise asked for at each row
    QByteArray buffer;     // the bound buffer, or the piece an unbound value is read in
    SQLLEN indicator = 0;  // the value's length in bytes, or SQL_NULL_DATA
    bool whole = false;    // the value did not fit the buffer (or is not bound): see `value`
    QByteArray value;      // the whole value of this row when `whole`

    const char *text() const { return whole ? value.constData() : buffer.constData(); }
    int size() const { return whole ? int(value.size()) : int(indicator); }
};

BoundRows::BoundRows(void *statement, const QSqlRecord &record) : m_statement(statement), m_columns(record.count())
{
    for (int i = 0; i < record.count(); ++i) {
        Column &column = m_columns[size_t(i)];
        const QSqlField field = record.field(i);
        column.type = field.metaType();
        SQLLEN sqlType = SQL_UNKNOWN_TYPE;
        SQLColAttribute(m_statement, SQLUSMALLINT(i + 1), SQL_DESC_CONCISE_TYPE, nullptr, 0, nullptr, &sqlType);
        if (sqlType == SQL_FLOAT || sqlType == SQL_REAL || sqlType == SQL_DOUBLE) {
            column.buffer.resize(qtPieceBytes(field));
            continue;
        }
        if (column.type.id() == QMetaType::QByteArray) {
            column.buffer.resize(PieceBytes);
            continue;
        }
        column.buffer.resize(boundBytes(field));
        column.bound = SQL_SUCCEEDED(SQLBindCol(m_statement, SQLUSMALLINT(i + 1), SQL_C_CHAR, column.buffer.data(),
                                                SQLLEN(column.buffer.size()), &column.indicator));
        if (!column.bound)
            throw DbError(diagnostics(m_statement));
    }
}

BoundRows::~BoundRows() { SQLFreeStmt(m_statement, SQL_UNBIND); }

bool BoundRows::fetch()
{
    const SQLRETURN result = SQLFetch(m_statement);
    if (result == SQL_NO_DATA)
        return false;
    if (!SQL_SUCCEEDED(result))
        throw DbError(diagnostics(m_statement));
    for (int i = 0; i < int(m_columns.size()); ++i) {
        Column &column = m_columns[size_t(i)];
        column.whole = !column.bound
                       || (column.indicator != SQL_NULL_DATA
                           && (column.indicator == SQL_NO_TOTAL || column.indicator >= SQLLEN(column.buffer.size())));
        if (column.whole)
            readWhole(i);
    }
    return true;
}

qint64 BoundRows::rowCount() const
{
    SQLLEN rows = -1;
    if (!SQL_SUCCEEDED(SQLRowCount(m_statement, &rows)))
        return -1;
    return rows;
}

// A value asked for at its row, piece by piece: one longer than its bound buffer, bytes, and
// floating-point numbers.
void BoundRows::readWhole(int index)
{
    Column &column = m_columns[size_t(index)];
    const bool bytes = column.type.id() == QMetaType::QByteArray;
    const SQLSMALLINT target = bytes ? SQL_C_BINARY : SQL_C_CHAR;
    const SQLLEN terminator = bytes ? 0 : 1;
    // A bound buffer that was too small is no piece buffer: its value is read in pieces of its own.
    QByteArray piece(column.bound ? PieceBytes : column.buffer.size(), Qt::Uninitialized);
    column.value.clear();
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN result =
            SQLGetData(m_statement, SQLUSMALLINT(index + 1), target, piece.data(), SQLLEN(piece.size()), &indicator);
        if (result == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(result))
            throw DbError(diagnostics(m_statement));
        if (indicator == SQL_NULL_DATA) {
            column.indicator = SQL_NULL_DATA;
            return;
        }
        const bool more = result == SQL_SUCCESS_WITH_INFO
                          && (indicator == SQL_NO_TOTAL || indicator > SQLLEN(piece.size()) - terminator);
        column.value.append(piece.constData(), more ? piece.size() - terminator : qsizetype(indicator));
        if (!more)
            break;
    }
    column.indicator = SQLLEN(column.value.size());
}

bool BoundRows::isNull(int index) const
{
    const Column &column = m_columns[size_t(index)];
    if (column.indicator == SQL_NULL_DATA)
        return true;
    // The driver reads a zero date ("0000-00-00") as NULL, and a time beyond the day (TIME runs
    // to 838:59:59) as no time at all.
    const int type = column.type.id();
    if (type == QMetaType::QTime) {
        int at = 0;
        return field(column.text(), column.size(), at) > 23;
    }
    return (type == QMetaType::QDate || type == QMetaType::QDateTime) && column.size() >= 10
           && std::string_view(column.text(), 10) == "0000-00-00";
}

QVariant BoundRows::value(int index) const
{
    const Column &column = m_columns[size_t(index)];
    const int type = column.type.id();
    if (isNull(index)) {
        // As the Qt driver leaves them: whole numbers, dates and bytes typed, the rest empty.
        switch (type) {
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UInt:
        case QMetaType::UShort: return QVariant(QMetaType::fromType<int>());
        case QMetaType::LongLong:
        case QMetaType::ULongLong: return QVariant(QMetaType::fromType<qlonglong>());
        case QMetaType::QDate:
        case QMetaType::QTime:
        case QMetaType::QDateTime:
        case QMetaType::QByteArray: return QVariant(column.type);
        default: return {};
        }
    }
    const char *text = column.text();
    int size = column.size();
    switch (type) {
    case QMetaType::Int:
    case QMetaType::Short: return wholeNumber<int>(text, size);
    case QMetaType::UInt:
    case QMetaType::UShort: return wholeNumber<uint>(text, size);
    case QMetaType::LongLong: return wholeNumber<qlonglong>(text, size);
    case QMetaType::ULongLong: return wholeNumber<qulonglong>(text, size);
    case QMetaType::QByteArray: return column.value;
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        int at = 0;
        const int year = field(text, size, at), month = field(text, size, at), day = field(text, size, at);
        if (type == QMetaType::QDate)
            return QDate(year, month, day);
        const int hour = field(text, size, at), minute = field(text, size, at), second = field(text, size, at);
        int millisecond = 0;
        if (at < size && text[at] == '.') {
            ++at;
            for (int digits = 0; digits < 3; ++digits) {
                const bool digit = at < size && text[at] >= '0' && text[at] <= '9';
                millisecond = millisecond * 10 + (digit ? text[at++] - '0' : 0);
            }
        }
        return QDateTime(QDate(year, month, day), QTime(hour, minute, second, millisecond));
    }
    case QMetaType::QTime: {
        int at = 0;
        const int hour = field(text, size, at), minute = field(text, size, at), second = field(text, size, at);
        return QTime(hour, minute, second);
    }
    default: return this->text(index);
    }
}

QString BoundRows::text(int index) const
{
    // As the Qt driver, without one trailing NUL that some drivers add.
    const Column &column = m_columns[size_t(index)];
    int size = column.size();
    if (size > 0 && column.text()[size - 1] == '\0')
        --size;
    return QString::fromUtf8(column.text(), size);
}
