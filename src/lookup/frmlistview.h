#pragma once

#include "lookup/helprows.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <optional>

struct AppContext;
class QLineEdit;
class QTableWidget;

// The searchable help ("lookup") window: lists a query's rows, narrows them by the beginning of
// the second column, and leaves the picked row in the shared HelpSelection.
class frmListView : public QDialog
{
    Q_OBJECT
public:
    using Column = HelpColumn;

    frmListView(AppContext &context, QWidget *parent = nullptr);

    // Lists HelpQry's first DisplayFields columns (column 0 the code, column 1 the searchable
    // text) and waits, modally, until the user picks a row or closes the window. The columns are
    // Icol/IcolText to XCol/XColText in order (at most ten). A query without rows shows nothing.
    // Throws DbError when the query fails.
    void ShowForm(const QString &HelpQry, int DisplayFields, const QString &HelpText, int FormWidth,
                  const QList<Column> &columns);
    // The same for a query built by the caller's routines; returns the picked row, which is also
    // left in HelpSelection, or nothing when the query had no rows and the window never opened.
    std::optional<HelpRow> pick(const HelpQuery &help);

    QLineEdit *TxtSearch;
    QTableWidget *GrHelp;
    int MatchRow = 1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void layOut(const QString &HelpText, int FormWidth, const QList<Column> &columns);
    void fill(const QList<QStringList> &rows);
    void TxtSearch_Change(const QString &text);
    void showRow(int row);
    void storeRow(int row);
    void pickAndClose(int row);
    int gridRowCount() const;
    QString cell(int row, int column) const;

    AppContext &m_context;
};
