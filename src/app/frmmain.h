#pragma once

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

class QAction;
class QMenu;
struct AppContext;

// The main window: a frame for the program's child windows, titled with the company, the
// current unit and the user.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(AppContext &context, QWidget *parent = nullptr);

    QMdiArea *mdiArea() const { return m_area; }

    // Shows the one instance of a child window, creating it on first use, and gives it the focus.
    // While the unit switch is open no other window opens (nothing when refused).
    template <class Form>
    Form *openForm()
    {
        for (QMdiSubWindow *sub : m_area->subWindowList())
            if (auto *form = qobject_cast<Form *>(sub->widget())) {
                m_area->setActiveSubWindow(sub);
                form->setFocus();
                return form;
            }
        if (unitSwitchRefuses())
            return nullptr;
        auto *form = new Form(m_context);
        showChild(form);
        return form;
    }

    QMenu *mnuBillPrint;
    QAction *mnuPrintBill;
    QAction *mnuPrintDAVPBill;
    QMenu *mnuTools;
    QAction *mnuChangeUnit;
    QMenu *mnuMasters;
    QAction *mnuSplitEdition;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool unitSwitchRefuses();
    void MDIForm_Load();
    void mnuPrintBill_Click();
    void mnuPrintDAVPBill_Click();
    void mnuChangeUnit_Click();
    void mnuSplitEdition_Click();
    void showChild(QWidget *form);

    AppContext &m_context;
    QMdiArea *m_area;
};
