#include "lookup/frmgrouplist.h"

#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;

frmGroupList::frmGroupList(const QList<PickerEntry> &entries, QWidget *parent)
    : CheckListPicker(u"LvGroup"_s, u"Groups"_s, entries, parent), LvGroup(list())
{
    setObjectName(u"frmGroupList"_s);
}

QString frmGroupList::resultText() const { return groupInList(tickedCodes()); }

std::optional<QString> frmGroupList::ask(QWidget *parent, Db &db)
{
    frmGroupList picker(groupEntries(db), parent);
    if (picker.exec() != QDialog::Accepted)
        return std::nullopt;
    return picker.resultText();
}

std::optional<QString> frmGroupList::SetForm(const QString &frmName, QWidget *parent, Db &db)
{
    return forCaller(frmName, ask(parent, db));
}
