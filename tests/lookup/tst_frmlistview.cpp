#include "app/formhelpers.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/sharedstate.h"
#include "lookup/frmlistview.h"
#include "lookup/helprows.h"
#include "recordingdialogs.h"
#include "testdb.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

const auto UnitQuery =
    u"Select unit_code, unit_name, unit_app_advt, unit_address from unitmaster order by unit_priority"_s;
const QList<frmListView::Column> UnitColumns{
    {0, u"Unit Code"_s}, {4000, u"Unit Name"_s}, {600, u"App"_s}, {1500, u"Address"_s}};

// Chennai, Abbey Road, abacus, Madurai in this order; Abbey Road has no address.
const auto SearchUnits = u"INSERT INTO unitmaster (unit_code, unit_name, unit_app_advt, unit_priority, unit_address) "
                         "VALUES ('C1', 'Chennai', 0, 1, 'Anna Salai'), ('A2', 'Abbey Road', 2, 2, NULL), "
                         "('A3', 'abacus', 0, 3, 'Mount Road'), ('M4', 'Madurai', 0, 4, 'Town Hall');"_s;

QString cell(const frmListView &help, int gridRow, int column)
{
    const QTableWidgetItem *item = help.GrHelp->item(gridRow - 1, column);
    return item ? item->text() : QString();
}

int currentGridRow(const frmListView &help) { return help.GrHelp->currentRow() + 1; }

}  // namespace

class tst_frmListView : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void emptyQueryShowsNothing();
    void nullsAreEmptyOnlyInQueryColumnsThreeAndFour();
    void gridGrowsInStepsOfTen_data();
    void gridGrowsInStepsOfTen();
    void laysOutWidthsCaptionsAndModality();
    void searchSelectsFirstMatchAndEnterPicksIt();
    void emptySearchReturnsToRowOne();
    void searchWithoutMatchPicksEmptyTexts();
    void escapePicksTheLastMatchFromAnyControl();
    void gridKeysAndDoubleClickPickTheCurrentRow();
    void closeBoxKeepsTheLastSelection();
    void pickReturnsThePickedRow();

private:
    // Runs `act` on the help window while ShowForm waits for it; closes it if `act` did not.
    void whileShown(const std::function<void(frmListView &)> &act);
    void show(const QString &query = UnitQuery, int fields = 4,
              const QList<frmListView::Column> &columns = UnitColumns);

    Db m_db;
    RecordingDialogs m_dialogs;
    Deployment m_deployment;
    SharedState m_state;
    AppContext m_context{m_db, m_dialogs, m_deployment, m_state};
    bool m_shown = false;
};

void tst_frmListView::init()
{
    m_state = SharedState();
    m_shown = false;
    REQUIRE_TEST_DB();
    TestDb::reset({SearchUnits});
    TestDb::open(m_db);
}

void tst_frmListView::cleanup()
{
    QCoreApplication::processEvents();  // a timer armed for a window that never opened
}

void tst_frmListView::whileShown(const std::function<void(frmListView &)> &act)
{
    QTimer::singleShot(0, this, [this, act] {
        auto *help = qobject_cast<frmListView *>(QApplication::activeModalWidget());
        if (!help)
            return;
        m_shown = true;
        act(*help);
        if (help->isVisible())
            help->done(QDialog::Rejected);
    });
}

void tst_frmListView::show(const QString &query, int fields, const QList<frmListView::Column> &columns)
{
    frmListView help(m_context);
    help.ShowForm(query, fields, u"Unit Help"_s, 4000, columns);
    QVERIFY(help.isHidden());
}

void tst_frmListView::emptyQueryShowsNothing()
{
    m_state.HelpSelection = {u"kept"_s, u"as"_s, u"it"_s, u"was"_s};
    whileShown([](frmListView &) {});
    show(u"Select unit_code, unit_name from unitmaster where unit_code='none'"_s, 2);
    QCoreApplication::processEvents();
    QVERIFY(!m_shown);
    QCOMPARE(m_state.HelpSelection[0], u"kept"_s);
    QCOMPARE(m_state.HelpSelection[3], u"was"_s);
}

void tst_frmListView::nullsAreEmptyOnlyInQueryColumnsThreeAndFour()
{
    const QList<QStringList> rows =
        helpRows(m_db,
                 u"Select unit_code, unit_name, unit_priority, unit_address, NULL from unitmaster "
                 "order by unit_priority"_s,
                 5);
    QCOMPARE(rows.at(1), (QStringList{u"A2"_s, u"Abbey Road"_s, u"2"_s, QString(), QString()}));
    QVERIFY_THROWS_EXCEPTION(DbError, helpRows(m_db, u"Select unit_code, unit_address from unitmaster"_s, 2));
    // Columns the caller does not display are never read.
    QCOMPARE(helpRows(m_db, u"Select unit_code, unit_name, NULL from unitmaster"_s, 2).size(), 4);
}

void tst_frmListView::gridGrowsInStepsOfTen_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("gridRows");  // the header row included
    QTest::newRow("98-fit-100") << 98 << 100;
    QTest::newRow("99-grow-to-110") << 99 << 110;
    QTest::newRow("150-grow-to-160") << 150 << 160;
}

void tst_frmListView::gridGrowsInStepsOfTen()
{
    QFETCH(int, records);
    QFETCH(int, gridRows);
    TestDb::run(u"USE selvoro; DELETE FROM unitmaster; INSERT INTO unitmaster (unit_code, unit_name, unit_priority) "
                "SELECT CONCAT('U', LPAD(seq, 3, '0')), CONCAT('Unit ', seq), seq FROM seq_1_to_%1;"_s.arg(records));
    int rows = 0;
    QString last, afterLast;
    whileShown([&](frmListView &help) {
        rows = help.GrHelp->rowCount() + 1;
        last = cell(help, records, 1) + u'|' + cell(help, records, 2);
        afterLast = cell(help, records + 1, 1);
    });
    show();
    QVERIFY(m_shown);
    QCOMPARE(rows, gridRows);
    QCOMPARE(last, u"U%1|Unit %2"_s.arg(records, 3, 10, QChar(u'0')).arg(records));
    QCOMPARE(afterLast, QString());
}

void tst_frmListView::laysOutWidthsCaptionsAndModality()
{
    whileShown([](frmListView &help) {
        QVERIFY(help.isModal());
        QCOMPARE(help.windowTitle(), u"Unit Help"_s);
        QCOMPARE(help.width(), twipsToPixels(4000));
        QCOMPARE(help.GrHelp->width(), twipsToPixels(3920));
        QCOMPARE(help.TxtSearch->width(), help.GrHelp->width());
        QVERIFY(help.GrHelp->isColumnHidden(0));
        QVERIFY(help.GrHelp->isColumnHidden(1));  // a code column 0 wide
        QCOMPARE(help.GrHelp->columnWidth(2), twipsToPixels(3550));
        QCOMPARE(help.GrHelp->columnWidth(4), twipsToPixels(1500));
        QVERIFY(help.GrHelp->isColumnHidden(5));
        QCOMPARE(help.GrHelp->horizontalHeaderItem(2)->text(), u"Unit Name"_s);
        QCOMPARE(help.GrHelp->horizontalHeaderItem(3)->text(), u"App"_s);
        QCOMPARE(cell(help, 1, 1), u"C1"_s);
        QCOMPARE(cell(help, 2, 3), u"2"_s);
        QCOMPARE(cell(help, 2, 4), QString());  // NULL address
        QCOMPARE(help.MatchRow, 1);
    });
    show();
    QVERIFY(m_shown);
    // Opening alone chose nothing.
    QCOMPARE(m_state.HelpSelection, (std::array<QString, 4>{}));
}

void tst_frmListView::searchSelectsFirstMatchAndEnterPicksIt()
{
    whileShown([this](frmListView &help) {
        QTest::keyClicks(help.TxtSearch, u"ab"_s);
        QCOMPARE(help.MatchRow, 2);
        QCOMPARE(currentGridRow(help), 2);
        QCOMPARE(m_state.HelpSelection[1], u"Abbey Road"_s);  // stored while the window stays
        QTest::keyClicks(help.TxtSearch, u"A"_s);
        QCOMPARE(help.MatchRow, 3);
        QCOMPARE(help.GrHelp->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(help.GrHelp->selectionModel()->selectedRows().at(0).row(), 2);
        QTest::keyClick(help.TxtSearch, Qt::Key_Return);
        QVERIFY(!help.isVisible());
    });
    show();
    QCOMPARE(m_state.HelpSelection, (std::array<QString, 4>{u"A3"_s, u"abacus"_s, u"0"_s, u"Mount Road"_s}));
}

void tst_frmListView::emptySearchReturnsToRowOne()
{
    whileShown([this](frmListView &help) {
        QTest::keyClicks(help.TxtSearch, u"ma"_s);
        QCOMPARE(currentGridRow(help), 4);
        help.TxtSearch->clear();
        QCOMPARE(currentGridRow(help), 1);
        QCOMPARE(help.MatchRow, 4);
        QCOMPARE(m_state.HelpSelection, (std::array<QString, 4>{{{}, {}, u"0"_s, u"Anna Salai"_s}}));
        help.done(QDialog::Rejected);
    });
    show();
}

void tst_frmListView::searchWithoutMatchPicksEmptyTexts()
{
    whileShown([](frmListView &help) {
        QTest::keyClicks(help.TxtSearch, u"zz"_s);
        QCOMPARE(help.MatchRow, 5);  // the first empty row
        QTest::keyClick(help.TxtSearch, Qt::Key_Enter);
    });
    m_state.HelpSelection = {u"old"_s, u"old"_s, u"old"_s, u"old"_s};
    show();
    QCOMPARE(m_state.HelpSelection, (std::array<QString, 4>{}));
}

void tst_frmListView::escapePicksTheLastMatchFromAnyControl()
{
    whileShown([](frmListView &help) { QTest::keyClick(help.TxtSearch, Qt::Key_Escape); });
    show();
    QCOMPARE(m_state.HelpSelection[0], u"C1"_s);  // straight after opening: the first row

    whileShown([](frmListView &help) {
        QTest::keyClicks(help.TxtSearch, u"mad"_s);
        help.GrHelp->setCurrentCell(1, 2);  // the user wanders off in the grid
        QTest::keyClick(help.GrHelp, Qt::Key_Escape);
    });
    show();
    QCOMPARE(m_state.HelpSelection[0], u"M4"_s);
}

void tst_frmListView::gridKeysAndDoubleClickPickTheCurrentRow()
{
    whileShown([](frmListView &help) {
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QTest::keyClicks(help.TxtSearch, u"ma"_s);
        QTest::keyClick(help.TxtSearch, Qt::Key_Down);
        QVERIFY(help.GrHelp->hasFocus());
        QTest::keyClick(help.GrHelp, Qt::Key_Up);  // from Madurai to abacus
        QTest::keyClick(help.GrHelp, Qt::Key_Return);
        QVERIFY(!help.isVisible());
    });
    show();
    QCOMPARE(m_state.HelpSelection[1], u"abacus"_s);  // the grid's row, not the search match

    whileShown([](frmListView &help) {
        const QRect cellRect = help.GrHelp->visualItemRect(help.GrHelp->item(1, 2));
        QTest::mouseClick(help.GrHelp->viewport(), Qt::LeftButton, {}, cellRect.center());
        QTest::mouseDClick(help.GrHelp->viewport(), Qt::LeftButton, {}, cellRect.center());
        QVERIFY(!help.isVisible());
    });
    show();
    QCOMPARE(m_state.HelpSelection[0], u"A2"_s);
}

void tst_frmListView::closeBoxKeepsTheLastSelection()
{
    whileShown([](frmListView &help) {
        QTest::keyClicks(help.TxtSearch, u"ab"_s);
        help.GrHelp->setCurrentCell(3, 2);  // a row change stores Madurai
        help.close();
        QVERIFY(!help.isVisible());
    });
    show();
    QCOMPARE(m_state.HelpSelection[0], u"M4"_s);
}

// The value entry point: the row picked, the same as the shared selection, or nothing at all
// when the window never opened.
void tst_frmListView::pickReturnsThePickedRow()
{
    whileShown([](frmListView &help) {
        QTest::keyClicks(help.TxtSearch, u"mad"_s);
        QTest::keyClick(help.TxtSearch, Qt::Key_Return);
    });
    frmListView help(m_context);
    const std::optional<HelpRow> picked = help.pick(unitHelp());
    QVERIFY(m_shown);
    QCOMPARE(help.windowTitle(), u"Unit Help"_s);
    QCOMPARE(picked, (HelpRow{u"M4"_s, u"Madurai"_s, QString(), QString()}));
    QCOMPARE(m_state.HelpSelection, *picked);

    TestDb::run(u"USE selvoro; DELETE FROM unitmaster;"_s);
    frmListView empty(m_context);
    QCOMPARE(empty.pick(unitHelp()), std::nullopt);
}

QTEST_MAIN(tst_frmListView)
#include "tst_frmlistview.moc"
