#include "common/batchlookup.h"

#include <QSet>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// What one value adds to the packet that carries a statement's values: its UTF-8 bytes, with the
// length and type that go with them. A NULL takes its type only.
qint64 valueBytes(const QString &value) { return value.toUtf8().size() + 16; }
constexpr qint64 NullBytes = 2;

QStringList rowTexts(const ResultSet &rows, int firstColumn)
{
    QStringList row;
    for (int column = firstColumn; column < rows.columnCount(); ++column)
        row.append(rows.textOrEmpty(column));
    return row;
}

}  // namespace

QString firstValue(const LookUpRows &rows) { return rows.isEmpty() ? QString() : rows.first().value(0); }

size_t qHash(const LookUpKey &key, size_t seed) { return qHashMulti(seed, key.code, key.fixed); }

std::optional<QString> plainFold(const QString &code)
{
    QString fold = code;
    for (QChar &c : fold) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u > 0x7e)
            return std::nullopt;
        if (u >= u'A' && u <= u'Z')
            c = QChar(u + (u'a' - u'A'));
    }
    while (fold.endsWith(u' '))
        fold.chop(1);
    return fold;
}

BatchedLookUp::BatchedLookUp(Db &db, LookUpStatements statements, LookUpLimits limits)
    : m_db(db), m_statements(std::move(statements)), m_limits(limits)
{
}

void BatchedLookUp::fetch(const QList<LookUpKey> &keys)
{
    // The codes still to look up, once each, gathered by their fixed values in the order met.
    QList<QStringList> fixedValues;
    QHash<QStringList, QStringList> codesOf;
    QSet<LookUpKey> met;
    for (const LookUpKey &key : keys) {
        if (m_found.contains(key) || met.contains(key))
            continue;
        met.insert(key);
        if (!plainFold(key.code)) {
            runSingle(key);
            continue;
        }
        if (!codesOf.contains(key.fixed))
            fixedValues.append(key.fixed);
        codesOf[key.fixed].append(key.code);
    }

    for (const QStringList &fixed : fixedValues) {
        const qint64 limit = byteLimit();
        const int places = batchPlaces(limit);
        qint64 fixedBytes = 0;
        for (const QString &value : fixed)
            fixedBytes += valueBytes(value);
        QStringList pending = codesOf.value(fixed);
        while (!pending.isEmpty()) {
            QStringList batch, later;
            QSet<QString> folds;
            qint64 bytes = fixedBytes + places * NullBytes;
            for (const QString &code : std::as_const(pending)) {
                if (places == 0 || fixedBytes + places * NullBytes + valueBytes(code) > limit) {
                    // A code too long for any batch goes as the single statement always went.
                    runSingle({code, fixed});
                    continue;
                }
                const QString fold = *plainFold(code);
                if (folds.contains(fold) || batch.size() >= places || bytes + valueBytes(code) > limit) {
                    later.append(code);
                    continue;
                }
                batch.append(code);
                folds.insert(fold);
                bytes += valueBytes(code);
            }
            if (!batch.isEmpty())
                runBatch(fixed, batch, places);
            pending = later;
        }
    }
}

const LookUpRows &BatchedLookUp::rows(const LookUpKey &key) const
{
    static const LookUpRows none;
    const auto found = m_found.constFind(key);
    return found == m_found.cend() ? none : *found;
}

// The batch statement has a "?" for every code a batch may hold; a batch of fewer codes fills the
// rest with NULL, which matches nothing. So the statement is prepared once (the driver asks the
// server once) and each batch costs one exchange.
int BatchedLookUp::batchPlaces(qint64 limit) const
{
    const qint64 text = m_statements.batchHead.size() + m_statements.batchTail.size();
    return int(std::clamp<qint64>((limit - text) / 2, 0, m_limits.codes));
}

void BatchedLookUp::runBatch(const QStringList &fixed, const QStringList &codes, int places)
{
    if (!m_batch)
        m_batch =
            m_db.prepare(m_statements.batchHead + QStringList(places, u"?"_s).join(u',') + m_statements.batchTail);
    ResultSet rows = m_batch->run(codes + QStringList(places - codes.size(), QString()) + fixed);
    QHash<QString, qsizetype> codeOfFold;
    for (qsizetype i = 0; i < codes.size(); ++i)
        codeOfFold.insert(*plainFold(codes.at(i)), i);
    QList<LookUpRows> found(codes.size());
    while (rows.next()) {
        const std::optional<QString> fold = plainFold(rows.textOrEmpty(0));
        const auto code = fold ? codeOfFold.constFind(*fold) : codeOfFold.cend();
        if (code == codeOfFold.cend()) {
            // The server matched a code this way cannot tell: each code of the batch on its own.
            for (const QString &single : codes)
                runSingle({single, fixed});
            return;
        }
        found[*code].append(rowTexts(rows, 1));
    }
    for (qsizetype i = 0; i < codes.size(); ++i) {
        // Several rows of one key come in the order the server's plan gives them, and the plan
        // of the batch may join the tables the other way round: such a key (a master with
        // duplicate keys) takes its rows from its own statement.
        if (found.at(i).size() > 1)
            runSingle({codes.at(i), fixed});
        else
            m_found.insert({codes.at(i), fixed}, found.at(i));
    }
}

void BatchedLookUp::runSingle(const LookUpKey &key)
{
    if (!m_single)
        m_single = m_db.prepare(m_statements.single);
    ResultSet rows =
        m_single->run(m_statements.fixedFirst ? key.fixed + QStringList{key.code} : QStringList{key.code} + key.fixed);
    LookUpRows found;
    while (rows.next())
        found.append(rowTexts(rows, 0));
    m_found.insert(key, found);
}

qint64 BatchedLookUp::byteLimit() { return m_limits.bytes > 0 ? m_limits.bytes : m_db.maxAllowedPacket() / 2; }
