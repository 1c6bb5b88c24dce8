// Look-ups of many keys a statement against the statement of one key (lookups.sql): whatever the
// batch size, each key gets the rows its own statement gives, in the same order.
#include "billing/billquery.h"
#include "common/batchlookup.h"
#include "common/db.h"
#include "davp/davpquery.h"
#include "testdb.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(LookUpKey)
Q_DECLARE_METATYPE(LookUpStatements)

class tst_BatchLookUp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void plainFoldIgnoresCaseAndTrailingBlanksOnly();
    void eachKeyGetsWhatItsOwnStatementGives_data();
    void eachKeyGetsWhatItsOwnStatementGives();
    void aKeyIsLookedUpOnce();
    void batchesHoldAtMostTheirCodesAndBytes();
    void codesOfOneFoldGoToDifferentBatches();
    void aCollationThatEquatesOtherCharactersFallsBackToOneByOne();
    void severalRowsOfAKeyKeepTheOrderOfItsOwnStatement();
    void aFailingBatchThrows();

private:
    LookUpRows single(const LookUpStatements &statements, const LookUpKey &key);
    void compareWithSingle(BatchedLookUp &lookUp, const LookUpStatements &statements, const QList<LookUpKey> &keys);

    Db m_db{u"tst_batchlookup"_s};
};

namespace {

QList<LookUpKey> codes(const QStringList &codes, const QStringList &fixed = {})
{
    QList<LookUpKey> keys;
    for (const QString &code : codes)
        keys.append({code, fixed});
    return keys;
}

// Agency codes: found, found through another letter case or trailing blanks, a sub-area that is
// missing, not in the master at all, quotes, a character outside plain text, and repeats.
const QStringList AgencyCodes = {u"A001"_s, u"A002"_s, u"a001"_s, u"A001  "_s, u"A003"_s, u"A404"_s,        u"Q'1"_s,
                                 u"É01"_s,  u"A001"_s, u"'"_s,    u""_s,       u"A002"_s, u"x' or '1'='1"_s};

}  // namespace

void tst_BatchLookUp::initTestCase()
{
    if (!TestDb::available())
        QSKIP(qPrintable(TestDb::skipReason()));
}

void tst_BatchLookUp::init()
{
    if (QByteArray(QTest::currentTestFunction()) == "plainFoldIgnoresCaseAndTrailingBlanksOnly")
        return;
    TestDb::reset({TestDb::file(u"tests/common/lookups.sql"_s)});
    TestDb::open(m_db);
}

LookUpRows tst_BatchLookUp::single(const LookUpStatements &statements, const LookUpKey &key)
{
    PreparedQuery query = m_db.prepare(statements.single);
    ResultSet rows =
        query.run(statements.fixedFirst ? key.fixed + QStringList{key.code} : QStringList{key.code} + key.fixed);
    LookUpRows found;
    while (rows.next()) {
        QStringList row;
        for (int column = 0; column < rows.columnCount(); ++column)
            row.append(rows.textOrEmpty(column));
        found.append(row);
    }
    return found;
}

void tst_BatchLookUp::compareWithSingle(BatchedLookUp &lookUp, const LookUpStatements &statements,
                                        const QList<LookUpKey> &keys)
{
    for (const LookUpKey &key : keys) {
        LookUpRows expected = single(statements, key);
        // An aggregate of no rows is one row of NULL, which the bills read as empty text.
        if (expected == LookUpRows{QStringList{QString()}})
            expected.clear();
        LookUpRows got = lookUp.rows(key);
        if (got == LookUpRows{QStringList{QString()}})
            got.clear();
        QVERIFY2(got == expected, qPrintable(u"key '"_s + key.code + u"'"_s));
    }
}

void tst_BatchLookUp::plainFoldIgnoresCaseAndTrailingBlanksOnly()
{
    QCOMPARE(plainFold(u"KB/O'x  "_s), std::optional<QString>(u"kb/o'x"_s));
    QCOMPARE(plainFold(u"  A 1"_s), std::optional<QString>(u"  a 1"_s));
    QCOMPARE(plainFold(QString()), std::optional<QString>(QString()));
    QCOMPARE(plainFold(u"É01"_s), std::nullopt);
    QCOMPARE(plainFold(u"A\t1"_s), std::nullopt);
    QCOMPARE(plainFold(u"A\u00A01"_s), std::nullopt);
}

void tst_BatchLookUp::eachKeyGetsWhatItsOwnStatementGives_data()
{
    QTest::addColumn<LookUpStatements>("statements");
    QTest::addColumn<QList<LookUpKey>>("keys");
    QTest::addColumn<int>("batchCodes");
    const QList<LookUpKey> agencies = codes(AgencyCodes);
    QTest::newRow("gst-agency") << agencyLookUp(BillKind::Gst) << agencies << 500;
    QTest::newRow("gst-agency-by-two") << agencyLookUp(BillKind::Gst) << agencies << 2;
    QTest::newRow("split-agency") << agencyLookUp(BillKind::Split) << agencies << 3;
    QTest::newRow("davp-agency") << davpAgencyLookUp() << agencies << 500;
    const QList<LookUpKey> clients = codes({u"C001"_s, u"c001"_s, u"C404"_s, u"C'Q"_s, u"C001"_s});
    QTest::newRow("client") << clientLookUp() << clients << 500;
    QTest::newRow("client-one-by-one") << clientLookUp() << clients << 1;
    QList<LookUpKey> pages;
    for (const QString &schedule : {u"KOC0000001"_s, u"KOC0000002"_s, u"KOC0000003"_s, u"koc0000003"_s, u"KOC'00004"_s,
                                    u"TVM0000005"_s, u"KOC0000001"_s})
        pages.append({schedule, {schedule.left(3)}});
    QTest::newRow("pages") << pagesLookUp() << pages << 500;
    QTest::newRow("pages-by-two") << pagesLookUp() << pages << 2;
    QTest::newRow("davp-pages") << davpPagesLookUp() << codes({u"KOC0000001"_s, u"KOC0000003"_s, u"X"_s}) << 500;
    const QList<LookUpKey> exchange =
        codes({u"KOC0000001"_s, u"KOC0000002"_s, u"KOC0000003"_s, u"koc0000001"_s}, {u"KOC"_s});
    QTest::newRow("exchange-debits") << exchangeDebitsLookUp() << exchange << 500;
    QTest::newRow("exchange-credits") << exchangeCreditsLookUp() << exchange << 3;
    QTest::newRow("rate") << davpRateLookUp() << codes({u"DV001"_s, u"DV002"_s, u"DV009"_s, u"dv001"_s}) << 500;
}

void tst_BatchLookUp::eachKeyGetsWhatItsOwnStatementGives()
{
    QFETCH(LookUpStatements, statements);
    QFETCH(QList<LookUpKey>, keys);
    QFETCH(int, batchCodes);
    BatchedLookUp lookUp(m_db, statements, {batchCodes, 0});
    lookUp.fetch(keys);
    compareWithSingle(lookUp, statements, keys);
}

void tst_BatchLookUp::aKeyIsLookedUpOnce()
{
    BatchedLookUp lookUp(m_db, agencyLookUp(BillKind::Gst));
    m_db.maxAllowedPacket();
    const qint64 before = m_db.statementCount();
    lookUp.fetch(codes(QStringList(50, u"A001"_s) + QStringList(50, u"A002"_s)));
    QCOMPARE(m_db.statementCount() - before, 1);
    lookUp.fetch(codes({u"A002"_s, u"A001"_s}));
    QCOMPARE(m_db.statementCount() - before, 1);
    QCOMPARE(lookUp.rows({u"A002"_s, {}}).first().first(), u"Beta Media"_s);
    // A key that was never fetched has no rows.
    QCOMPARE(lookUp.rows({u"A003"_s, {}}), LookUpRows());
}

void tst_BatchLookUp::batchesHoldAtMostTheirCodesAndBytes()
{
    QStringList many;
    for (int i = 0; i < 10; ++i)
        many.append(u"A%1"_s.arg(i, 3, 10, QChar(u'0')));
    many.append(u"A001"_s);
    BatchedLookUp byCount(m_db, agencyLookUp(BillKind::Gst), {4, 0});
    m_db.maxAllowedPacket();
    qint64 before = m_db.statementCount();
    byCount.fetch(codes(many));
    QCOMPARE(m_db.statementCount() - before, 3);
    compareWithSingle(byCount, agencyLookUp(BillKind::Gst), codes(many));

    // Long codes: the values of each batch stay within the byte limit (a code is some 16 bytes
    // more than its text, the NULL of an unused place 2), two long codes a batch here.
    const LookUpStatements statements = agencyLookUp(BillKind::Gst);
    QStringList long_;
    for (int i = 0; i < 6; ++i)
        long_.append(QString(300, QChar(u'a' + i)));
    long_.append(u"A001"_s);
    BatchedLookUp byBytes(m_db, statements, {4, 700});
    before = m_db.statementCount();
    byBytes.fetch(codes(long_));
    QCOMPARE(m_db.statementCount() - before, 3);
    compareWithSingle(byBytes, statements, codes(long_));

    // A code longer than any batch may hold is looked up alone, with the statement of one key;
    // so is every code when even the statement's text is too long for the limit.
    const qint64 text = statements.batchHead.size() + statements.batchTail.size();
    BatchedLookUp tooLong(m_db, statements, {500, text + 100});
    before = m_db.statementCount();
    tooLong.fetch(codes({QString(200, u'x'), u"A001"_s}));
    QCOMPARE(m_db.statementCount() - before, 2);
    QCOMPARE(tooLong.rows({QString(200, u'x'), {}}), LookUpRows());
    QCOMPARE(tooLong.rows({u"A001"_s, {}}).size(), 1);
    BatchedLookUp tiny(m_db, statements, {500, text});
    before = m_db.statementCount();
    tiny.fetch(codes({u"A001"_s, u"A002"_s}));
    QCOMPARE(m_db.statementCount() - before, 2);
    compareWithSingle(tiny, statements, codes({u"A001"_s, u"A002"_s}));
}

void tst_BatchLookUp::codesOfOneFoldGoToDifferentBatches()
{
    BatchedLookUp lookUp(m_db, agencyLookUp(BillKind::Gst));
    m_db.maxAllowedPacket();
    const qint64 before = m_db.statementCount();
    const QList<LookUpKey> keys = codes({u"A001"_s, u"a001"_s, u"A002"_s, u"A001 "_s});
    lookUp.fetch(keys);
    // {A001, A002}, {a001}, {A001 }: the server finds the one agency for each of the three.
    QCOMPARE(m_db.statementCount() - before, 3);
    for (const QString &code : {u"A001"_s, u"a001"_s, u"A001 "_s})
        QCOMPARE(lookUp.rows({code, {}}).value(0).value(0), u"Alpha Ads"_s);
}

void tst_BatchLookUp::aCollationThatEquatesOtherCharactersFallsBackToOneByOne()
{
    // The server's collation takes E01 for É01: the batch gives back a row no code of it folds
    // to, so every code of that batch is looked up on its own.
    BatchedLookUp lookUp(m_db, agencyLookUp(BillKind::Gst));
    m_db.maxAllowedPacket();
    const qint64 before = m_db.statementCount();
    const QList<LookUpKey> keys = codes({u"A001"_s, u"E01"_s, u"A404"_s});
    lookUp.fetch(keys);
    QCOMPARE(m_db.statementCount() - before, 1 + 3);
    QCOMPARE(lookUp.rows({u"E01"_s, {}}).value(0).value(0), u"Accent Agency"_s);
    compareWithSingle(lookUp, agencyLookUp(BillKind::Gst), keys);
}

void tst_BatchLookUp::severalRowsOfAKeyKeepTheOrderOfItsOwnStatement()
{
    // Masters kept without unique keys: an agency code twice, a sub-area twice, a rate twice. A
    // batch joins the agencies and sub-areas in another order than the statement of one agency.
    TestDb::run(u"USE selvoro;"
                "ALTER TABLE advt_subarea DROP PRIMARY KEY;"
                "INSERT INTO advt_subarea (sub_code, sub_name) VALUES"
                "  ('S1', 'Second Ernakulam'), ('s2', 'Lower Thrissur');"
                "ALTER TABLE advt_agencymaster DROP PRIMARY KEY, ADD KEY (agency_code);"
                "INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea) VALUES"
                "  ('a002', 'Beta Again', 'AG', 'S1'), ('A001', 'Alpha Again', 'AG', 'S2');"
                "ALTER TABLE advt_ratemaster DROP PRIMARY KEY;"
                "INSERT INTO advt_ratemaster (rate_code, rate_name, rate_davp_code, rate_place) VALUES"
                "  ('dv001', 'Display again', '999', 'ELSEWHERE');"_s);
    for (const LookUpStatements &statements : {agencyLookUp(BillKind::Gst), davpAgencyLookUp()}) {
        const QList<LookUpKey> keys = codes({u"A001"_s, u"A002"_s, u"a002"_s, u"A003"_s, u"A001"_s});
        BatchedLookUp lookUp(m_db, statements);
        lookUp.fetch(keys);
        QCOMPARE(lookUp.rows({u"A001"_s, {}}).size(), 4);
        compareWithSingle(lookUp, statements, keys);
    }
    const QList<LookUpKey> rates = codes({u"DV001"_s, u"DV002"_s});
    BatchedLookUp lookUp(m_db, davpRateLookUp());
    lookUp.fetch(rates);
    QCOMPARE(lookUp.rows({u"DV001"_s, {}}).size(), 2);
    compareWithSingle(lookUp, davpRateLookUp(), rates);
}

void tst_BatchLookUp::aFailingBatchThrows()
{
    TestDb::run(u"DROP TABLE selvoro.advt_scheduledetails;"_s);
    BatchedLookUp lookUp(m_db, pagesLookUp());
    QVERIFY_THROWS_EXCEPTION(DbError, lookUp.fetch({{u"KOC0000001"_s, {u"KOC"_s}}}));
}

QTEST_GUILESS_MAIN(tst_BatchLookUp)
#include "tst_batchlookup.moc"
