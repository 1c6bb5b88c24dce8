#pragma once

#include <QWidget>

class QPushButton;
class QTableWidget;
struct AppContext;

// Lists the units the user may work for and makes the chosen one the current unit.
class frmSwitch : public QWidget
{
    Q_OBJECT
public:
    explicit frmSwitch(AppContext &context, QWidget *parent = nullptr);

    QTableWidget *GrUnit;
    QPushButton *CmSwitch;

signals:
    void unitSwitched();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void CmSwitch_Click();
    void GrUnit_DblClick();
    bool Form_KeyDown(int keyCode);

    AppContext &m_context;
};
