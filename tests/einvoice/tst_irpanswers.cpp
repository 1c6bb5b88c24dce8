// Reading the portal's answers: what a file must hold before anything of it is kept.
#include "einvoice/irpanswers.h"
#include "irptokens.h"

#include <QJsonArray>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray json(const QJsonValue &value)
{
    return value.isArray() ? QJsonDocument(value.toArray()).toJson() : QJsonDocument(value.toObject()).toJson();
}

}  // namespace

class tst_IrpAnswers : public QObject
{
    Q_OBJECT
private slots:
    void answersNameTheirBillThroughTheSignedQrCode();
    void answerInsideDataIsRead();
    void tokensHaveThreeParts_data();
    void tokensHaveThreeParts();
    void faultyFilesGiveAMessagePerProblem_data();
    void faultyFilesGiveAMessagePerProblem();
};

void tst_IrpAnswers::answersNameTheirBillThroughTheSignedQrCode()
{
    const IrpAnswers read = parseIrpAnswers(json(QJsonArray{IrpTokens::answer(u"KC/01201"_s, IrpTokens::irn('a')),
                                                            IrpTokens::answer(u"KC/01202"_s, IrpTokens::irn('b'), 7)}));
    QCOMPARE(read.problems, QStringList());
    QCOMPARE(read.answers.size(), 2);
    QCOMPARE(read.answers[0].billNo, u"KC/01201"_s);
    QCOMPARE(read.answers[0].irn, IrpTokens::irn('a'));
    QCOMPARE(read.answers[0].ackNo, u"112010000000001"_s);
    QCOMPARE(read.answers[0].ackDate, QDateTime(QDate(2026, 12, 7), QTime(11, 30)));
    QCOMPARE(read.answers[1].billNo, u"KC/01202"_s);
    QCOMPARE(read.answers[1].ackNo, u"7"_s);
}

void tst_IrpAnswers::answerInsideDataIsRead()
{
    const IrpAnswers read = parseIrpAnswers(
        json(QJsonObject{{u"Status"_s, 1}, {u"Data"_s, IrpTokens::answer(u"KC/7"_s, IrpTokens::irn('c'))}}));
    QCOMPARE(read.problems, QStringList());
    QCOMPARE(read.answers.size(), 1);
    QCOMPARE(read.answers[0].billNo, u"KC/7"_s);
}

void tst_IrpAnswers::tokensHaveThreeParts_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("readable");
    const QString good = IrpTokens::qrCode(u"KC/1"_s, IrpTokens::irn('a'));
    QTest::newRow("three-parts") << good << true;
    QTest::newRow("two-parts") << good.section(u'.', 0, 1) << false;
    QTest::newRow("four-parts") << good + u".x"_s << false;
    QTest::newRow("empty-signature") << good.section(u'.', 0, 1) + u"."_s << false;
    QTest::newRow("payload-not-base64url") << good.section(u'.', 0, 0) + u".%%%.sig"_s << false;
    QTest::newRow("payload-not-json") << u"aGVhZA.bm90IGpzb24.c2ln"_s << false;
}

void tst_IrpAnswers::tokensHaveThreeParts()
{
    QFETCH(QString, token);
    QFETCH(bool, readable);
    QCOMPARE(!jwtPayload(token).isEmpty(), readable);
}

void tst_IrpAnswers::faultyFilesGiveAMessagePerProblem_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("problems");
    const QString irn = IrpTokens::irn('a');
    QTest::newRow("not-json") << QByteArray("{\"AckNo\": 1,")
                              << QStringList{u"not JSON: unterminated object at character 12"_s};
    QTest::newRow("empty-array") << QByteArray("[]") << QStringList{u"no answer in the file"_s};
    QJsonObject answer = IrpTokens::answer(u"KC/1"_s, irn);
    answer.remove(u"AckNo"_s);
    answer.remove(u"SignedInvoice"_s);
    QTest::newRow("fields-missing") << json(QJsonArray{answer, 5})
                                    << QStringList{u"answer 1: no AckNo"_s, u"answer 1: no SignedInvoice"_s,
                                                   u"answer 2: not an object"_s};
    answer = IrpTokens::answer(u"KC/1"_s, irn);
    answer[u"SignedQRCode"_s] = IrpTokens::qrCode(u"KC/1"_s, IrpTokens::irn('b'));
    QTest::newRow("qr-names-another-irn")
        << json(answer)
        << QStringList{u"the answer: the signed QR code names IRN "_s + IrpTokens::irn('b') + u", not "_s + irn};
    answer = IrpTokens::answer(u""_s, irn);
    QTest::newRow("qr-names-no-bill") << json(answer)
                                      << QStringList{u"the answer: the signed QR code names no bill number (DocNo)"_s};
    answer = IrpTokens::answer(u"KC/1"_s, irn);
    answer[u"SignedQRCode"_s] = u"not.a-token"_s;
    answer[u"Irn"_s] = u"abc"_s;
    answer[u"AckDt"_s] = u"yesterday"_s;
    QTest::newRow("bad-values") << json(answer)
                                << QStringList{u"the answer: Irn abc is not 64 hexadecimal characters"_s,
                                               u"the answer: AckDt yesterday is not a date and time"_s,
                                               u"the answer: SignedQRCode is not a signed token of three parts"_s};
}

void tst_IrpAnswers::faultyFilesGiveAMessagePerProblem()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, problems);
    const IrpAnswers read = parseIrpAnswers(file);
    QCOMPARE(read.problems, problems);
}

QTEST_APPLESS_MAIN(tst_IrpAnswers)
#include "tst_irpanswers.moc"
