#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

// Answers of the portal as the tests make them: the tokens have the portal's shape (header,
// payload, signature in base64url), with a signature that is only bytes.
namespace IrpTokens {

inline QString part(const QJsonObject &object)
{
    return QString::fromLatin1(QJsonDocument(object)
                                   .toJson(QJsonDocument::Compact)
                                   .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

inline QString token(const QJsonObject &payload)
{
    return part({{QStringLiteral("alg"), QStringLiteral("RS256")}, {QStringLiteral("typ"), QStringLiteral("JWT")}})
           + u'.' + part(payload) + QStringLiteral(".c2lnbmF0dXJl");
}

// What the registered document said of its buyer and total; left out when not given.
struct Registered
{
    QString buyerGstin;
    double total = 0;
};

// The signed QR code: its payload's "data" is the QR text, itself JSON.
inline QString qrCode(const QString &billNo, const QString &irn, const Registered &registered = {})
{
    QJsonObject data{{QStringLiteral("SellerGstin"), QStringLiteral("32AABCS4821R1Z4")},
                     {QStringLiteral("DocNo"), billNo},
                     {QStringLiteral("DocTyp"), QStringLiteral("INV")},
                     {QStringLiteral("Irn"), irn},
                     {QStringLiteral("IrnDt"), QStringLiteral("2026-12-07 11:30:00")}};
    if (!registered.buyerGstin.isEmpty()) {
        data.insert(QStringLiteral("BuyerGstin"), registered.buyerGstin);
        data.insert(QStringLiteral("TotInvVal"), registered.total);
    }
    return token({{QStringLiteral("data"), QString::fromUtf8(QJsonDocument(data).toJson(QJsonDocument::Compact))},
                  {QStringLiteral("iss"), QStringLiteral("NIC")}});
}

inline QJsonObject answer(const QString &billNo, const QString &irn, qint64 ackNo = 112010000000001,
                          const Registered &registered = {})
{
    return {{QStringLiteral("AckNo"), double(ackNo)},
            {QStringLiteral("AckDt"), QStringLiteral("2026-12-07 11:30:00")},
            {QStringLiteral("Irn"), irn},
            {QStringLiteral("SignedInvoice"), token({{QStringLiteral("data"), QStringLiteral("{}")}})},
            {QStringLiteral("SignedQRCode"), qrCode(billNo, irn, registered)},
            {QStringLiteral("Status"), QStringLiteral("ACT")}};
}

inline QString irn(char digit) { return QString(64, QLatin1Char(digit)); }

}  // namespace IrpTokens
