#include "lookup/frmproductlist.h"

#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;

frmProductList::frmProductList(const QList<PickerEntry> &entries, QWidget *parent)
    : CheckListPicker(u"LvProduct"_s, u"Products"_s, entries, parent), LvProduct(list())
{
    setObjectName(u"frmProductList"_s);
}

QString frmProductList::resultText() const { return productCombination(tickedCodes()); }

std::optional<QString> frmProductList::ask(QWidget *parent, Db &db)
{
    frmProductList picker(productEntries(db), parent);
    if (picker.exec() != QDialog::Accepted)
        return std::nullopt;
    return picker.resultText();
}

std::optional<QString> frmProductList::SetForm(const QString &frmName, QWidget *parent, Db &db)
{
    return forCaller(frmName, ask(parent, db));
}
