// Golden runs of the headless command: each folder under tests/golden holds fixture.sql (loaded
// over base.sql), args (one argument a line; {port} and {out} are filled in), expected.status,
// expected.stderr, and expected.NAME for each file out.NAME the run writes into {out}.
// SELVORO_GOLDEN_UPDATE=1 rewrites the expected files from the runs, for review.
#include "clirun.h"
#include "testdb.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_Golden : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void runMatchesItsGolden_data();
    void runMatchesItsGolden();

private:
    QTemporaryDir m_home;
    QString m_deployment;
};

void tst_Golden::initTestCase()
{
    REQUIRE_TEST_DB();
    // The workstation of every run belongs to unit KOC.
    m_deployment = m_home.filePath(u"selvoro.ini"_s);
    QVERIFY(writeAll(m_deployment, "[Workstation]\nDefaultUnit=KOC\n"));
}

void tst_Golden::runMatchesItsGolden_data()
{
    QTest::addColumn<QString>("folder");
    const QDir golden(TestDb::sourcePath(u"tests/golden"_s));
    for (const QString &name : golden.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        QTest::newRow(qPrintable(name)) << golden.filePath(name);
}

void tst_Golden::runMatchesItsGolden()
{
    QFETCH(QString, folder);
    const QDir cases(folder);
    TestDb::reset(
        {TestDb::file(u"tests/golden/base.sql"_s), QString::fromUtf8(readAll(cases.filePath(u"fixture.sql"_s)))});

    QTemporaryDir out;
    QStringList args = QString::fromUtf8(readAll(cases.filePath(u"args"_s))).split(u'\n');
    if (!args.isEmpty() && args.last().isEmpty())
        args.removeLast();
    for (QString &arg : args)
        arg.replace(u"{port}"_s, QString::number(TestDb::deployment().port)).replace(u"{out}"_s, out.path());

    const CliRun run = runCli(args, {.home = m_home.path(), .deployment = m_deployment});
    const QByteArray status = QByteArray::number(run.status) + '\n';
    const QByteArray errors = run.err.toUtf8();
    QStringList outputs = QDir(out.path()).entryList(QDir::Files, QDir::Name);
    if (qEnvironmentVariableIntValue("SELVORO_GOLDEN_UPDATE") == 1) {
        QVERIFY(writeAll(cases.filePath(u"expected.status"_s), status));
        QVERIFY(writeAll(cases.filePath(u"expected.stderr"_s), errors));
        for (const QString &name : outputs)
            QVERIFY(writeAll(cases.filePath(u"expected."_s + name.mid(name.indexOf(u'.') + 1)),
                             readAll(out.filePath(name))));
        return;
    }
    QCOMPARE(status, readAll(cases.filePath(u"expected.status"_s)));
    QCOMPARE(errors, readAll(cases.filePath(u"expected.stderr"_s)));
    for (const QString &expected : cases.entryList({u"expected.*"_s}, QDir::Files)) {
        const QString suffix = expected.mid(u"expected."_s.size());
        if (suffix == u"status"_s || suffix == u"stderr"_s)
            continue;
        QVERIFY2(outputs.removeOne(u"out."_s + suffix), qPrintable(u"no out."_s + suffix));
        QCOMPARE(readAll(out.filePath(u"out."_s + suffix)), readAll(cases.filePath(expected)));
    }
    QCOMPARE(outputs, QStringList());  // every file the run wrote has its golden
}

QTEST_GUILESS_MAIN(tst_Golden)
#include "tst_golden.moc"
