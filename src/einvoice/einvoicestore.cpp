#include "einvoice/einvoicestore.h"

#include "common/db.h"

#include <QHash>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace {

// The bill's unit: the given one when it has the bill, else the first other one.
const auto SelectBillUnit =
    u"SELECT unit_code FROM advt_schedule WHERE sch_bill_no = ? ORDER BY unit_code <> ?, unit_code LIMIT 1"_s;
const auto RegistrationColumns = u"SELECT ein_bill_no, ein_irn, ein_ack_no, ein_ack_date, ein_signed_invoice, "
                                 "ein_signed_qr, ein_cancel_date FROM advt_einvoice "_s;
const auto SelectByIrn = RegistrationColumns + u"WHERE ein_irn = ?"_s;
const auto SelectStandingIrn = u"SELECT ein_irn FROM advt_einvoice WHERE ein_bill_no = ? AND ein_cancel_date IS NULL"_s;
const auto InsertRegistration =
    u"INSERT INTO advt_einvoice (ein_bill_no, ein_irn, ein_ack_no, ein_ack_date, ein_signed_invoice, ein_signed_qr) "
    "VALUES (?, ?, ?, ?, ?, ?)"_s;
const auto UpdateCancellation =
    u"UPDATE advt_einvoice SET ein_cancel_date = ? WHERE ein_irn = ? AND ein_cancel_date IS NULL"_s;

QString sqlDateTime(const QDateTime &moment) { return moment.toString(u"yyyy-MM-dd HH:mm:ss"_s); }
QString shownDateTime(const QDateTime &moment) { return moment.toString(u"dd-MM-yyyy HH:mm"_s); }

IrpAnswer answerOf(const ResultSet &rows)
{
    IrpAnswer answer;
    answer.billNo = rows.text(u"ein_bill_no"_s);
    answer.irn = rows.text(u"ein_irn"_s);
    answer.ackNo = rows.text(u"ein_ack_no"_s);
    answer.ackDate = rows.value(u"ein_ack_date"_s).toDateTime();
    answer.signedInvoice = rows.text(u"ein_signed_invoice"_s);
    answer.signedQrCode = rows.text(u"ein_signed_qr"_s);
    answer.cancelDate = rows.value(u"ein_cancel_date"_s).toDateTime();
    return answer;
}

// Whether `candidate` is the registration to show for its bill rather than `kept`: the one that
// stands, else the one cancelled last.
bool supersedes(const IrpAnswer &candidate, const IrpAnswer &kept)
{
    if (!kept.cancelDate.isValid())
        return false;
    return !candidate.cancelDate.isValid() || candidate.cancelDate > kept.cancelDate;
}

}  // namespace

EInvoiceStore::EInvoiceStore(Db &db) : m_db(db) {}

EInvoiceStore::Outcome EInvoiceStore::import(const QList<IrpAnswer> &answers, const QString &unitCode,
                                             const QList<IrpCancellation> &cancellations)
{
    Outcome outcome;
    Transaction transaction = m_db.transaction();
    // The unit of a bill's answer, or nothing after naming why it is not imported here.
    const auto ofThisUnit = [&](const QString &billNo, const QString &what) {
        const QString billUnit = m_db.firstValue(SelectBillUnit, {billNo, unitCode});
        if (billUnit.isEmpty()) {
            outcome.problems << what + u"bill "_s + billNo + u" is not a bill of the desk"_s;
            return false;
        }
        if (billUnit != unitCode) {
            outcome.otherUnits << what + u"bill "_s + billNo + u" is a bill of unit "_s + billUnit + u", not of unit "_s
                                      + unitCode + u": not imported"_s;
            return false;
        }
        return true;
    };

    QSet<QString> irnsInFile;
    for (const IrpCancellation &cancellation : cancellations) {
        const QString irn = cancellation.irn.toLower();
        const QString named = u"cancellation of IRN "_s + irn;
        if (irnsInFile.contains(irn)) {
            outcome.problems << named + u" is in the file twice"_s;
            continue;
        }
        irnsInFile.insert(irn);
        ResultSet rows = m_db.query(SelectByIrn, {irn});
        if (!rows.next()) {
            outcome.problems << named + u": no registration with this IRN is kept"_s;
            continue;
        }
        const IrpAnswer kept = answerOf(rows);
        if (!ofThisUnit(kept.billNo, named + u": "_s))
            continue;
        const QString ofBill = named + u" of bill "_s + kept.billNo;
        if (kept.cancelDate.isValid()) {
            if (kept.cancelDate == cancellation.cancelDate)
                ++outcome.alreadyCancelled;
            else
                outcome.problems << ofBill + u": it was cancelled already on "_s + shownDateTime(kept.cancelDate);
            continue;
        }
        if (cancellation.cancelDate < kept.ackDate) {
            outcome.problems << ofBill + u": "_s + shownDateTime(cancellation.cancelDate)
                                    + u" is before its acknowledgement on "_s + shownDateTime(kept.ackDate);
            continue;
        }
        if (kept.ackDate.secsTo(cancellation.cancelDate) > CancellationWindowSeconds) {
            outcome.problems << ofBill + u": "_s + shownDateTime(cancellation.cancelDate)
                                    + u" is more than 24 hours after its acknowledgement on "_s
                                    + shownDateTime(kept.ackDate) + u"; only a credit note corrects it now"_s;
            continue;
        }
        m_db.exec(UpdateCancellation, {sqlDateTime(cancellation.cancelDate), irn});
        ++outcome.cancelled;
    }

    QSet<QString> billsInFile;
    for (const IrpAnswer &answer : answers) {
        const QString irn = answer.irn.toLower();
        if (billsInFile.contains(answer.billNo)) {
            outcome.problems << u"bill "_s + answer.billNo + u" is answered twice in the file"_s;
            continue;
        }
        billsInFile.insert(answer.billNo);
        if (!ofThisUnit(answer.billNo, QString()))
            continue;
        if (ResultSet kept = m_db.query(SelectByIrn, {irn}); kept.next()) {
            if (const QString owner = kept.text(u"ein_bill_no"_s); owner == answer.billNo)
                ++outcome.unchanged;
            else
                outcome.problems << u"IRN "_s + irn + u" of bill "_s + answer.billNo + u" is already kept for bill "_s
                                        + owner;
            continue;
        }
        if (const QString standing = m_db.firstValue(SelectStandingIrn, {answer.billNo}); !standing.isEmpty()) {
            outcome.problems << u"bill "_s + answer.billNo + u" is already registered with IRN "_s + standing
                                    + u"; the file names another IRN, "_s + irn + u": not imported"_s;
            continue;
        }
        m_db.exec(InsertRegistration, {answer.billNo, irn, answer.ackNo, sqlDateTime(answer.ackDate),
                                       answer.signedInvoice, answer.signedQrCode});
        ++outcome.imported;
    }
    if (!outcome.problems.isEmpty()) {
        outcome.imported = outcome.unchanged = outcome.cancelled = outcome.alreadyCancelled = 0;
        return outcome;  // the transaction rolls back
    }
    transaction.commit();
    return outcome;
}

RegistrationOf EInvoiceStore::registrationsOf(const BillRows &bills)
{
    // A year's bills in one statement, so the form's Show costs the same few exchanges with the
    // server however many bills it shows; the values of a statement stay far below what a server
    // takes in one packet (300 kB against at least 1 MB) and below its 65,535 placeholders.
    constexpr qsizetype Batch = 20000;
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
            const auto found = kept.find(answer.billNo);
            if (found == kept.end())
                kept.insert(answer.billNo, std::move(answer));
            else if (supersedes(answer, *found))
                *found = std::move(answer);
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
    if (outcome.cancelled + outcome.alreadyCancelled > 0)
        summary += u", "_s + QString::number(outcome.cancelled) + u" cancellations imported, "_s
                   + QString::number(outcome.alreadyCancelled) + u" already cancelled"_s;
    if (!outcome.otherUnits.isEmpty())
        summary += u", "_s + QString::number(outcome.otherUnits.size()) + u" left for other units"_s;
    return summary;
}
