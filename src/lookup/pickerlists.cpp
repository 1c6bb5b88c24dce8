#include "lookup/pickerlists.h"

#include "common/db.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString SelectProducts = u"Select * from productmaster  order by product_priority"_s;
const QString SelectGroups = u"Select group_code,group_name,group_comm from advt_clienttype order by group_name"_s;

}  // namespace

QList<PickerEntry> productEntries(Db &db)
{
    QList<PickerEntry> entries;
    ResultSet rows = db.query(SelectProducts);
    // A master row with a missing value still lists (as empty text) rather than barring the picker.
    while (rows.next()) {
        entries.append({rows.textOrEmpty(u"product_name"_s), rows.textOrEmpty(u"product_code"_s),
                        rows.textOrEmpty(u"product_priority"_s)});
    }
    return entries;
}

QList<PickerEntry> groupEntries(Db &db)
{
    QList<PickerEntry> entries;
    ResultSet rows = db.query(SelectGroups);
    while (rows.next())
        entries.append({rows.textOrEmpty(u"group_name"_s), rows.textOrEmpty(u"group_code"_s), {}});
    return entries;
}

QString productCombination(const QStringList &codes) { return codes.join(u'/'); }

QString groupInList(const QStringList &codes)
{
    QStringList quoted;
    for (const QString &code : codes)
        quoted.append(u'\'' + QString(code).replace(u'\'', u"''"_s) + u'\'');
    return quoted.join(u',');
}
