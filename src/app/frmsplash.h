#pragma once

#include <QTimer>
#include <QWidget>

// The window shown while the program gets ready: it counts twenty timer ticks, closes itself and
// reports that the login may open.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

signals:
    void finished();

private:
    void Timer1_Timer();

    QTimer *Timer1;
    qint16 SplashCounter = 0;
    double SplashLevel = 0;
};
