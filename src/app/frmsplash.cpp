#include "app/frmsplash.h"

#include "app/formhelpers.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

// The splash stands for twenty ticks of the system timer, about a third of a second: a timer
// asked for 1 ms ticks at that timer's resolution of 15.6 ms on the desk's workstations.
constexpr int TickMs = 16;

}  // namespace

frmSplash::frmSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(668, 395);  // 10020 x 5925 twips
    setObjectName(u"frmSplash"_s);
    setStyleSheet(u"#frmSplash { background: #fdfaf2; } #Shape1 { border: 3px double #1f3a68; }"_s);

    auto *Shape1 = new QFrame(this);
    Shape1->setObjectName(u"Shape1"_s);
    Shape1->setGeometry(12, 12, width() - 24, height() - 24);

    auto *Label1 = new QLabel(u"Advertisement"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setFont(QFont(u"Times New Roman"_s, 36, QFont::Bold));
    Label1->setStyleSheet(u"color: #1f3a68;"_s);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(0, 140, width(), 80);

    auto *subtitle = new QLabel(u"Bill Print"_s, this);
    subtitle->setFont(QFont(u"Times New Roman"_s, 16, QFont::Normal, true));
    subtitle->setAlignment(Qt::AlignCenter);
    subtitle->setGeometry(0, 220, width(), 40);

    centreOnScreen(this);
    Timer1 = new QTimer(this);
    Timer1->setInterval(TickMs);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();
}

void frmSplash::Timer1_Timer()
{
    if (SplashCounter > 49) {
        SplashLevel -= 5;
    } else {
        SplashCounter += 5;
        SplashLevel += 5;
    }
    if (SplashLevel <= 0) {
        Timer1->stop();
        close();
        emit finished();
    }
}
