#pragma once

#include "lookup/checklistpicker.h"

class Db;

// The agency-group picker (it shares the product picker's caption): the bill print form filters on
// the ticked group codes as a quoted in-list.
class frmGroupList : public CheckListPicker
{
    Q_OBJECT
public:
    frmGroupList(const QList<PickerEntry> &entries, QWidget *parent = nullptr);

    QTreeWidget *LvGroup;

    // The ticked codes in list order, each quoted, joined by commas: 'G2','G5'.
    QString resultText() const;

    static std::optional<QString> ask(QWidget *parent, Db &db);
    static std::optional<QString> SetForm(const QString &frmName, QWidget *parent, Db &db);
};
