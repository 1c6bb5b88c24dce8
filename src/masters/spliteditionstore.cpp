#include "masters/spliteditionstore.h"

#include "common/db.h"
#include "common/lookups.h"
#include "common/numbers.h"
#include "common/textfields.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const auto SplitSeries = u"ADVT_SPLIT"_s;
const auto SelectSeriesForUpdate = u"Select no_value from numbersetup Where no_id=? For Update"_s;
const auto SelectSplitEditions =
    u"Select advt_splitedition.*,edition_name From advt_splitedition Inner join editionmaster on "
    "editionmaster.edition_code=advt_splitedition.edition_code  order by split_code"_s;

// A save whose commit lost its answer looks for its row as it wrote it, on a cluster node that has
// applied every change committed before the look (wsrep_sync_wait; a single server ignores it).
const auto SelectInserted =
    u"SET STATEMENT wsrep_sync_wait=1 FOR Select split_name from advt_splitedition Where split_name=? and "
    "created_by=? and created_date=? and created_time=?"_s;
const auto SelectUpdated =
    u"SET STATEMENT wsrep_sync_wait=1 FOR Select split_name from advt_splitedition Where split_name=? and "
    "edition_code=? and modified_by=? and modified_date=? and modified_time=?"_s;

QString userNumber(const QString &userId) { return shortestText(leadingNumber(userId)); }
QString dateText(const QDateTime &at) { return at.date().toString(u"yyyy/MM/dd"_s); }
QString timeText(const QDateTime &at) { return at.time().toString(u"HH:mm:ss"_s); }

}  // namespace

bool mayChangeSplitEditions(const QString &userId) { return leadingNumber(userId) == 1; }

SplitEditionStore::SplitEditionStore(Db &db) : m_db(db) {}

QList<SplitEdition> SplitEditionStore::list()
{
    QList<SplitEdition> editions;
    ResultSet rows = m_db.query(SelectSplitEditions);
    while (rows.next())
        editions.append({rows.textOrEmpty(u"split_code"_s), rows.text(u"split_name"_s), rows.text(u"edition_code"_s),
                         rows.text(u"edition_name"_s)});
    return editions;
}

QString SplitEditionStore::proposedCode(Dialogs &dialogs) { return GetNumberSetup(m_db, dialogs, SplitSeries); }

bool SplitEditionStore::nameTaken(const QString &name, const QString &except)
{
    if (except.isEmpty())
        return !m_db.query(u"Select * from advt_splitedition Where split_name=?"_s, {name.trimmed()}).isEmpty();
    return !m_db.query(u"Select * from advt_splitedition Where split_name=? and split_name<>?"_s,
                       {name.trimmed(), except})
                .isEmpty();
}

bool SplitEditionStore::editionKnown(const QString &editionCode)
{
    return !m_db.query(u"Select edition_code from editionmaster Where edition_code=?"_s, {editionCode.trimmed()})
                .isEmpty();
}

// The unique key on the name refuses a name that another workstation stored after our check;
// when the name is taken now, that is the reason, and the user gets the usual message.
bool SplitEditionStore::nameTakenAfterFailure(const QString &name, const QString &except)
{
    try {
        return nameTaken(name, except);
    } catch (const DbError &) {
        return false;  // the connection itself failed: report the original failure
    }
}

bool SplitEditionStore::storedAfterAll(const DbError &failure, const QString &sql, const QStringList &row)
{
    if (!failure.isCommitUnknown())
        return false;
    try {
        return !m_db.query(sql, row).isEmpty();
    } catch (const DbError &) {
        return false;  // still no answer: the outcome stays unknown and the failure is reported
    }
}

SplitEditionSave SplitEditionStore::insert(const SplitEditionEntry &entry)
{
    const QString name = entry.name.trimmed();
    if (nameTaken(name))
        return SplitEditionSave::DuplicateName;
    try {
        m_db.runTransaction([&] {
            // The locking read holds the series row until the commit: another workstation's save
            // waits here and then reads the value this one leaves.
            const QString next = m_db.firstValue(SelectSeriesForUpdate, {SplitSeries});
            const QString code = entry.code == entry.proposedCode && !next.isEmpty() ? next : entry.code;
            m_db.exec(u"Insert into advt_splitedition(unit_code,split_code,split_name,edition_code,created_by,"
                      "created_date,created_time) Values(?,?, ?,?,?,?,? )"_s,
                      {entry.unitCode, code, name, entry.editionCode.trimmed(), userNumber(entry.userId),
                       dateText(entry.at), timeText(entry.at)});
            m_db.exec(u"Update numbersetup set no_value=? Where no_id=?"_s, {seriesAfter(next, code), SplitSeries});
        });
    } catch (const DbError &error) {
        if (storedAfterAll(error, SelectInserted,
                           {name, userNumber(entry.userId), dateText(entry.at), timeText(entry.at)}))
            return SplitEditionSave::Saved;
        if (nameTakenAfterFailure(name, {}))
            return SplitEditionSave::DuplicateName;
        throw;
    }
    return SplitEditionSave::Saved;
}

SplitEditionSave SplitEditionStore::update(const QString &currentName, const SplitEditionEntry &entry)
{
    const QString name = entry.name.trimmed();
    if (nameTaken(name, currentName))
        return SplitEditionSave::DuplicateName;
    SplitEditionSave result = SplitEditionSave::Saved;
    try {
        m_db.runTransaction([&] {
            // Another workstation may have deleted or renamed it since the grid was filled; the
            // locking read also keeps it from doing so until we commit.
            if (m_db.query(u"Select split_name from advt_splitedition Where split_name=? For Update"_s, {currentName})
                    .isEmpty()) {
                result = SplitEditionSave::Missing;
                return;
            }
            m_db.exec(u"Update advt_splitedition set split_name=?,edition_code=?,modified_by=?,modified_date=?,"
                      "modified_time=? Where split_name=?"_s,
                      {name, entry.editionCode.trimmed(), userNumber(entry.userId), dateText(entry.at),
                       timeText(entry.at), currentName});
        });
    } catch (const DbError &error) {
        if (storedAfterAll(
                error, SelectUpdated,
                {name, entry.editionCode.trimmed(), userNumber(entry.userId), dateText(entry.at), timeText(entry.at)}))
            return SplitEditionSave::Saved;
        if (nameTakenAfterFailure(name, currentName))
            return SplitEditionSave::DuplicateName;
        throw;
    }
    return result;
}

void SplitEditionStore::remove(const QString &name)
{
    m_db.runTransaction([&] { m_db.exec(u"Delete from advt_splitedition Where split_name=?"_s, {name}); });
}
