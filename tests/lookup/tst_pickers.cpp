#include "desk.h"
#include "lookup/frmgrouplist.h"
#include "lookup/frmproductlist.h"
#include "testdb.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

const QList<PickerEntry> Products = {
    {u"Daily"_s, u"P1"_s, u"1"_s}, {u"Weekly"_s, u"P2"_s, u"2"_s}, {u"Magazine"_s, u"P3"_s, u"3"_s}};

void tick(QTreeWidget *list, int row) { list->topLevelItem(row)->setCheckState(0, Qt::Checked); }

const QString Fixture = uR"(
INSERT INTO productmaster (product_code, product_name, product_priority) VALUES
  ('WKL', 'Weekly', 2), ('DLY', 'Daily', 1), ('MAG', 'Magazine', 3);
INSERT INTO advt_clienttype (group_code, group_name, group_comm) VALUES
  ('G5', 'Retail', 0), ('G2', 'Agencies', 15), ('O''X', 'Quoted', 0);
)"_s;

}  // namespace

class tst_Pickers : public QObject
{
    Q_OBJECT
private slots:
    void resultTextsFollowListOrderNotTickOrder();
    void groupPickerIsCaptionedForGroupsInTheListFont();
    void groupCodesAreQuotedSafely_data();
    void groupCodesAreQuotedSafely();
    void anyCharacterInTheListMovesFocusToApply();
    void longNamesShowWhole();
    void setFormKeepsTheResultOnlyForTheBillForm();
};

void tst_Pickers::resultTextsFollowListOrderNotTickOrder()
{
    frmProductList products(Products);
    QCOMPARE(products.windowTitle(), u"Products"_s);
    QVERIFY(products.LvProduct->isColumnHidden(1) && products.LvProduct->isColumnHidden(2));
    QCOMPARE(products.resultText(), QString());
    tick(products.LvProduct, 2);
    tick(products.LvProduct, 0);
    QCOMPARE(products.resultText(), u"P1/P3"_s);

    frmGroupList groups({{u"A"_s, u"G1"_s, {}}, {u"B"_s, u"G2"_s, {}}, {u"C"_s, u"G5"_s, {}}});
    tick(groups.LvGroup, 2);
    tick(groups.LvGroup, 1);
    QCOMPARE(groups.resultText(), u"'G2','G5'"_s);
}

// The group picker is no second "Products" window, and both lists read alike.
void tst_Pickers::groupPickerIsCaptionedForGroupsInTheListFont()
{
    frmProductList products(Products);
    frmGroupList groups({{u"Agencies"_s, u"G2"_s, {}}});
    QCOMPARE(groups.windowTitle(), u"Groups"_s);
    QCOMPARE(groups.LvGroup->font().family(), products.LvProduct->font().family());
    QCOMPARE(products.LvProduct->font().family(), u"Times New Roman"_s);
}

void tst_Pickers::groupCodesAreQuotedSafely_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one") << QStringList{u"A"_s} << u"'A'"_s;
    QTest::newRow("three") << QStringList{u"A"_s, u"B"_s, u"C"_s} << u"'A','B','C'"_s;
    QTest::newRow("quote-doubled") << QStringList{u"O'X"_s} << u"'O''X'"_s;
    QTest::newRow("backslash-as-is") << QStringList{u"A\\"_s, u"B"_s} << u"'A\\','B'"_s;
}

void tst_Pickers::groupCodesAreQuotedSafely()
{
    QFETCH(QStringList, codes);
    QFETCH(QString, expected);
    QCOMPARE(groupInList(codes), expected);
    QCOMPARE(productCombination({u"P1"_s}), u"P1"_s);
}

void tst_Pickers::anyCharacterInTheListMovesFocusToApply()
{
    frmProductList picker(Products);
    picker.show();
    QVERIFY(QTest::qWaitForWindowActive(&picker));
    // The picker opens in its list, so the blank ticks an entry instead of pressing Apply.
    QVERIFY(picker.LvProduct->hasFocus());
    QTest::keyClick(picker.LvProduct, Qt::Key_Space);
    QTRY_VERIFY(picker.CmApply->hasFocus());
    // The blank still ticked the current entry on its way.
    QCOMPARE(picker.resultText(), u"P1"_s);
    QVERIFY(picker.isVisible());

    picker.LvProduct->setFocus();
    QTest::keyClick(picker.LvProduct, Qt::Key_Return);
    QTRY_VERIFY(picker.CmApply->hasFocus());
    QVERIFY(picker.isVisible());
    // Enter on Apply presses it.
    QTest::keyClick(picker.CmApply, Qt::Key_Return);
    QCOMPARE(picker.result(), int(QDialog::Accepted));
}

void tst_Pickers::longNamesShowWhole()
{
    const QString name = u"NON-ACCREDITED AGENCIES (CASH CLIENTS)"_s;
    frmGroupList groups({{u"Agencies"_s, u"G2"_s, {}}, {name, u"G9"_s, {}}});
    groups.show();
    QVERIFY(QTest::qWaitForWindowExposed(&groups));
    const QTreeWidgetItem *item = groups.LvGroup->topLevelItem(1);
    const QRect shown = groups.LvGroup->visualItemRect(item) & groups.LvGroup->viewport()->rect();
    QVERIFY(shown.width() > groups.LvGroup->fontMetrics().horizontalAdvance(name));
}

void tst_Pickers::setFormKeepsTheResultOnlyForTheBillForm()
{
    REQUIRE_TEST_DB();
    TestDb::reset({Fixture});
    Db db(u"pickers"_s);
    TestDb::open(db);

    // Products come by priority: Daily (DLY), Weekly (WKL), Magazine (MAG).
    applyWhenOpen({2, 0});
    QCOMPARE(frmProductList::SetForm(u"frmPrintBill"_s, nullptr, db), std::optional<QString>(u"DLY/MAG"_s));
    // Groups come by name: Agencies (G2), Quoted (O'X), Retail (G5).
    applyWhenOpen({0, 1, 2});
    QCOMPARE(frmGroupList::SetForm(u"frmPrintBill"_s, nullptr, db), std::optional<QString>(u"'G2','O''X','G5'"_s));
    applyWhenOpen({0});
    QCOMPARE(frmGroupList::SetForm(u"frmOther"_s, nullptr, db), std::nullopt);
}

QTEST_MAIN(tst_Pickers)
#include "tst_pickers.moc"
