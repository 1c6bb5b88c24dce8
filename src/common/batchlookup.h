#pragma once

#include "common/db.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What a look-up found for one key: its rows in the order the server gave them, each row the
// texts of its columns (a NULL as empty text).
using LookUpRows = QList<QStringList>;

// The first column of the first row, as the look-up of a single value gives it; empty for no row.
QString firstValue(const LookUpRows &rows);

// A look-up key: the code compared with the master's key column, and the values of the look-up's
// other conditions (the unit of a schedule's insertions, say), which are the same for many codes.
struct LookUpKey
{
    QString code;
    QStringList fixed;

    bool operator==(const LookUpKey &other) const = default;
};
size_t qHash(const LookUpKey &key, size_t seed = 0);

// A look-up as the billing desk has always run it for one key, and the same look-up for many
// keys at once.
struct LookUpStatements
{
    // The statement for one key, with "?" for the code and for each fixed value.
    QString single;
    // Whether the fixed values stand before the code in `single`.
    bool fixedFirst = false;
    // The statement for many codes: batchHead, "?" for each code separated by commas, batchTail.
    // Its values are the codes, then the fixed values. Its first column is the compared key
    // column as stored, the others are the columns of `single` in the same order; an aggregate
    // look-up groups by the key column.
    QString batchHead;
    QString batchTail;
};

// How much one batch statement may carry: `codes` codes, and at most `bytes` in its text and in
// its values (each goes to the server in a packet of its own). `bytes` 0: half the server's
// max_allowed_packet. A few hundred codes keep the IN list well below the length at which the
// server turns it into a table of its own (1,000 values).
struct LookUpLimits
{
    int codes = 500;
    qint64 bytes = 0;
};

// Runs a look-up for many keys with few statements: the codes not looked up before go to the
// server in batches (one run of a statement prepared once, for up to `codes` codes that share
// their fixed values, the statement and its values within the packet limit), and each key gets
// exactly the rows its own single statement would have returned, none when it finds nothing.
//
// The server compares codes under the key column's collation; rows are given back to the key
// whose code folds to the same text (ASCII letters in one case, trailing blanks dropped). So that
// the fold names one key only, a batch never holds two codes of the same fold (the second goes
// to a later batch), codes holding any character outside printable ASCII are looked up one by
// one with the single statement, and a batch that gives back a row whose code folds to none of
// its codes (a collation that equates other characters) is looked up again one by one. A key that
// finds several rows (a master holding its key twice) is looked up again with its single
// statement too, so its rows come in the order the server gives that statement.
class BatchedLookUp
{
public:
    BatchedLookUp(Db &db, LookUpStatements statements, LookUpLimits limits = {});

    // Looks up the keys not looked up before. Throws DbError when a statement fails.
    void fetch(const QList<LookUpKey> &keys);
    // The rows of a key that fetch() has looked up.
    const LookUpRows &rows(const LookUpKey &key) const;

private:
    int batchPlaces(qint64 limit) const;
    void runBatch(const QStringList &fixed, const QStringList &codes, int places);
    void runSingle(const LookUpKey &key);
    qint64 byteLimit();

    Db &m_db;
    LookUpStatements m_statements;
    LookUpLimits m_limits;
    std::optional<PreparedQuery> m_batch;  // prepared at the first batch
    std::optional<PreparedQuery> m_single;
    QHash<LookUpKey, LookUpRows> m_found;
};

// The fold of a code under which the server may find it: ASCII letters in lower case, trailing
// blanks dropped; nothing for a code with a character outside printable ASCII.
std::optional<QString> plainFold(const QString &code);
