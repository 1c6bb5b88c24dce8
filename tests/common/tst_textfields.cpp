#include "common/amountinwords.h"
#include "common/platformtext.h"
#include "common/textfields.h"

#include <QLocale>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_TextFields : public QObject
{
    Q_OBJECT
private slots:
    void shortDateIsTheFormatsText();
    void nextCodeIncrementsTheTrailingNumber_data();
    void nextCodeIncrementsTheTrailingNumber();
    void seriesNeverMovesBack_data();
    void seriesNeverMovesBack();
    void alignTextGivesExactlyTheWidth_data();
    void alignTextGivesExactlyTheWidth();
    void composeCodeCompletesTheRunningNumber_data();
    void composeCodeCompletesTheRunningNumber();
    void amountInWordsReadsIndianGrouping_data();
    void amountInWordsReadsIndianGrouping();
};

void tst_TextFields::nextCodeIncrementsTheTrailingNumber_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");
    QTest::newRow("carry-keeps-width") << u"SE0009"_s << u"SE0010"_s;
    QTest::newRow("all-digits") << u"0099"_s << u"0100"_s;
    QTest::newRow("grows") << u"9999"_s << u"10000"_s;
    QTest::newRow("no-number") << u"AB"_s << u"AB1"_s;
    QTest::newRow("empty") << QString() << u"1"_s;
    QTest::newRow("last-digits-only") << u"A1B2"_s << u"A1B3"_s;
    QTest::newRow("blanks-ignored") << u"  SP0007 "_s << u"SP0008"_s;
    QTest::newRow("beyond-integer-range") << u"X99999999999999999999"_s << u"X100000000000000000000"_s;
}

void tst_TextFields::nextCodeIncrementsTheTrailingNumber()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);
    QCOMPARE(NextCode(code), expected);
}

void tst_TextFields::seriesNeverMovesBack_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");
    QTest::newRow("its-own-code") << u"SP0008"_s << u"SP0008"_s << u"SP0009"_s;
    QTest::newRow("typed-below-stays") << u"SP0008"_s << u"SP0000"_s << u"SP0008"_s;
    QTest::newRow("typed-just-below-stays") << u"SP0008"_s << u"SP0007"_s << u"SP0008"_s;
    QTest::newRow("typed-beyond-moves-on") << u"SP0008"_s << u"SP0100"_s << u"SP0101"_s;
    QTest::newRow("by-number-not-text") << u"SP0998"_s << u"SP01000"_s << u"SP01001"_s;
    QTest::newRow("shorter-but-larger") << u"SP0008"_s << u"SP12"_s << u"SP13"_s;
    QTest::newRow("another-prefix-moves-from-it") << u"SP0008"_s << u"XY0001"_s << u"XY0002"_s;
    QTest::newRow("no-series-yet") << QString() << u"SP0001"_s << u"SP0002"_s;
}

void tst_TextFields::seriesNeverMovesBack()
{
    QFETCH(QString, series);
    QFETCH(QString, code);
    QFETCH(QString, expected);
    QCOMPARE(seriesAfter(series, code), expected);
}

void tst_TextFields::alignTextGivesExactlyTheWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("alignment");
    QTest::addColumn<QString>("expected");
    QTest::newRow("left") << u"ab"_s << 5 << u"L"_s << u"ab   "_s;
    QTest::newRow("right") << u"ab"_s << 5 << u"R"_s << u"   ab"_s;
    QTest::newRow("centre-odd-blank-at-end") << u"abcde"_s << 10 << u"C"_s << u"  abcde   "_s;
    QTest::newRow("cut") << u"abcdef"_s << 3 << u"R"_s << u"abc"_s;
    QTest::newRow("empty-gives-blanks") << QString() << 4 << u"C"_s << u"    "_s;
    QTest::newRow("own-blanks-count") << u" a "_s << 4 << u"L"_s << u" a  "_s;
    QTest::newRow("lower-case-code") << u"ab"_s << 5 << u"l"_s << QString();
    QTest::newRow("zero-width") << u"ab"_s << 0 << u"L"_s << QString();
}

void tst_TextFields::alignTextGivesExactlyTheWidth()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, alignment);
    QFETCH(QString, expected);
    QCOMPARE(AlignText(text, width, alignment), expected);
}

void tst_TextFields::composeCodeCompletesTheRunningNumber_data()
{
    QTest::addColumn<QString>("templateCode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("short-number") << u"AB/00120"_s << u"45"_s << u"AB/00045"_s;
    QTest::newRow("other-prefix") << u"AB/00120"_s << u"CD/77"_s << u"AB/00077"_s;
    QTest::newRow("last-digits-kept") << u"AB/00120"_s << u"1234567"_s << u"AB/34567"_s;
    QTest::newRow("idempotent") << u"AB/00120"_s << u"AB/00045"_s << u"AB/00045"_s;
    QTest::newRow("template-ends-in-letter") << u"AB/X"_s << u"45"_s << u"AB/X"_s;
    QTest::newRow("no-template") << QString() << u"45"_s << QString();
    QTest::newRow("nothing-typed") << u"AB/00120"_s << QString() << u"AB/00000"_s;
}

void tst_TextFields::composeCodeCompletesTheRunningNumber()
{
    QFETCH(QString, templateCode);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QCOMPARE(ComposeCode(templateCode, typed), expected);
}

void tst_TextFields::amountInWordsReadsIndianGrouping_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0") << 0.0 << u"Rupees Only"_s;
    QTest::newRow("0.50") << 0.50 << u" Fifty Paise only"_s;
    QTest::newRow("0.75") << 0.75 << u" Seventy Five Paise only"_s;
    QTest::newRow("0.99") << 0.99 << u" Ninety Nine Paise only"_s;
    QTest::newRow("1.00") << 1.00 << u"Rupees One Only"_s;
    QTest::newRow("1.01") << 1.01 << u"Rupees One And One Paise only"_s;
    QTest::newRow("1.50") << 1.50 << u"Rupees One And Fifty Paise only"_s;
    QTest::newRow("2.05") << 2.05 << u"Rupees Two And Five Paise only"_s;
    QTest::newRow("4.999-carries") << 4.999 << u"Rupees Five Only"_s;
    QTest::newRow("15") << 15.0 << u"Rupees Fifteen Only"_s;
    QTest::newRow("20") << 20.0 << u"Rupees Twenty Only"_s;
    QTest::newRow("105") << 105.0 << u"Rupees One Hundred Five Only"_s;
    QTest::newRow("1010") << 1010.0 << u"Rupees One Thousand Ten Only"_s;
    QTest::newRow("12000") << 12000.0 << u"Rupees Twelve Thousand Only"_s;
    QTest::newRow("105000") << 105000.0 << u"Rupees One Lakhs Five Thousand Only"_s;
    QTest::newRow("2000000") << 2000000.0 << u"Rupees Twenty Lakhs Only"_s;
    QTest::newRow("1234.56") << 1234.56 << u"Rupees One Thousand Two Hundred Thirty Four And Fifty Six Paise only"_s;
    QTest::newRow("12345678.90") << 12345678.90
                                 << u"Rupees One Crores Twenty Three Lakhs Fourty Five Thousand Six Hundred Seventy "
                                    "Eight And Ninety Paise only"_s;
    QTest::newRow("99999999.99") << 99999999.99
                                 << u"Rupees Nine Crores Ninety Nine Lakhs Ninety Nine Thousand Nine Hundred Ninety "
                                    "Nine And Ninety Nine Paise only"_s;
    QTest::newRow("10000000-zero-groups-silent") << 10000000.0 << u"Rupees One Crores Only"_s;
    QTest::newRow("100000000-too-large") << 100000000.0 << QString();
    QTest::newRow("just-above-limit") << 99999999.991 << QString();
    QTest::newRow("negative-worded-as-its-size")
        << -1234.5 << u"Rupees One Thousand Two Hundred Thirty Four And Fifty Paise only"_s;
    QTest::newRow("negative-beyond-limit") << -100000000.0 << QString();
}

void tst_TextFields::amountInWordsReadsIndianGrouping()
{
    QFETCH(double, amount);
    QFETCH(QString, expected);
    QCOMPARE(AmountInWords(amount), expected);
}

void tst_TextFields::shortDateIsTheFormatsText()
{
    QCOMPARE(shortDate(QDate(2026, 12, 7)), u"07-Dec-2026"_s);
    // Every day of a leap year and the edges of four-digit years, against the format itself.
    QList<QDate> dates;
    for (QDate day(2024, 1, 1); day.year() == 2024; day = day.addDays(1))
        dates.append(day);
    dates += {QDate(999, 12, 31), QDate(1000, 1, 1), QDate(9999, 12, 31), QDate(10000, 1, 1), QDate(-5, 3, 1), QDate()};
    for (const QDate &date : std::as_const(dates))
        QCOMPARE(shortDate(date), QLocale::c().toString(date, QString::fromUtf16(ShortDateFormat)));
}

QTEST_GUILESS_MAIN(tst_TextFields)
#include "tst_textfields.moc"
