#include "app/frmmain.h"

#include "app/formhelpers.h"
#include "app/frmswitch.h"
#include "app/longwork.h"
#include "app/units.h"
#include "billing/frmprintbill.h"
#include "common/appcontext.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "common/sharedstate.h"
#include "davp/frmprintdavpbill.h"
#include "masters/frmsplitedition.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

frmMain::frmMain(AppContext &context, QWidget *parent) : QMainWindow(parent), m_context(context)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_area = new QMdiArea(this);
    m_area->setBackground(QColor(0xab, 0xab, 0xab));
    setCentralWidget(m_area);
    // The status line shows how far a long job of a child window has got.
    statusBar();
    resize(1100, 720);

    mnuBillPrint = menuBar()->addMenu(u"Bill Print"_s);
    mnuPrintBill = mnuBillPrint->addAction(u"Print Bill"_s);
    mnuPrintDAVPBill = mnuBillPrint->addAction(u"Print DAVP Bill"_s);
    mnuTools = menuBar()->addMenu(u"Tools"_s);
    mnuChangeUnit = mnuTools->addAction(u"Change Unit"_s);
    connect(mnuPrintBill, &QAction::triggered, this, &frmMain::mnuPrintBill_Click);
    connect(mnuPrintDAVPBill, &QAction::triggered, this, &frmMain::mnuPrintDAVPBill_Click);
    connect(mnuChangeUnit, &QAction::triggered, this, &frmMain::mnuChangeUnit_Click);
    mnuMasters = menuBar()->addMenu(u"Masters"_s);
    mnuSplitEdition = mnuMasters->addAction(u"Split Edition"_s);
    connect(mnuSplitEdition, &QAction::triggered, this, &frmMain::mnuSplitEdition_Click);
    MDIForm_Load();
}

void frmMain::MDIForm_Load()
{
    setWindowTitle(mainTitleAtOpening(m_context.state.CurrentUnitName, m_context.state.CurrentUserName));
}

void frmMain::mnuPrintBill_Click() { openForm<frmPrintBill>(); }

void frmMain::mnuPrintDAVPBill_Click() { openForm<frmPrintDAVPBill>(); }

void frmMain::mnuChangeUnit_Click()
{
    // The unit must not change under an open bill window.
    if (!m_area->subWindowList().isEmpty()) {
        m_context.dialogs.message(Msg::CloseAllForms);
        return;
    }
    frmSwitch *form = openForm<frmSwitch>();
    connect(form, &frmSwitch::unitSwitched, this, [this] {
        const SharedState &state = m_context.state;
        setWindowTitle(mainTitleAfterSwitch(state.CurrentUnitName, state.CurrentUserName, state.IsAdminUser));
    });
}

// The other side of the rule above: a window opened while the switch is open would see the
// unit change under it.
bool frmMain::unitSwitchRefuses()
{
    for (QMdiSubWindow *sub : m_area->subWindowList())
        if (qobject_cast<frmSwitch *>(sub->widget())) {
            m_context.dialogs.message(Msg::CloseAllForms);
            m_area->setActiveSubWindow(sub);
            return true;
        }
    return false;
}

// Closing the program while a child window is at work asks first; on Yes the job is stopped and
// the program closes once the job has ended (and the window has said how it ended).
void frmMain::closeEvent(QCloseEvent *event)
{
    LongWork *work = LongWork::runningIn(this);
    if (!work) {
        event->accept();
        return;
    }
    event->ignore();
    if (m_context.dialogs.message(Msg::StopBeforeClosing, Dialogs::Icon::Question, Dialogs::Buttons::YesNo)
        != Dialogs::Answer::Yes)
        return;
    // Asked while the job was ending: it may be over already.
    work = LongWork::runningIn(this);
    if (!work) {
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    connect(work, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, &QWidget::close); });
    work->requestStop();
}

void frmMain::mnuSplitEdition_Click() { openForm<frmSplitEdition>(); }

void frmMain::showChild(QWidget *form)
{
    form->setAttribute(Qt::WA_DeleteOnClose);
    // A form that asks for its own title-bar buttons (Qt::CustomizeWindowHint) keeps them.
    const Qt::WindowFlags own = form->windowFlags();
    QMdiSubWindow *sub = m_area->addSubWindow(form, own.testFlag(Qt::CustomizeWindowHint) ? own : Qt::WindowFlags());
    sub->setWindowTitle(form->windowTitle());
    // The form keeps the client size it asked for, grown where its controls would not fit; the
    // sub-window adds its frame around it.
    const QSize client = form->size().expandedTo(form->minimumSizeHint());
    sub->adjustSize();
    sub->resize(client + sub->size() - form->size());
    CentreForm(form);
    sub->show();
    m_area->setActiveSubWindow(sub);
    form->setFocus();
}
