#include "app/frmswitch.h"

#include "app/formhelpers.h"
#include "app/units.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "common/sharedstate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int InitialRows = 9;
constexpr int NameColumnWidth = 163;  // 2450 twips

}  // namespace

frmSwitch::frmSwitch(AppContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setWindowTitle(u"Change Unit"_s);
    setWindowFlags(TitleAndCloseOnly);
    resize(169, 316);  // 2535 x 4740 twips

    GrUnit = new QTableWidget(InitialRows, 3, this);
    GrUnit->horizontalHeader()->hide();
    GrUnit->verticalHeader()->hide();
    GrUnit->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GrUnit->setSelectionBehavior(QAbstractItemView::SelectRows);
    GrUnit->setSelectionMode(QAbstractItemView::SingleSelection);
    CmSwitch = new QPushButton(u"Switch"_s, this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(GrUnit);
    layout->addWidget(CmSwitch);

    connect(CmSwitch, &QPushButton::clicked, this, &frmSwitch::CmSwitch_Click);
    connect(GrUnit, &QTableWidget::cellDoubleClicked, this, &frmSwitch::GrUnit_DblClick);
    // The form sees key presses before its controls, so Esc works wherever the focus is.
    GrUnit->installEventFilter(this);
    CmSwitch->installEventFilter(this);
    enterPressesButtons(this);
    // The user goes straight to the list: Down and Enter work as the window opens.
    setFocusProxy(GrUnit);
    Form_Load();
}

void frmSwitch::Form_Load()
{
    GrUnit->setColumnWidth(0, 0);
    GrUnit->setColumnWidth(1, NameColumnWidth);
    GrUnit->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);  // at least that wide
    GrUnit->setColumnWidth(2, 0);
    GrUnit->setColumnHidden(0, true);
    GrUnit->setColumnHidden(2, true);
    QList<Unit> units;
    runHandler(m_context.dialogs, [&] { units = permittedUnits(m_context.db, m_context.state.CurrentUserId); });
    int row = 0;
    for (const Unit &unit : units) {
        if (row >= GrUnit->rowCount())
            GrUnit->setRowCount(row + 1);
        GrUnit->setItem(row, 0, new QTableWidgetItem(unit.code));
        GrUnit->setItem(row, 1, new QTableWidgetItem(unit.name));
        ++row;
    }
    GrUnit->setCurrentCell(0, 1);
}

void frmSwitch::CmSwitch_Click()
{
    const int row = GrUnit->currentRow();
    const QTableWidgetItem *code = row >= 0 ? GrUnit->item(row, 0) : nullptr;
    if (!code || code->text().isEmpty())
        return;
    // However another window came to be open beside this one, the unit must not change under it.
    const auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (sub && sub->mdiArea() && sub->mdiArea()->subWindowList().size() > 1) {
        m_context.dialogs.message(Msg::CloseAllForms);
        return;
    }
    if (m_context.dialogs.message(Msg::ChangeUnitQuestion, Dialogs::Icon::Information, Dialogs::Buttons::OkCancel)
        != Dialogs::Answer::Ok)
        return;
    m_context.state.CurrentUnitCode = code->text();
    m_context.state.CurrentUnitName = GrUnit->item(row, 1)->text();
    emit unitSwitched();
    unloadForm(this);
}

void frmSwitch::GrUnit_DblClick() { CmSwitch_Click(); }

bool frmSwitch::Form_KeyDown(int keyCode)
{
    if (keyCode != Qt::Key_Escape)
        return false;
    unloadForm(this);
    return true;
}

bool frmSwitch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (Form_KeyDown(key->key()))
            return true;
        if (watched == GrUnit && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            GrUnit_DblClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSwitch::keyPressEvent(QKeyEvent *event)
{
    if (!Form_KeyDown(event->key()))
        QWidget::keyPressEvent(event);
}
