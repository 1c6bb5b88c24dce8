#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// The portal's answer to one registered document.
struct IrpAnswer
{
    QString billNo;  // the document number the signed QR code names
    QString irn;     // Invoice Reference Number: 64 hexadecimal characters
    QString ackNo;
    QDateTime ackDate;
    QString signedInvoice;  // a JWT
    QString signedQrCode;   // a JWT whose payload is the QR code's text
    QDateTime cancelDate;   // when the IRN was cancelled; invalid while it stands
};

// The portal's answer to the cancellation of an IRN.
struct IrpCancellation
{
    QString irn;
    QDateTime cancelDate;
};

struct IrpAnswers
{
    QList<IrpAnswer> answers;
    QList<IrpCancellation> cancellations;
    QStringList problems;  // one message per problem; a file with any is not imported
};

// The payload of a JWT (its second part, base64url) as JSON text; empty when `token` does not
// have three non-empty parts or the payload is not base64url JSON. The signature is not checked:
// that needs the portal's public key.
QByteArray jwtPayload(const QString &token);

// The fields of a signed QR code (DocNo, BuyerGstin, TotInvVal, Irn ...); empty when the token is
// not one.
QJsonObject signedQrFields(const QString &signedQrCode);

// Reads a response file: one answer object or an array of them, each with AckNo, AckDt, Irn,
// SignedInvoice and SignedQRCode (at its top or inside "Data"), or the answer to a cancellation,
// with Irn and CancelDate. The signed QR code must be a JWT whose payload names the same IRN and
// the bill number.
IrpAnswers parseIrpAnswers(const QByteArray &json);
