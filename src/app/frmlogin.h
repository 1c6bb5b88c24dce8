#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class UserSettings;
struct AppContext;

// The login window: checks the user against userdetails and, on success, reports it and closes.
class frmLogin : public QWidget
{
    Q_OBJECT
public:
    frmLogin(AppContext &context, UserSettings &settings, QWidget *parent = nullptr);

    QLineEdit *TxtUserName;
    QLineEdit *TxtPassword;
    QPushButton *CmOk;
    QPushButton *CmExit;

signals:
    void loggedIn();
    void exitRequested();

private:
    void Form_Load();
    void TxtPassword_KeyPress();
    void CmOk_Click();

    AppContext &m_context;
    UserSettings &m_settings;
};
