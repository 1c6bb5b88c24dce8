#include "app/frmlogin.h"

#include "app/appicon.h"
#include "app/formhelpers.h"
#include "app/login.h"
#include "app/usersettings.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

frmLogin::frmLogin(AppContext &context, UserSettings &settings, QWidget *parent)
    : QWidget(parent), m_context(context), m_settings(settings)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Selvoro  (P) Ltd"_s);
    setWindowFlags(Qt::Window | TitleAndCloseOnly);
    setMinimumSize(299, 116);  // 4485 x 1740 twips

    auto *Image1 = new QLabel(this);
    Image1->setPixmap(appIcon().pixmap(48, 48));
    Image1->setAlignment(Qt::AlignCenter);

    TxtUserName = new QLineEdit(this);
    TxtPassword = new QLineEdit(this);
    TxtPassword->setEchoMode(QLineEdit::Password);
    TxtPassword->setStyleSheet(u"lineedit-password-character: 42;"_s);  // every typed character as "*"
    CmOk = new QPushButton(u"&OK"_s, this);
    CmExit = new QPushButton(u"E&xit"_s, this);

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(u"User Name"_s, this), 0, 0);
    fields->addWidget(TxtUserName, 0, 1);
    fields->addWidget(new QLabel(u"Password"_s, this), 1, 0);
    fields->addWidget(TxtPassword, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmOk);
    buttons->addWidget(CmExit);
    fields->addLayout(buttons, 2, 0, 1, 2);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Image1);
    layout->addLayout(fields);

    selectAllOnFocus({TxtUserName, TxtPassword});
    connect(TxtUserName, &QLineEdit::returnPressed, TxtPassword, [this] { TxtPassword->setFocus(); });
    connect(TxtPassword, &QLineEdit::returnPressed, this, &frmLogin::TxtPassword_KeyPress);
    connect(CmOk, &QPushButton::clicked, this, &frmLogin::CmOk_Click);
    connect(CmExit, &QPushButton::clicked, this, &frmLogin::exitRequested);
    enterPressesButtons(this);
    Form_Load();
    // A window of fixed size: there is nothing to maximise (and window managers that keep the
    // minimise button whatever the hints say drop the maximise button of such a window).
    setFixedSize(sizeHint().expandedTo(minimumSize()));
    centreOnScreen(this);
}

void frmLogin::Form_Load()
{
    TxtUserName->setText(m_settings.lastUser());
    TxtPassword->clear();
}

void frmLogin::TxtPassword_KeyPress()
{
    CmOk->setFocus();
    CmOk_Click();
}

void frmLogin::CmOk_Click()
{
    LoginOutcome outcome{};
    const bool checked = runHandler(m_context.dialogs, [&] {
        outcome = checkLogin(m_context.db, m_context.dialogs, m_settings, m_context.state, TxtUserName->text(),
                             TxtPassword->text());
    });
    if (!checked)
        return;
    switch (outcome) {
    case LoginOutcome::InvalidUserName:
    case LoginOutcome::InvalidPassword: TxtPassword->setFocus(); break;
    case LoginOutcome::InvalidFirstUserPassword:
        TxtPassword->clear();
        TxtPassword->setFocus();
        break;
    case LoginOutcome::Denied: break;
    case LoginOutcome::Success:
        emit loggedIn();
        close();
        break;
    }
}
