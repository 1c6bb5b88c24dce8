#include "einvoice/irpanswers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList RequiredFields = {u"AckNo"_s, u"AckDt"_s, u"Irn"_s, u"SignedInvoice"_s, u"SignedQRCode"_s};

// A number or a text, as text: the portal sends AckNo as a number, some tools as a string.
QString textOf(const QJsonValue &value)
{
    if (value.isDouble())
        return QString::number(qint64(value.toDouble()));
    return value.toString().trimmed();
}

bool isIrn(const QString &irn)
{
    static const QRegularExpression pattern(u"^[0-9a-fA-F]{64}$"_s);
    return pattern.match(irn).hasMatch();
}

QDateTime ackDateOf(const QString &text)
{
    for (const QString &format : {u"yyyy-MM-dd HH:mm:ss"_s, u"yyyy-MM-ddTHH:mm:ss"_s, u"dd/MM/yyyy HH:mm:ss"_s}) {
        const QDateTime date = QDateTime::fromString(text, format);
        if (date.isValid())
            return date;
    }
    return {};
}

// The QR code's fields: the payload's "data", a JSON text inside the JSON (or an object).
QJsonObject qrFields(const QByteArray &payload)
{
    const QJsonObject claims = QJsonDocument::fromJson(payload).object();
    const QJsonValue data = claims.value(u"data"_s);
    if (data.isObject())
        return data.toObject();
    if (data.isString())
        return QJsonDocument::fromJson(data.toString().toUtf8()).object();
    return claims;
}

void checkIrn(const QString &irn, const QString &label, QStringList &problems)
{
    if (!irn.isEmpty() && !isIrn(irn))
        problems << label + u": Irn "_s + irn + u" is not 64 hexadecimal characters"_s;
}

// The answer to a cancellation: the IRN and when the portal cancelled it.
void readCancellation(const QJsonObject &fields, const QString &label, IrpAnswers &out)
{
    QStringList problems;
    for (const QString &name : {u"Irn"_s, u"CancelDate"_s})
        if (textOf(fields.value(name)).isEmpty())
            problems << label + u": no "_s + name;
    const IrpCancellation cancellation{textOf(fields.value(u"Irn"_s)).toLower(),
                                       ackDateOf(textOf(fields.value(u"CancelDate"_s)))};
    checkIrn(cancellation.irn, label, problems);
    if (const QString date = textOf(fields.value(u"CancelDate"_s));
        !date.isEmpty() && !cancellation.cancelDate.isValid())
        problems << label + u": CancelDate "_s + date + u" is not a date and time"_s;
    if (problems.isEmpty())
        out.cancellations.append(cancellation);
    out.problems += problems;
}

// One answer; its problems are named after `label`.
void readAnswer(const QJsonObject &object, const QString &label, IrpAnswers &out)
{
    const QJsonObject fields = object.value(u"Data"_s).isObject() ? object.value(u"Data"_s).toObject() : object;
    if (fields.contains(u"CancelDate"_s) && !fields.contains(u"SignedQRCode"_s))
        return readCancellation(fields, label, out);
    QStringList problems;
    for (const QString &name : RequiredFields)
        if (textOf(fields.value(name)).isEmpty())
            problems << label + u": no "_s + name;
    IrpAnswer answer;
    answer.irn = textOf(fields.value(u"Irn"_s));
    answer.ackNo = textOf(fields.value(u"AckNo"_s));
    answer.signedInvoice = textOf(fields.value(u"SignedInvoice"_s));
    answer.signedQrCode = textOf(fields.value(u"SignedQRCode"_s));
    const QString ackDate = textOf(fields.value(u"AckDt"_s));
    answer.ackDate = ackDateOf(ackDate);
    checkIrn(answer.irn, label, problems);
    if (!ackDate.isEmpty() && !answer.ackDate.isValid())
        problems << label + u": AckDt "_s + ackDate + u" is not a date and time"_s;
    if (!answer.signedInvoice.isEmpty() && jwtPayload(answer.signedInvoice).isEmpty())
        problems << label + u": SignedInvoice is not a signed token of three parts"_s;
    if (!answer.signedQrCode.isEmpty()) {
        if (jwtPayload(answer.signedQrCode).isEmpty()) {
            problems << label + u": SignedQRCode is not a signed token of three parts"_s;
        } else {
            const QJsonObject qr = signedQrFields(answer.signedQrCode);
            answer.billNo = qr.value(u"DocNo"_s).toString().trimmed();
            if (answer.billNo.isEmpty())
                problems << label + u": the signed QR code names no bill number (DocNo)"_s;
            if (qr.value(u"Irn"_s).toString().compare(answer.irn, Qt::CaseInsensitive) != 0)
                problems << label + u": the signed QR code names IRN "_s + qr.value(u"Irn"_s).toString() + u", not "_s
                                + answer.irn;
        }
    }
    if (problems.isEmpty())
        out.answers.append(answer);
    out.problems += problems;
}

}  // namespace

QByteArray jwtPayload(const QString &token)
{
    const QStringList parts = token.split(u'.');
    if (parts.size() != 3 || parts.contains(QString()))
        return {};
    // Tokens leave out the padding; the strict decoder wants it.
    QByteArray encoded = parts.at(1).toLatin1();
    encoded.append(QByteArray((4 - encoded.size() % 4) % 4, '='));
    const auto decoded = QByteArray::fromBase64Encoding(encoded, QByteArray::Base64UrlEncoding
                                                                     | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || !QJsonDocument::fromJson(*decoded).isObject())
        return {};
    return *decoded;
}

QJsonObject signedQrFields(const QString &signedQrCode)
{
    const QByteArray payload = jwtPayload(signedQrCode);
    return payload.isEmpty() ? QJsonObject() : qrFields(payload);
}

IrpAnswers parseIrpAnswers(const QByteArray &json)
{
    IrpAnswers out;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        out.problems << u"not JSON: "_s + error.errorString() + u" at character "_s + QString::number(error.offset);
        return out;
    }
    if (document.isObject()) {
        readAnswer(document.object(), u"the answer"_s, out);
        return out;
    }
    const QJsonArray array = document.array();
    if (array.isEmpty())
        out.problems << u"no answer in the file"_s;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QString label = u"answer "_s + QString::number(i + 1);
        if (!array.at(i).isObject())
            out.problems << label + u": not an object"_s;
        else
            readAnswer(array.at(i).toObject(), label, out);
    }
    return out;
}
