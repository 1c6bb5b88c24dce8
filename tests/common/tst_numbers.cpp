#include "common/numbers.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

class tst_Numbers : public QObject
{
    Q_OBJECT
private slots:
    void twoDecimalsSendsAnExactHalfAwayFromZero_data();
    void twoDecimalsSendsAnExactHalfAwayFromZero();
    void twoDecimalsOfATextKeepsItsDigits_data();
    void twoDecimalsOfATextKeepsItsDigits();
    void twoDecimalsOfANumberReadsItsShortestDigits();
    void settledDecimalDropsBinaryNoise();
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

void tst_Numbers::twoDecimalsOfATextKeepsItsDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << u"1500"_s << u"1500.00"_s;
    QTest::newRow("one-decimal") << u"37.5"_s << u"37.50"_s;
    QTest::newRow("half-away") << u"-2.675"_s << u"-2.68"_s;
    QTest::newRow("below-half") << u"2.674999"_s << u"2.67"_s;
    QTest::newRow("half-of-a-cent") << u"0.005"_s << u"0.01"_s;
    QTest::newRow("negative-rounds-to-zero") << u"-0.004"_s << u"0.00"_s;
    QTest::newRow("plus-sign") << u"+5"_s << u"5.00"_s;
    QTest::newRow("trailing-point") << u"5."_s << u"5.00"_s;
    QTest::newRow("leading-point") << u".5"_s << u"0.50"_s;
    QTest::newRow("leading-zeros") << u"007.1"_s << u"7.10"_s;
    QTest::newRow("17-digits") << u"12345678901234567"_s << u"12345678901234567.00"_s;
    QTest::newRow("17-digits-carry") << u"99999999999999.995"_s << u"100000000000000.00"_s;
    QTest::newRow("18-digits") << u"123456789012345678"_s << u"123456789012345678.00"_s;
    QTest::newRow("long-fraction") << u"1.000000000000000000005"_s << u"1.00"_s;
    QTest::newRow("long-half") << u"0.125000000000000000000"_s << u"0.13"_s;
    QTest::newRow("exponent") << u"1.5e3"_s << u"1500.00"_s;
    QTest::newRow("small-exponent") << u"1e-5"_s << u"0.00"_s;
    QTest::newRow("small-exponent-half") << u"5e-3"_s << u"0.01"_s;
    QTest::newRow("binary-noise") << u"5.551115123125783e-17"_s << u"0.00"_s;
    QTest::newRow("blanks-around") << u" 12.5 "_s << u"12.50"_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("letters") << u"abc"_s << QString();
    QTest::newRow("two-points") << u"1.2.3"_s << QString();
    QTest::newRow("sign-alone") << u"-"_s << QString();
}

void tst_Numbers::twoDecimalsOfATextKeepsItsDigits()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(twoDecimals(text), expected);
}

void tst_Numbers::twoDecimalsOfANumberReadsItsShortestDigits()
{
    // A number is rounded as the shortest text that reads back as it; both roads must agree
    // for amounts, for binary noise, and for the very small and very large.
    QList<double> values = {0.1 + 0.2,     1.005,      2.675,
                            1e-7,          5e-3,       4.999999999999999,
                            123456789.125, 1e15 + 0.5, 99999999999999.98,
                            1e17,          1e20,       1.7976931348623157e308,
                            5e-324,        -0.0};
    QRandomGenerator random(20261208);
    for (int i = 0; i < 20000; ++i) {
        values << random.bounded(100000000) / 100.0 << (random.generateDouble() - 0.5) * 2e6
               << std::ldexp(random.generateDouble(), int(random.bounded(120)) - 60);
    }
    for (const double value : std::as_const(values)) {
        for (const double signedValue : {value, -value})
            QCOMPARE(twoDecimals(signedValue), twoDecimals(shortestText(signedValue)));
    }
}

void tst_Numbers::settledDecimalDropsBinaryNoise()
{
    QCOMPARE(settledDecimal(2.4999999999999996), 2.5);
    QCOMPARE(settledDecimal(0.1 + 0.2), 0.3);
    QCOMPARE(settledDecimal(1250.0 * 15 / 100), 187.5);
    QCOMPARE(settledDecimal(-1.0000000000000002), -1.0);
    // Fifteen significant digits stay as they are, large or small.
    QCOMPARE(settledDecimal(123456789012345.0), 123456789012345.0);
    QCOMPARE(settledDecimal(1.23456789012345e-200), 1.23456789012345e-200);
    QVERIFY(std::isinf(settledDecimal(std::numeric_limits<double>::infinity())));
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
    QTest::newRow("tiny-to-0") << 1e-5 << 0.0;
    QTest::newRow("binary-noise-to-0") << 0.1 + 0.2 - 0.3 << 0.0;
    QTest::newRow("minus-0.4-to-0") << -0.4 << 0.0;
    QTest::newRow("just-below-a-half") << 2.4999999999999996 << 2.0;
    QTest::newRow("largest-half") << 4503599627370495.5 << 4503599627370496.0;
    QTest::newRow("beyond-halves") << 9007199254740993.0 << 9007199254740993.0;
    QTest::newRow("not-finite-to-0") << std::numeric_limits<double>::infinity() << 0.0;
}

void tst_Numbers::roundHalfEvenGoesToTheEvenNeighbour()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(roundHalfEven(value), expected);
    // A zero result is a plain zero, never minus zero.
    QVERIFY(!std::signbit(roundHalfEven(value)) || expected < 0);
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
    QTest::newRow("whole-with-words") << u"3 copies"_s << 3.0;
    QTest::newRow("plus-sign") << u"+7"_s << 7.0;
    QTest::newRow("15-digits") << u"123456789012345"_s << 123456789012345.0;
    QTest::newRow("16-digits") << u"1234567890123456"_s << 1234567890123456.0;
    QTest::newRow("trailing-point") << u"5."_s << 5.0;
    QTest::newRow("negative-fraction") << u"-.5x"_s << -0.5;
    QTest::newRow("exponent-with-d") << u"1d2"_s << 100.0;
    QTest::newRow("exponent-without-digits") << u"4e"_s << 4.0;
    QTest::newRow("too-large") << u"1e400"_s << 0.0;
    QTest::newRow("other-script-digits") << u"\u0663"_s << 0.0;
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
    QTest::newRow("plain-whole") << u"7"_s << u"7"_s;
    QTest::newRow("negative-fraction") << u"-0.50"_s << u"-0.5"_s;
    QTest::newRow("minus-zero") << u"-0"_s << u"0"_s;
    QTest::newRow("leading-zeros") << u"007.50"_s << u"7.5"_s;
    QTest::newRow("plus-sign") << u"+12.30"_s << u"12.3"_s;
    QTest::newRow("no-units-digit") << u".50"_s << u"0.5"_s;
    QTest::newRow("trailing-point") << u"5."_s << u"5"_s;
    QTest::newRow("exponent") << u"1.50e2"_s << u"150"_s;
    QTest::newRow("blanks") << u" 2.50 "_s << u"2.5"_s;
    QTest::newRow("two-points") << u"1.2.3"_s << u"1.2.3"_s;
}

void tst_Numbers::shortestTextDropsTrailingZeros()
{
    QFETCH(QString, decimal);
    QFETCH(QString, expected);
    QCOMPARE(shortestText(decimal), expected);
}

QTEST_GUILESS_MAIN(tst_Numbers)
#include "tst_numbers.moc"
