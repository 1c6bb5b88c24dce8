#include "einvoice/gstin.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_Gstin : public QObject
{
    Q_OBJECT
private slots:
    void checkCharacterIsWorkedOut_data();
    void checkCharacterIsWorkedOut();
    void gstinsAreJudged_data();
    void gstinsAreJudged();
};

void tst_Gstin::checkCharacterIsWorkedOut_data()
{
    QTest::addColumn<QString>("gstin");
    QTest::addColumn<QChar>("expected");
    QTest::newRow("published-maharashtra") << u"27AAPFU0939F1ZV"_s << QChar(u'V');
    QTest::newRow("published-karnataka") << u"29AAFCC9980M1ZR"_s << QChar(u'R');
    // Worked by hand: the values 3,2,10,10,11,12,28,4,8,2,1,27,1,35 weighted 1,2,1,2,... give
    // products whose quotients and remainders by 36 add up to 176; (36 - 176 mod 36) mod 36 = 4.
    QTest::newRow("worked-by-hand") << u"32AABCS4821R1Z"_s << QChar(u'4');
    QTest::newRow("sum-a-multiple-of-36-gives-zero") << u"00000000000000"_s << QChar(u'0');
    QTest::newRow("lower-case-has-none") << u"27aapfu0939f1zv"_s << QChar();
    QTest::newRow("too-short-has-none") << u"27AAPFU0939F1"_s << QChar();
}

void tst_Gstin::checkCharacterIsWorkedOut()
{
    QFETCH(QString, gstin);
    QFETCH(QChar, expected);
    QCOMPARE(gstinCheckCharacter(gstin), expected);
}

void tst_Gstin::gstinsAreJudged_data()
{
    QTest::addColumn<QString>("gstin");
    QTest::addColumn<bool>("valid");
    QTest::newRow("published-27") << u"27AAPFU0939F1ZV"_s << true;
    QTest::newRow("published-29") << u"29AAFCC9980M1ZR"_s << true;
    QTest::newRow("wrong-check-character") << u"27AAPFU0939F1ZW"_s << false;
    QTest::newRow("check-character-of-another") << u"29AAFCC9980M1ZV"_s << false;
    QTest::newRow("one-pan-letter-changed") << u"27AAPFV0939F1ZV"_s << false;
    QTest::newRow("lower-case") << u"27aapfu0939f1zv"_s << false;
    QTest::newRow("too-short") << u"27AAPFU0939F1Z"_s << false;
    QTest::newRow("too-long") << u"27AAPFU0939F1ZVX"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("not-available") << u"NA"_s << false;
    QTest::newRow("state-00") << u"00AAPFU0939F1Z"_s + gstinCheckCharacter(u"00AAPFU0939F1Z") << false;
    QTest::newRow("state-39") << u"39AAPFU0939F1Z"_s + gstinCheckCharacter(u"39AAPFU0939F1Z") << false;
    QTest::newRow("state-96") << u"96AAPFU0939F1Z"_s + gstinCheckCharacter(u"96AAPFU0939F1Z") << false;
    QTest::newRow("state-38") << u"38AAPFU0939F1Z"_s + gstinCheckCharacter(u"38AAPFU0939F1Z") << true;
    QTest::newRow("state-97") << u"97AAPFU0939F1Z"_s + gstinCheckCharacter(u"97AAPFU0939F1Z") << true;
    QTest::newRow("state-99") << u"99AAPFU0939F1Z"_s + gstinCheckCharacter(u"99AAPFU0939F1Z") << true;
    QTest::newRow("pan-digit-where-a-letter-goes")
        << u"271APFU0939F1Z"_s + gstinCheckCharacter(u"271APFU0939F1Z") << false;
    QTest::newRow("pan-letter-where-a-digit-goes")
        << u"27AAPFUA939F1Z"_s + gstinCheckCharacter(u"27AAPFUA939F1Z") << false;
    QTest::newRow("blank-inside") << u"27AAPFU0939F Z"_s + gstinCheckCharacter(u"27AAPFU0939F Z") << false;
}

void tst_Gstin::gstinsAreJudged()
{
    QFETCH(QString, gstin);
    QFETCH(bool, valid);
    QCOMPARE(isValidGstin(gstin), valid);
}

QTEST_APPLESS_MAIN(tst_Gstin)
#include "tst_gstin.moc"
