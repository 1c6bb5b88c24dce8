#include "common/numbers.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_Numbers : public QObject
{
    Q_OBJECT
private slots:
    void twoDecimalsSendsAnExactHalfAwayFromZero_data();
    void twoDecimalsSendsAnExactHalfAwayFromZero();
    void roundHalfEvenGoesToTheEvenNeighbour_data();
    void roundHalfEvenGoesToTheEvenNeighbour();
    void leadingNumberTakesTheNumericPrefix_data();
    void leadingNumberTakesTheNumericPrefix();
    void shortestTextDropsTrailingZeros_data();
    void shortestTextDropsTrailingZeros();
};

void tst_Numbers::twoDecimalsSendsAnExactHalfAwayFromZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1.005-up") << 1.005 << u"1.01"_s;
    QTest::newRow("2.675-up") << 2.675 << u"2.68"_s;
    QTest::newRow("minus-2.675-away") << -2.675 << u"-2.68"_s;
    QTest::newRow("1.004-down") << 1.004 << u"1.00"_s;
    QTest::newRow("whole") << 1500.0 << u"1500.00"_s;
    QTest::newRow("carry") << 9.995 << u"10.00"_s;
    QTest::newRow("zero") << 0.0 << u"0.00"_s;
    QTest::newRow("minus-tiny-is-zero") << -0.001 << u"0.00"_s;
}

void tst_Numbers::twoDecimalsSendsAnExactHalfAwayFromZero()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(twoDecimals(value), expected);
}

void tst_Numbers::roundHalfEvenGoesToTheEvenNeighbour_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("2.5-to-2") << 2.5 << 2.0;
    QTest::newRow("3.5-to-4") << 3.5 << 4.0;
    QTest::newRow("minus-3.5-to-minus-4") << -3.5 << -4.0;
    QTest::newRow("2.51-up") << 2.51 << 3.0;
    QTest::newRow("product-half") << 1250.0 * 15 / 100 << 188.0;  // 187.5
    QTest::newRow("0.5-to-0") << 0.5 << 0.0;
}

void tst_Numbers::roundHalfEvenGoesToTheEvenNeighbour()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(roundHalfEven(value), expected);
}

void tst_Numbers::leadingNumberTakesTheNumericPrefix_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("unit-suffix") << u"1250.5 sq"_s << 1250.5;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("letters") << u"abc"_s << 0.0;
    QTest::newRow("blanks-before") << u"  -12"_s << -12.0;
    QTest::newRow("exponent") << u"1e3x"_s << 1000.0;
    QTest::newRow("lone-point") << u"."_s << 0.0;
}

void tst_Numbers::leadingNumberTakesTheNumericPrefix()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(leadingNumber(text), expected);
}

void tst_Numbers::shortestTextDropsTrailingZeros_data()
{
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << u"1500.00"_s << u"1500"_s;
    QTest::newRow("half") << u"12.50"_s << u"12.5"_s;
    QTest::newRow("negative-zero") << u"-0.00"_s << u"0"_s;
    QTest::newRow("not-a-number-unchanged") << u"n/a"_s << u"n/a"_s;
}

void tst_Numbers::shortestTextDropsTrailingZeros()
{
    QFETCH(QString, decimal);
    QFETCH(QString, expected);
    QCOMPARE(shortestText(decimal), expected);
}

QTEST_GUILESS_MAIN(tst_Numbers)
#include "tst_numbers.moc"
