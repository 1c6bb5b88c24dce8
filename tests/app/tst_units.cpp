#include "app/units.h"
#include "common/db.h"
#include "testdb.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_Units : public QObject
{
    Q_OBJECT
private slots:
    void offersPermittedAdvertisementUnitsByPriority();
    void titlesNameTheUnitAndUser();
};

void tst_Units::offersPermittedAdvertisementUnitsByPriority()
{
    REQUIRE_TEST_DB();
    TestDb::reset({TestDb::file(u"tests/app/fixture.sql"_s)});
    Db db;
    TestDb::open(db);
    QStringList names;
    for (const Unit &unit : permittedUnits(db, u"2"_s))
        names.append(unit.code + u' ' + unit.name);
    // Unit 03 is closed to the advertisement desk; 02 comes first by priority.
    QCOMPARE(names, (QStringList{u"002 Madurai"_s, u"001 Chennai"_s}));
    QVERIFY(permittedUnits(db, u"1"_s).isEmpty());
    QVERIFY(permittedUnits(db, u"x' or '1'='1"_s).isEmpty());
}

void tst_Units::titlesNameTheUnitAndUser()
{
    QCOMPARE(mainTitleAtOpening(u"Chennai"_s, u"clerk"_s),
             u"Bill Print- Advertisement      Selvoro (Pvt.) LTD     Chennai            [User : clerk ]"_s);
    const QString gap(47, u' ');
    QCOMPARE(mainTitleAfterSwitch(u"Madurai"_s, u"boss"_s, true),
             u"Advertisement     Selvoro (Pvt.) LTD     Madurai"_s + gap + u"*[Current User : boss ]*"_s);
    QCOMPARE(mainTitleAfterSwitch(u"Madurai"_s, u"clerk"_s, false),
             u"Advertisement     Selvoro (Pvt.) LTD     Madurai"_s + gap + u"[Current User : clerk ]"_s);
}

QTEST_GUILESS_MAIN(tst_Units)
#include "tst_units.moc"
