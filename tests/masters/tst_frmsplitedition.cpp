#include "app/frmmain.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/messages.h"
#include "common/sharedstate.h"
#include "lookup/frmlistview.h"
#include "masters/frmsplitedition.h"
#include "recordingdialogs.h"
#include "testdb.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::Literals::StringLiterals;

class tst_frmSplitEdition : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void gridKeepsThirtyRowsAndGrowsByTen_data();
    void gridKeepsThirtyRowsAndGrowsByTen();
    void newProposesTheSeriesCodeInNewMode();
    void cancelKeepsTheTextAndNumberingStays();
    void saveWantsANameAndAnEdition();
    void saveRefusesAnEditionTheMasterDoesNotKnow();
    void saveStoresTrimmedAndMovesTheSeries();
    void saveAfterAnotherWorkstationTakesTheNextCode();
    void otherUsersAreRefused();
    void duplicateNameStaysInNewMode();
    void failedSaveIsRolledBackAndShown();
    void editRenamesTheSelectedEdition();
    void deleteAsksFirst();
    void editionHelpFillsCodeAndName();
    void functionKeysPressTheirButtons();
    void databaseFailureIsShownAndTheFormStays();
    void menuOpensOneChildWindow();
    void windowCloseIsRefusedWhileANewEntryOrEditIsUnderWay();
    void enterOnSavePressesIt();

private:
    frmSplitEdition &open();
    QString cell(int gridRow, int column) const;
    void selectGridRow(int gridRow);
    QString value(const QString &sql) { return m_db.firstValue(sql); }
    QString series() { return value(u"Select no_value from numbersetup Where no_id='ADVT_SPLIT'"_s); }
    QString stored() { return value(u"Select count(*) from advt_splitedition"_s); }
    // New, then the name and edition typed in.
    void startNew(const QString &name, const QString &edition);

    Db m_db;
    RecordingDialogs m_dialogs;
    Deployment m_deployment;
    SharedState m_state;
    AppContext m_context{m_db, m_dialogs, m_deployment, m_state};
    std::unique_ptr<frmSplitEdition> m_form;
};

void tst_frmSplitEdition::init()
{
    REQUIRE_TEST_DB();
    TestDb::reset({TestDb::file(u"tests/masters/splitedition.sql"_s)});
    TestDb::open(m_db);
    m_dialogs = RecordingDialogs();
    m_state = SharedState();
    m_state.CurrentUnitCode = u"01"_s;
    m_state.CurrentUserId = u"1"_s;
}

void tst_frmSplitEdition::cleanup() { m_form.reset(); }

frmSplitEdition &tst_frmSplitEdition::open()
{
    m_form = std::make_unique<frmSplitEdition>(m_context);
    m_form->show();
    if (!QTest::qWaitForWindowActive(m_form.get()))
        qWarning("the split edition window did not become active");
    return *m_form;
}

// Grid row i (1 for the first split edition) is table row i - 1.
QString tst_frmSplitEdition::cell(int gridRow, int column) const
{
    const QTableWidgetItem *item = m_form->GrSplitEdition->item(gridRow - 1, column);
    return item ? item->text() : QString();
}

void tst_frmSplitEdition::startNew(const QString &name, const QString &edition)
{
    m_form->CmNew->click();
    m_form->TxName->setText(name);
    m_form->TxEditionCode->setText(edition);
}

void tst_frmSplitEdition::selectGridRow(int gridRow) { m_form->GrSplitEdition->setCurrentCell(gridRow - 1, 2); }

void tst_frmSplitEdition::gridKeepsThirtyRowsAndGrowsByTen_data()
{
    QTest::addColumn<int>("editions");
    QTest::addColumn<int>("gridRows");  // the header row included
    QTest::newRow("none") << 0 << 30;
    QTest::newRow("29-fit") << 29 << 30;
    QTest::newRow("30-grow-to-40") << 30 << 40;
    QTest::newRow("40-grow-to-50") << 40 << 50;
}

void tst_frmSplitEdition::gridKeepsThirtyRowsAndGrowsByTen()
{
    QFETCH(int, editions);
    QFETCH(int, gridRows);
    TestDb::run(u"USE selvoro; DELETE FROM advt_splitedition;"_s);
    if (editions > 0)
        TestDb::run(
            u"USE selvoro; INSERT INTO advt_splitedition (split_code, split_name, edition_code) "
            "SELECT CONCAT('SQ', LPAD(seq, 4, '0')), CONCAT('Split ', seq), '01' FROM seq_1_to_%1;"_s.arg(editions));
    open();
    QCOMPARE(m_form->GrSplitEdition->rowCount() + 1, gridRows);
    if (editions > 0) {
        QCOMPARE(cell(1, 1), u"SQ0001"_s);
        QCOMPARE(cell(editions, 2), u"Split %1"_s.arg(editions));
        QCOMPARE(cell(editions, 3), u"Chennai City"_s);
    }
    QCOMPARE(cell(editions + 1, 2), QString());
    QVERIFY(m_dialogs.shown.isEmpty());
}

void tst_frmSplitEdition::newProposesTheSeriesCodeInNewMode()
{
    frmSplitEdition &form = open();
    QCOMPARE(form.windowTitle(), u"Split Edition Master"_s);
    QCOMPARE(form.CmNew->text(), u"New - F2"_s);
    QVERIFY(!form.TxName->isEnabled() && !form.CmCancel->isEnabled());
    QVERIFY(form.CmEdit->isEnabled() && form.CmDelete->isEnabled() && form.CmClose->isEnabled());
    // By code, a missing code first; a split edition of an edition the master lacks is not listed.
    QCOMPARE(cell(1, 1) + u'|' + cell(1, 2) + u'|' + cell(1, 3), u"|Old Town|Coimbatore"_s);
    QCOMPARE(cell(3, 2), u"North Chennai"_s);
    QCOMPARE(cell(4, 2), QString());

    form.CmNew->click();
    QCOMPARE(form.CmNew->text(), u"Save - F5"_s);
    QCOMPARE(form.TxCode->text(), u"SP0007"_s);
    QVERIFY(form.TxName->text().isEmpty() && form.TxEditionCode->text().isEmpty());
    QVERIFY(form.TxName->hasFocus());
    QVERIFY(form.TxCode->isEnabled() && form.TxEditionCode->isEnabled() && form.CmCancel->isEnabled());
    QVERIFY(!form.CmEdit->isEnabled() && !form.CmDelete->isEnabled() && !form.CmClose->isEnabled());
    QVERIFY(m_dialogs.shown.isEmpty());

    QTest::keyClick(form.TxName, Qt::Key_Return);  // nothing typed: the focus stays
    QVERIFY(form.TxName->hasFocus());
    QTest::keyClicks(form.TxName, u"Tambaram"_s);
    QTest::keyClick(form.TxName, Qt::Key_Return);
    QVERIFY(form.TxEditionCode->hasFocus());
    QTest::keyClick(form.TxEditionCode, Qt::Key_Return);
    QVERIFY(form.CmNew->hasFocus());
}

void tst_frmSplitEdition::cancelKeepsTheTextAndNumberingStays()
{
    frmSplitEdition &form = open();
    form.CmNew->click();
    form.TxName->setText(u"Tambaram"_s);
    form.CmCancel->click();
    QCOMPARE(form.CmNew->text(), u"New - F2"_s);
    QVERIFY(!form.TxName->isEnabled());
    QCOMPARE(form.TxCode->text(), u"SP0007"_s);
    QCOMPARE(form.TxName->text(), u"Tambaram"_s);

    form.CmNew->click();
    QCOMPARE(form.TxCode->text(), u"SP0007"_s);
    QVERIFY(form.TxName->text().isEmpty());
    QCOMPARE(stored(), u"4"_s);
}

void tst_frmSplitEdition::saveWantsANameAndAnEdition()
{
    frmSplitEdition &form = open();
    form.CmNew->click();
    form.CmNew->click();
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::EnterSplitEdition});
    QVERIFY(form.TxName->hasFocus());

    form.TxName->setText(u"   "_s);  // blanks alone would store a nameless split edition
    form.CmNew->click();
    QCOMPARE(m_dialogs.texts().last(), Msg::EnterSplitEdition);

    form.TxName->setText(u"Tambaram"_s);
    form.CmNew->click();
    QCOMPARE(m_dialogs.texts().last(), Msg::SelectEdition);
    QCOMPARE(m_dialogs.shown.last().icon, Dialogs::Icon::Information);
    QVERIFY(form.TxEditionCode->hasFocus());
    QCOMPARE(form.CmNew->text(), u"Save - F5"_s);
    QCOMPARE(stored(), u"4"_s);
}

// A split edition of an edition the edition master does not know would never be listed, so it
// could be neither edited nor deleted, and its name would stay taken.
void tst_frmSplitEdition::saveRefusesAnEditionTheMasterDoesNotKnow()
{
    frmSplitEdition &form = open();
    startNew(u"Ghost Test"_s, u"XYZ "_s);
    form.CmNew->click();
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::unknownEdition(u"XYZ"_s)});
    QVERIFY(form.TxEditionCode->hasFocus());
    QCOMPARE(form.CmNew->text(), u"Save - F5"_s);
    QCOMPARE(stored(), u"4"_s);
    QCOMPARE(value(u"Select no_value from numbersetup Where no_id='ADVT_SPLIT'"_s), u"SP0007"_s);

    form.TxEditionCode->setText(u"E3"_s);
    form.CmNew->click();
    QCOMPARE(form.CmNew->text(), u"New - F2"_s);
    QCOMPARE(cell(4, 2), u"Ghost Test"_s);
}

void tst_frmSplitEdition::saveStoresTrimmedAndMovesTheSeries()
{
    frmSplitEdition &form = open();
    startNew(u"  Tam'baram  "_s, u" 01"_s);
    form.CmNew->click();
    QVERIFY2(m_dialogs.shown.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
    QCOMPARE(form.CmNew->text(), u"New - F2"_s);
    QVERIFY(!form.TxName->isEnabled());
    QCOMPARE(series(), u"SP0008"_s);
    QCOMPARE(value(u"Select concat_ws('|', unit_code, edition_code, created_by, created_date = curdate()) "
                   "from advt_splitedition Where split_name='Tam''baram'"_s),
             u"01|01|1|1"_s);
    QCOMPARE(cell(4, 1), u"SP0007"_s);
    QCOMPARE(cell(4, 2), u"Tam'baram"_s);
    QCOMPARE(cell(4, 3), u"Chennai City"_s);

    form.CmNew->click();
    QCOMPARE(form.TxCode->text(), u"SP0008"_s);
}

// Both workstations were offered SP0007; the other one saved first.
void tst_frmSplitEdition::saveAfterAnotherWorkstationTakesTheNextCode()
{
    frmSplitEdition &form = open();
    startNew(u"Tambaram"_s, u"01"_s);
    QCOMPARE(form.TxCode->text(), u"SP0007"_s);
    {
        Db other(u"other"_s);
        TestDb::open(other);
        SplitEditionStore(other).insert(
            {u"02"_s, u"SP0007"_s, u"Velachery"_s, u"02"_s, u"1"_s, QDateTime::currentDateTime(), u"SP0007"_s});
    }
    form.CmNew->click();
    QVERIFY2(m_dialogs.shown.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
    QCOMPARE(value(u"Select split_code from advt_splitedition Where split_name='Tambaram'"_s), u"SP0008"_s);
    QCOMPARE(series(), u"SP0009"_s);
}

void tst_frmSplitEdition::otherUsersAreRefused()
{
    m_state.CurrentUserId = u"2"_s;
    frmSplitEdition &form = open();
    selectGridRow(3);
    form.CmNew->click();
    form.CmEdit->click();
    m_dialogs.answers = {Dialogs::Answer::Yes};
    form.CmDelete->click();
    QCOMPARE(m_dialogs.texts(), QStringList(3, Msg::NotAllowed));
    QCOMPARE(m_dialogs.shown.first().icon, Dialogs::Icon::Critical);
    QCOMPARE(form.CmNew->text(), u"New - F2"_s);
    QVERIFY(!form.TxName->isEnabled());
    QVERIFY(form.TxName->text().isEmpty());
    QCOMPARE(stored(), u"4"_s);
}

void tst_frmSplitEdition::duplicateNameStaysInNewMode()
{
    frmSplitEdition &form = open();
    startNew(u"madurai rural "_s, u"01"_s);  // another unit's split edition
    form.CmNew->click();
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::SplitEditionExists});
    QVERIFY(form.TxName->hasFocus());
    QCOMPARE(form.CmNew->text(), u"Save - F5"_s);
    QCOMPARE(series(), u"SP0007"_s);
}

void tst_frmSplitEdition::failedSaveIsRolledBackAndShown()
{
    frmSplitEdition &form = open();
    startNew(u"Tambaram"_s, u"01"_s);
    TestDb::run(u"USE selvoro; CREATE TRIGGER numbersetup_locked BEFORE UPDATE ON numbersetup FOR EACH ROW "
                "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'number setup is locked';"_s);
    form.CmNew->click();
    QCOMPARE(m_dialogs.shown.size(), 1);
    QVERIFY2(m_dialogs.shown.first().text.contains(u"number setup is locked"_s), qPrintable(m_dialogs.texts().first()));
    QCOMPARE(m_dialogs.shown.first().icon, Dialogs::Icon::Information);
    QCOMPARE(form.CmNew->text(), u"Save - F5"_s);
    QCOMPARE(form.TxName->text(), u"Tambaram"_s);
    QVERIFY(form.TxName->isEnabled());
    QCOMPARE(value(u"Select count(*) from advt_splitedition Where split_name='Tambaram'"_s), u"0"_s);
    QCOMPARE(series(), u"SP0007"_s);
}

void tst_frmSplitEdition::editRenamesTheSelectedEdition()
{
    frmSplitEdition &form = open();
    selectGridRow(10);  // an empty row: nothing to edit
    form.CmEdit->click();
    QCOMPARE(form.CmNew->text(), u"New - F2"_s);

    selectGridRow(3);
    form.CmEdit->click();
    QCOMPARE(form.CmNew->text(), u"Save - F5"_s);
    QCOMPARE(form.TxCode->text(), u"SP0003"_s);
    QVERIFY(form.TxCode->isReadOnly());
    QCOMPARE(form.TxName->text(), u"North Chennai"_s);
    QCOMPARE(form.TxEditionCode->text(), u"01"_s);
    QCOMPARE(form.LbEditionCode->text(), u"Chennai City"_s);

    form.TxName->setText(u"Madurai Rural"_s);
    form.CmNew->click();
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::SplitEditionExists});
    QCOMPARE(form.CmNew->text(), u"Save - F5"_s);

    form.TxName->setText(u"North Chennai \"East\""_s);
    form.TxEditionCode->setText(u"02"_s);
    form.CmNew->click();
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(form.CmNew->text(), u"New - F2"_s);
    QVERIFY(!form.TxCode->isReadOnly());
    QCOMPARE(value(u"Select concat_ws('|', split_code, split_name, edition_code, modified_by, "
                   "modified_date = curdate()) from advt_splitedition Where split_code='SP0003'"_s),
             u"SP0003|North Chennai \"East\"|02|1|1"_s);
    QCOMPARE(cell(3, 3), u"Madurai City"_s);
    QCOMPARE(stored(), u"4"_s);

    // New after an edit inserts again.
    form.CmNew->click();
    QCOMPARE(form.TxCode->text(), u"SP0007"_s);
    QVERIFY(!form.TxCode->isReadOnly());
}

void tst_frmSplitEdition::deleteAsksFirst()
{
    frmSplitEdition &form = open();
    selectGridRow(2);
    m_dialogs.answers = {Dialogs::Answer::No};
    form.CmDelete->click();
    QCOMPARE(m_dialogs.shown.last().text, Msg::deleteSplitEdition(u"Madurai Rural"_s));
    QCOMPARE(m_dialogs.shown.last().buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(stored(), u"4"_s);

    // The edition's values in the fields (left there by an edit given up) go with it.
    form.CmEdit->click();
    form.CmCancel->click();
    QCOMPARE(form.TxName->text(), u"Madurai Rural"_s);
    form.CmDelete->click();  // answered Yes
    QCOMPARE(value(u"Select count(*) from advt_splitedition Where split_name='Madurai Rural'"_s), u"0"_s);
    QCOMPARE(stored(), u"3"_s);
    QCOMPARE(cell(2, 2), u"North Chennai"_s);
    for (const QLineEdit *field : {form.TxCode, form.TxName, form.TxEditionCode})
        QCOMPARE(field->text(), QString());
    QCOMPARE(form.LbEditionCode->text(), QString());
}

void tst_frmSplitEdition::editionHelpFillsCodeAndName()
{
    frmSplitEdition &form = open();
    form.CmNew->click();
    QStringList listed;
    QTimer::singleShot(0, this, [&listed] {
        auto *help = qobject_cast<frmListView *>(QApplication::activeModalWidget());
        if (!help)
            return;
        listed = {help->windowTitle(), help->GrHelp->item(0, 2)->text(), help->GrHelp->item(1, 2)->text()};
        QTest::keyClicks(help->TxtSearch, u"CHE"_s);
        QTest::keyClick(help->TxtSearch, Qt::Key_Return);
    });
    QTest::keyClick(form.TxEditionCode, Qt::Key_F1);
    QCOMPARE(listed, (QStringList{u"Unit Help"_s, u"Madurai"_s, u"Chennai"_s}));
    QCOMPARE(form.TxEditionCode->text(), u"01"_s);
    QCOMPARE(form.LbEditionCode->text(), u"Chennai"_s);
    QVERIFY(m_state.HelpSelection[0].isEmpty() && m_state.HelpSelection[1].isEmpty());

    QTest::keyClick(form.TxEditionCode, Qt::Key_Delete);
    QVERIFY(form.TxEditionCode->text().isEmpty() && form.LbEditionCode->text().isEmpty());

    form.LbEditionCode->setText(u"Chennai"_s);
    QTest::keyClicks(form.TxEditionCode, u"0"_s);
    QVERIFY(form.LbEditionCode->text().isEmpty());
}

void tst_frmSplitEdition::functionKeysPressTheirButtons()
{
    frmSplitEdition &form = open();
    QTest::keyClick(&form, Qt::Key_F5);  // nothing to save in browse mode
    QCOMPARE(form.CmNew->text(), u"New - F2"_s);
    QTest::keyClick(&form, Qt::Key_F2);
    QCOMPARE(form.CmNew->text(), u"Save - F5"_s);
    QTest::keyClick(form.TxName, Qt::Key_F2);  // F2 never saves
    QVERIFY(m_dialogs.shown.isEmpty());
    QTest::keyClick(form.TxName, Qt::Key_F8);
    QCOMPARE(form.CmNew->text(), u"New - F2"_s);

    selectGridRow(3);
    QTest::keyClick(form.GrSplitEdition, Qt::Key_F3);
    QCOMPARE(form.TxName->text(), u"North Chennai"_s);
    form.TxName->setText(u"North Chennai City"_s);
    QTest::keyClick(form.TxName, Qt::Key_F5);
    QCOMPARE(form.CmNew->text(), u"New - F2"_s);
    QCOMPARE(value(u"Select split_name from advt_splitedition Where split_code='SP0003'"_s), u"North Chennai City"_s);

    selectGridRow(1);
    QTest::keyClick(form.GrSplitEdition, Qt::Key_F6);
    QCOMPARE(stored(), u"3"_s);
    QTest::keyClick(form.GrSplitEdition, Qt::Key_F9);
    QVERIFY(!form.isVisible());
}

void tst_frmSplitEdition::databaseFailureIsShownAndTheFormStays()
{
    TestDb::run(u"USE selvoro; DROP TABLE editionmaster;"_s);
    frmSplitEdition &form = open();
    QCOMPARE(m_dialogs.shown.size(), 1);
    QVERIFY2(m_dialogs.shown.first().text.contains(u"editionmaster"_s), qPrintable(m_dialogs.texts().first()));
    QCOMPARE(form.GrSplitEdition->item(0, 2), nullptr);

    form.CmNew->click();  // the grid reload fails again; the proposed code is still there
    QCOMPARE(m_dialogs.shown.size(), 2);
    QCOMPARE(form.TxCode->text(), u"SP0007"_s);
    QVERIFY(form.isVisible());
}

void tst_frmSplitEdition::menuOpensOneChildWindow()
{
    frmMain main(m_context);
    main.setAttribute(Qt::WA_DeleteOnClose, false);
    main.show();
    main.mnuSplitEdition->trigger();
    main.mnuSplitEdition->trigger();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    QVERIFY(qobject_cast<frmSplitEdition *>(main.mdiArea()->activeSubWindow()->widget()));
}

void tst_frmSplitEdition::windowCloseIsRefusedWhileANewEntryOrEditIsUnderWay()
{
    frmMain main(m_context);
    main.setAttribute(Qt::WA_DeleteOnClose, false);
    main.show();
    main.mnuSplitEdition->trigger();
    QMdiSubWindow *sub = main.mdiArea()->activeSubWindow();
    auto *form = qobject_cast<frmSplitEdition *>(sub->widget());
    QVERIFY(form);

    // The title bar's close button, like "Close - F9", does nothing in New or Edit mode.
    form->CmNew->click();
    QVERIFY(!sub->close());
    form->CmCancel->click();
    form->GrSplitEdition->setCurrentCell(0, 2);
    form->CmEdit->click();
    QVERIFY(!sub->close());
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);

    form->CmCancel->click();
    QVERIFY(sub->close());
    QTRY_VERIFY(main.mdiArea()->subWindowList().isEmpty());
}

// Enter in the edition box moves on to "Save - F5"; a second Enter there saves.
void tst_frmSplitEdition::enterOnSavePressesIt()
{
    open();
    const int before = stored().toInt();
    startNew(u"Coimbatore Extra"_s, u"01"_s);
    m_form->TxEditionCode->setFocus();
    QTest::keyClick(m_form->TxEditionCode, Qt::Key_Return);
    QVERIFY(m_form->CmNew->hasFocus());
    QTest::keyClick(m_form->CmNew, Qt::Key_Return);
    QCOMPARE(m_form->CmNew->text(), u"New - F2"_s);
    QCOMPARE(stored().toInt(), before + 1);
    QVERIFY(m_dialogs.shown.isEmpty());
}

QTEST_MAIN(tst_frmSplitEdition)
#include "tst_frmsplitedition.moc"
