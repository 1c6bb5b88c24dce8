#pragma once

#include "lookup/checklistpicker.h"

class Db;

// "Products": the user ticks products; the bill print form filters on their codes joined by "/".
class frmProductList : public CheckListPicker
{
    Q_OBJECT
public:
    frmProductList(const QList<PickerEntry> &entries, QWidget *parent = nullptr);

    QTreeWidget *LvProduct;

    // The ticked codes in list order joined by "/" (empty when nothing is ticked).
    QString resultText() const;

    // Shows the picker modally: the result text on Apply, nothing when closed another way.
    static std::optional<QString> ask(QWidget *parent, Db &db);
    // The picker opened for the named caller form; only the bill print form takes the result.
    static std::optional<QString> SetForm(const QString &frmName, QWidget *parent, Db &db);
};
