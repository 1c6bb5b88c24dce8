#pragma once

#include "common/progress.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

// A long job of a window's handler (generation, print, export), run on the one user-interface
// thread. While it lives, the main window's status line shows "<what>: N of M" with a bar and a
// Stop button, and Esc in the window or Stop asks the job to stop. Its progress() keeps the window
// alive: pending events run at most every 15 ms and the figures are redrawn four times a second,
// so the job loses no speed to them.
class LongWork : public QObject
{
    Q_OBJECT
public:
    // `window` is the form the job runs in (or a control of it); `what` names the job
    // ("Generating bills").
    LongWork(QWidget *window, const QString &what);
    ~LongWork() override;
    LongWork(const LongWork &) = delete;
    LongWork &operator=(const LongWork &) = delete;

    // Shows the status and lets the window repaint at once (before a long query, the cleared grid).
    void showNow();
    // What the job reports through its progress callback; false once a stop was asked for.
    bool report(int done, int total);
    Progress progress();

    void requestStop();
    bool stopRequested() const { return m_stopRequested; }

    // The job running in `window` (the main window or a form), if any. Its destroyed() signal
    // tells when it is over.
    static LongWork *runningIn(const QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show(int done, int total);

    QPointer<QWidget> m_form;  // the sub-window (or top-level window) the job belongs to
    QString m_what;
    QPointer<QWidget> m_status;  // the main window's status widgets, when there is a main window
    QLabel *m_label = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_stop = nullptr;
    QElapsedTimer m_sinceEvents;
    QElapsedTimer m_sinceShown;
    bool m_stopRequested = false;
};
