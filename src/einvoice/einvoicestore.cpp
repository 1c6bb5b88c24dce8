#include "einvoice/einvoicestore.h"

#include "common/db.h"

#include <QHash>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace {

// The bill's unit: the given one when it has the bill, else the first other one.
const auto SelectBillUnit =
    u"SELECT unit_code FROM advt_schedule WHERE sch_bill_no = ? ORDER BY unit_code <> ?, unit_code LIMIT 1"_s;
const auto RegistrationColumns =
    u"SELECT ein_bill_no, ein_irn, ein_ack_no, ein_ack_date, ein_signed_invoice, ein_signed_qr FROM advt_einvoice "_s;
const auto SelectRegistration = RegistrationColumns + u"WHERE ein_bill_no = ?"_s;

IrpAnswer answerOf(const ResultSet &rows)
{
    IrpAnswer answer;
    answer.billNo = rows.text(u"ein_bill_no"_s);
    answer.irn = rows.text(u"ein_irn"_s);
    answer.ackNo = rows.text(u"ein_ack_no"_s);
    answer.ackDate = rows.value(u"ein_ack_date"_s).toDateTime();
    answer.signedInvoice = rows.text(u"ein_signed_invoice"_s);
    answer.signedQrCode = rows.text(u"ein_signed_qr"_s);
    return answer;
}
const auto SelectIrnOwner = u"SELECT ein_bill_no FROM advt_einvoice WHERE ein_irn = ?"_s;
const auto InsertRegistration =
    u"INSERT INTO advt_einvoice (ein_bill_no, ein_irn, ein_ack_no, ein_ack_date, ein_signed_invoice, ein_signed_qr) "
    "VALUES (?, ?, ?, ?, ?, ?)"_s;

}  // namespace

EInvoiceStore::EInvoiceStore(Db &db) : m_db(db) {}

EInvoiceStore::Outcome EInvoiceStore::import(const QList<IrpAnswer> &answers, const QString &unitCode)
{
    Outcome outcome;
    Transaction transaction = m_db.transaction();
    QSet<QString> billsInFile;
    for (const IrpAnswer &answer : answers) {
        const QString irn = answer.irn.toLower();
        if (billsInFile.contains(answer.billNo)) {
            outcome.problems << u"bill "_s + answer.billNo + u" is answered twice in the file"_s;
            continue;
        }
        billsInFile.insert(answer.billNo);
        const QString billUnit = m_db.firstValue(SelectBillUnit, {answer.billNo, unitCode});
        if (billUnit.isEmpty()) {
            outcome.problems << u"bill "_s + answer.billNo + u" is not a bill of the desk"_s;
            continue;
        }
        if (billUnit != unitCode) {
            outcome.otherUnits << u"bill "_s + answer.billNo + u" is a bill of unit "_s + billUnit + u", not of unit "_s
                                      + unitCode + u": not imported"_s;
            continue;
        }
        ResultSet kept = m_db.query(SelectRegistration, {answer.billNo});
        const QString keptIrn = kept.next() ? kept.text(u"ein_irn"_s).toLower() : QString();
        if (keptIrn == irn) {
            ++outcome.unchanged;
            continue;
        }
        if (!keptIrn.isEmpty()) {
            outcome.problems << u"bill "_s + answer.billNo + u" is already registered with IRN "_s + keptIrn
                                    + u"; the file names another IRN, "_s + irn + u": not imported"_s;
            continue;
        }
        if (const QString owner = m_db.firstValue(SelectIrnOwner, {irn}); !owner.isEmpty()) {
            outcome.problems << u"IRN "_s + irn + u" of bill "_s + answer.billNo + u" is already kept for bill "_s
                                    + owner;
            continue;
        }
        m_db.exec(InsertRegistration,
                  {answer.billNo, irn, answer.ackNo, answer.ackDate.toString(u"yyyy-MM-dd HH:mm:ss"_s),
                   answer.signedInvoice, answer.signedQrCode});
        ++outcome.imported;
    }
    if (!outcome.problems.isEmpty()) {
        outcome.imported = 0;
        outcome.unchanged = 0;
        return outcome;  // the transaction rolls back
    }
    transaction.commit();
    return outcome;
}

RegistrationOf EInvoiceStore::registrationsOf(const BillRows &bills)
{
    constexpr qsizetype Batch = 500;
    QStringList numbers;
    for (const BillRow &bill : bills)
        numbers.append(bill.billNo);
    numbers.removeDuplicates();
    QHash<QString, IrpAnswer> kept;
    for (qsizetype first = 0; first < numbers.size(); first += Batch) {
        const QStringList batch = numbers.mid(first, Batch);
        ResultSet rows = m_db.query(RegistrationColumns + u"WHERE ein_bill_no IN ("_s
                                        + QStringList(batch.size(), u"?"_s).join(u',') + u')',
                                    batch);
        while (rows.next()) {
            IrpAnswer answer = answerOf(rows);
            kept.insert(answer.billNo, std::move(answer));
        }
    }
    return [kept = std::move(kept)](const QString &billNo) -> std::optional<IrpAnswer> {
        if (const auto found = kept.constFind(billNo); found != kept.cend())
            return *found;
        return std::nullopt;
    };
}

QString importSummary(const EInvoiceStore::Outcome &outcome)
{
    QString summary = QString::number(outcome.imported) + u" answers imported, "_s + QString::number(outcome.unchanged)
                      + u" already registered"_s;
    if (!outcome.otherUnits.isEmpty())
        summary += u", "_s + QString::number(outcome.otherUnits.size()) + u" left for other units"_s;
    return summary;
}
