// Result rows read through bound buffers against the same rows read by Qt's ODBC driver: every
// value the same, type and all, NULLs and long values included.
#include "common/db.h"
#include "testdb.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_ResultSet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void valuesAreThoseOfQtsOwnReading_data();
    void valuesAreThoseOfQtsOwnReading();
    void preparedRunsReadTheirOwnRows();
    void platformTextOfTheValues();

private:
    Db m_db{u"tst_resultset"_s};
};

void tst_ResultSet::initTestCase()
{
    REQUIRE_TEST_DB();
    TestDb::reset({uR"(
        SET SESSION sql_mode = '';
        CREATE TABLE kinds (
            id INT PRIMARY KEY, v VARCHAR(20), c CHAR(6), t TEXT, d DECIMAL(12,2), f DOUBLE, r FLOAT,
            i INT, u INT UNSIGNED, b BIGINT, s SMALLINT, y TINYINT, dt DATE, ts DATETIME(3), tm TIME, bl BLOB);
        INSERT INTO kinds VALUES
            (1, 'Kochi', 'ab  ', 'plain', 1500.00, 2.5, 0.25, -7, 4000000000, 9007199254740993, -3, 200,
             '2026-01-05', '2026-01-05 10:20:30.123', '10:20:30', 'bytes'),
            (2, 'കൊച്ചി é€', '', '', 0.10, -1e300, 1.5e10, 0, 0, -1, 0, 0,
             '0000-00-00', '0000-00-00 00:00:00', '-10:00:00', ''),
            (3, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
            (4, 'x', 'y', REPEAT('ക', 3000), -0.5, 0, 0, 1, 1, 1, 1, 1, '2024-02-29', '2024-02-29 23:59:59',
             '838:59:59', REPEAT('z', 20000)),
            (5, 'tab	in', 'q''', REPEAT('long text ', 2000), 99999999.99, 1.0000000000000002, 3.4e38, 2147483647,
             4294967295, -9223372036854775808, 32767, 127, '1000-01-01', '9999-12-31 23:59:59.999', '00:00:00', NULL);
    )"_s});
    TestDb::open(m_db);
}

void tst_ResultSet::valuesAreThoseOfQtsOwnReading_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("every-kind") << u"Select * from kinds order by id"_s << QStringList();
    // With values the statement runs directly on a handle of its own, its columns described there,
    // and the server sends the rows in its binary form; Qt's driver reads it prepared.
    QTest::newRow("every-kind-prepared") << u"Select * from kinds where id > ? order by id"_s << QStringList{u"0"_s};
    QTest::newRow("computed") << u"Select id, concat(v, '!') as joined, group_concat(t) as pages, sum(d) as total, "
                                 "count(*) as n, @@max_allowed_packet as packet from kinds group by id order by id"_s
                              << QStringList();
    QTest::newRow("computed-prepared") << u"Select id, concat(v, ?) as joined, group_concat(t) as pages, sum(d) as "
                                          "total, count(*) as n from kinds group by id order by id"_s
                                       << QStringList{u"!"_s};
    QTest::newRow("no-rows") << u"Select * from kinds where id < 0"_s << QStringList();
}

void tst_ResultSet::valuesAreThoseOfQtsOwnReading()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, values);
    QSqlQuery qt(QSqlDatabase::database(u"tst_resultset"_s));
    qt.setForwardOnly(true);
    if (values.isEmpty()) {
        QVERIFY(qt.exec(sql));
    } else {
        QVERIFY(qt.prepare(sql));
        for (int i = 0; i < values.size(); ++i)
            qt.bindValue(i, values.at(i).toUtf8());
        QVERIFY(qt.exec());
    }
    ResultSet rows = m_db.query(sql, values);
    QCOMPARE(rows.columnCount(), qt.record().count());
    int count = 0;
    while (qt.next()) {
        QVERIFY(rows.next());
        ++count;
        for (int column = 0; column < rows.columnCount(); ++column) {
            const QVariant expected = qt.value(column);
            const QVariant got = rows.value(column);
            const QByteArray where =
                "row " + QByteArray::number(count) + " column " + qt.record().fieldName(column).toUtf8();
            QVERIFY2(got.metaType() == expected.metaType(), where.constData());
            QVERIFY2(got.isNull() == expected.isNull(), where.constData());
            QVERIFY2(rows.isNull(column) == qt.isNull(column), where.constData());
            QVERIFY2(got == expected, where.constData());
        }
    }
    QVERIFY(!rows.next());
    QVERIFY(count > 0 || sql.contains(u"id < 0"_s));
}

void tst_ResultSet::preparedRunsReadTheirOwnRows()
{
    PreparedQuery query = m_db.prepare(u"Select v, t from kinds where id = ?"_s);
    {
        ResultSet first = query.run({u"4"_s});
        QVERIFY(first.next());
        QCOMPARE(first.text(u"t"_s), QString(3000, QChar(0x0D15)));
    }
    ResultSet second = query.run({u"2"_s});
    QVERIFY(second.next());
    QCOMPARE(second.text(u"v"_s), u"കൊച്ചി é€"_s);
    QCOMPARE(second.text(u"t"_s), QString());
    QVERIFY(!second.next());
    ResultSet none = query.run({u"0"_s});
    QVERIFY(none.isEmpty());
}

void tst_ResultSet::platformTextOfTheValues()
{
    ResultSet rows = m_db.query(u"Select * from kinds where id in (1, 2) order by id"_s);
    QVERIFY(rows.next());
    QCOMPARE(rows.text(u"d"_s), u"1500"_s);
    QCOMPARE(rows.decimalText(u"d"_s), u"1500.00"_s);
    QCOMPARE(rows.text(u"dt"_s), u"05-Jan-2026"_s);
    QCOMPARE(rows.text(u"c"_s), u"ab"_s);
    QCOMPARE(rows.integer(u"u"_s), 4000000000LL);
    QVERIFY(rows.next());
    // A zero date is NULL, as the driver gives it.
    QVERIFY(rows.isNull(u"dt"_s));
    QCOMPARE(rows.textOrEmpty(u"dt"_s), QString());
    QVERIFY_THROWS_EXCEPTION(DbError, rows.text(u"ts"_s));
}

QTEST_GUILESS_MAIN(tst_ResultSet)
#include "tst_resultset.moc"
