#pragma once

#include "lookup/pickerlists.h"

#include <QDialog>

#include <optional>

class QPushButton;
class QTreeWidget;

// A small modal window listing master entries with a check box each and an Apply button. The
// product and group pickers are two of them; they differ only in their list and result text.
class CheckListPicker : public QDialog
{
    Q_OBJECT
public:
    // The codes of the ticked entries in list order (not in the order of ticking).
    QStringList tickedCodes() const;
    QTreeWidget *list() const { return m_list; }

    QPushButton *CmApply;

    // The name of the one form that takes the pickers' result into its filter boxes.
    static const QString PrintBillFormName;

protected:
    // A list named `listName` (in the pickers' font, Times New Roman) under the window caption `caption`.
    CheckListPicker(const QString &listName, const QString &caption, const QList<PickerEntry> &entries,
                    QWidget *parent);
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

    // The result of a picker opened for the named caller: kept only for the bill print form.
    static std::optional<QString> forCaller(const QString &frmName, std::optional<QString> text);

private:
    QTreeWidget *m_list;
};
