#include "lookup/checklistpicker.h"

#include "app/formhelpers.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

const QString CheckListPicker::PrintBillFormName = u"frmPrintBill"_s;

namespace {

enum Column { NameColumn, CodeColumn, PriorityColumn };

}  // namespace

CheckListPicker::CheckListPicker(const QString &listName, const QString &caption, const QList<PickerEntry> &entries,
                                 QWidget *parent)
    : QDialog(parent), CmApply(new QPushButton(u"Apply"_s, this)), m_list(new QTreeWidget(this))
{
    setWindowTitle(caption);
    setModal(true);

    m_list->setObjectName(listName);
    m_list->setFont(QFont(u"Times New Roman"_s));
    m_list->setColumnCount(3);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setColumnHidden(CodeColumn, true);
    m_list->setColumnHidden(PriorityColumn, true);
    for (const PickerEntry &entry : entries) {
        auto *item = new QTreeWidgetItem(m_list, {entry.name, entry.code, entry.priority});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(NameColumn, Qt::Unchecked);
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_list->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    m_list->installEventFilter(this);

    CmApply->setObjectName(u"CmApply"_s);
    // Not the dialog's default button: Enter in the list only moves on to Apply, like any key.
    CmApply->setAutoDefault(false);
    connect(CmApply, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(CmApply, 0, Qt::AlignHCenter);
    enterPressesButtons(this);

    // 3285 by 4995 twips of client area; showEvent widens it when an entry would not fit.
    resize(219, 333);
    // Space ticks the entry under the cursor as the picker opens.
    setTabOrder(m_list, CmApply);
    m_list->setFocus();
}

QStringList CheckListPicker::tickedCodes() const
{
    QStringList codes;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_list->topLevelItem(i);
        if (item->checkState(NameColumn) == Qt::Checked)
            codes.append(item->text(CodeColumn));
    }
    return codes;
}

void CheckListPicker::showEvent(QShowEvent *event)
{
    // Measured now, in the list's final font.
    const QMargins margins = layout()->contentsMargins();
    const int listWidth = static_cast<const QAbstractItemView *>(m_list)->sizeHintForColumn(NameColumn)
                          + 2 * m_list->frameWidth() + m_list->verticalScrollBar()->sizeHint().width();
    resize(std::max(width(), listWidth + margins.left() + margins.right()), height());
    QDialog::showEvent(event);
}

bool CheckListPicker::eventFilter(QObject *watched, QEvent *event)
{
    // Any character typed in the list sends the user on to Apply; the list still takes the key
    // first, so a blank ticks the current entry before the focus moves.
    if (watched == m_list && event->type() == QEvent::KeyPress && !static_cast<QKeyEvent *>(event)->text().isEmpty())
        QTimer::singleShot(0, CmApply, [this] { CmApply->setFocus(); });
    return QDialog::eventFilter(watched, event);
}

std::optional<QString> CheckListPicker::forCaller(const QString &frmName, std::optional<QString> text)
{
    if (frmName != PrintBillFormName)
        return std::nullopt;
    return text;
}
