#include "app/longwork.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

using namespace Qt::Literals::StringLiterals;

namespace {

// Pending events run this often: a click or a key waits no longer, and running them after every
// single row would cost more than the database work itself on a long run.
constexpr qint64 EventsEveryMs = 15;
// The figures are redrawn four times a second: often enough to watch, and the bar, which paints
// itself at once, costs the job nothing to speak of.
constexpr qint64 ShowEveryMs = 250;

QList<LongWork *> &running()
{
    static QList<LongWork *> works;
    return works;
}

// The form a control belongs to: the widget that a sub-window of the main window holds, or the
// control's own top-level window.
QWidget *formOf(QWidget *control)
{
    QWidget *form = control;
    while (form->parentWidget() && !qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        form = form->parentWidget();
    return form;
}

}  // namespace

LongWork::LongWork(QWidget *window, const QString &what) : m_form(formOf(window)), m_what(what)
{
    running().append(this);
    auto *main = qobject_cast<QMainWindow *>(window->window());
    if (main && main != m_form) {
        m_status = new QWidget;
        m_label = new QLabel(m_status);
        m_label->setMinimumWidth(m_label->fontMetrics().horizontalAdvance(what + u": 00000 of 00000"_s));
        m_bar = new QProgressBar(m_status);
        m_bar->setTextVisible(false);
        m_stop = new QPushButton(u"Stop"_s, m_status);
        m_stop->setFocusPolicy(Qt::NoFocus);
        connect(m_stop, &QPushButton::clicked, this, &LongWork::requestStop);
        auto *layout = new QHBoxLayout(m_status);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_label);
        layout->addWidget(m_bar, 1);
        layout->addWidget(m_stop);
        main->statusBar()->addWidget(m_status, 1);
    }
    qApp->installEventFilter(this);
}

LongWork::~LongWork()
{
    running().removeOne(this);
    delete m_status;
}

Progress LongWork::progress()
{
    return [this](int done, int total) { return report(done, total); };
}

void LongWork::showNow()
{
    show(0, 0);
    m_sinceShown.start();
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}

bool LongWork::report(int done, int total)
{
    // The last item is always shown: the figures then stand complete while the job says how it
    // ended.
    if (!m_sinceShown.isValid() || m_sinceShown.elapsed() >= ShowEveryMs || (done == total && total > 0)) {
        show(done, total);
        m_sinceShown.start();
    }
    if (!m_sinceEvents.isValid() || m_sinceEvents.elapsed() >= EventsEveryMs) {
        QCoreApplication::processEvents();
        m_sinceEvents.start();
    }
    return !m_stopRequested;
}

void LongWork::show(int done, int total)
{
    if (!m_status || m_stopRequested)
        return;
    m_label->setText(total > 0 ? u"%1: %2 of %3"_s.arg(m_what).arg(done).arg(total) : m_what);
    // Without a total the bar only shows that the job is under way.
    if (m_bar->maximum() != total)
        m_bar->setRange(0, total);
    m_bar->setValue(done);
}

void LongWork::requestStop()
{
    if (m_stopRequested)
        return;
    m_stopRequested = true;
    if (m_status) {
        m_label->setText(m_what + u": stopping"_s);
        m_stop->setEnabled(false);
    }
}

LongWork *LongWork::runningIn(const QWidget *window)
{
    for (LongWork *work : std::as_const(running()))
        if (work->m_form && (work->m_form == window || window->isAncestorOf(work->m_form)))
            return work;
    return nullptr;
}

bool LongWork::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && m_form && (widget == m_form || m_form->isAncestorOf(widget))) {
            requestStop();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
