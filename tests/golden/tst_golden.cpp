// Golden runs of the headless command: each folder under tests/golden holds fixture.sql (loaded
// over base.sql), args (one argument a line; {port} and {out} are filled in), expected.status,
// expected.stderr, and expected.NAME for each file out.NAME the run writes into {out}.
// SELVORO_GOLDEN_UPDATE=1 rewrites the expected files from the runs, for review.
#include "testdb.h"

#include <QDir>
#include <QProcess>
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

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

}  // namespace

void tst_Golden::initTestCase()
{
    if (!TestDb::available())
        QSKIP(qPrintable(TestDb::skipReason()));
    // The workstation of every run belongs to unit KOC.
    m_deployment = m_home.filePath(u"selvoro.ini"_s);
    writeAll(m_deployment, "[Workstation]\nDefaultUnit=KOC\n");
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

    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"SELVORO_PASSWORD"_s, u"pass2"_s);
    env.insert(u"XDG_CONFIG_HOME"_s, m_home.path());
    env.insert(u"SELVORO_DEPLOYMENT"_s, m_deployment);
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(SELVORO_CLI), args);
    cli.closeWriteChannel();
    QVERIFY(cli.waitForFinished(120000));

    const QByteArray status = QByteArray::number(cli.exitCode()) + '\n';
    const QByteArray errors = cli.readAllStandardError();
    QStringList outputs = QDir(out.path()).entryList(QDir::Files, QDir::Name);
    if (qEnvironmentVariableIntValue("SELVORO_GOLDEN_UPDATE") == 1) {
        writeAll(cases.filePath(u"expected.status"_s), status);
        writeAll(cases.filePath(u"expected.stderr"_s), errors);
        for (const QString &name : outputs)
            writeAll(cases.filePath(u"expected."_s + name.mid(name.indexOf(u'.') + 1)), readAll(out.filePath(name)));
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
