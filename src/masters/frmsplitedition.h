#pragma once

#include "masters/spliteditionstore.h"

#include <QWidget>

struct AppContext;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The split edition master: lists every split edition and lets the first user add, rename,
// re-assign and delete them. A child window of the main window.
class frmSplitEdition : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplitEdition(AppContext &context, QWidget *parent = nullptr);

    QLabel *Label5;
    QLineEdit *TxCode;
    QLineEdit *TxName;
    QLineEdit *TxEditionCode;
    QLabel *LbEditionCode;
    QTableWidget *GrSplitEdition;
    QPushButton *CmNew;
    QPushButton *CmEdit;
    QPushButton *CmDelete;
    QPushButton *CmCancel;
    QPushButton *CmClose;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void layOut();
    void bindKeys();
    void Form_Load();
    void CmNew_Click();
    void CmEdit_Click();
    void CmDelete_Click();
    void CmCancel_Click();
    void CmClose_Click();
    void EditionHelp();

    bool permitted();
    bool fieldsComplete();
    bool InsertSplitEdition();
    bool UpdateSplitEdition();
    SplitEditionEntry entry() const;
    const SplitEdition *selectedEdition() const;
    void ClearSplitFields();
    void SetEditMode(bool on);
    void FillSplitGrid();
    // Runs a handler through runHandler: a database failure is shown and the window stays usable.
    void guarded(void (frmSplitEdition::*handler)());

    // Browsing the list, or a new entry or an edit under way (New reads "Save - F5" then).
    enum class Mode { Browse, Adding, Editing };

    AppContext &m_context;
    SplitEditionStore m_store;
    QList<SplitEdition> m_listed;  // the grid's rows, for Edit and Delete
    Mode m_mode = Mode::Browse;
    QString m_editName;      // the split edition an edit saves over
    QString m_proposedCode;  // what New put into TxCode
};
