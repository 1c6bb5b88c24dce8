#include "testdb.h"

#include <QFile>
#include <QProcess>

using namespace Qt::Literals::StringLiterals;

namespace TestDb {

bool available()
{
    return !qEnvironmentVariable("SELVORO_TEST_PORT").isEmpty()
           && !qEnvironmentVariable("SELVORO_TEST_SOCKET").isEmpty();
}

QString skipReason()
{
    return u"no private test database: run the tests through scripts/test (SELVORO_TEST_PORT unset)"_s;
}

QString sourcePath(const QString &relative) { return qEnvironmentVariable("SELVORO_SOURCE_DIR") + u'/' + relative; }

QString file(const QString &relative)
{
    QFile f(sourcePath(relative));
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(u"cannot read "_s + f.fileName());
    return QString::fromUtf8(f.readAll());
}

void run(const QString &sql, const QString &socket)
{
    QProcess client;
    client.setProcessChannelMode(QProcess::MergedChannels);
    client.start(u"mariadb"_s, {u"--no-defaults"_s, u"--socket"_s,
                                socket.isEmpty() ? qEnvironmentVariable("SELVORO_TEST_SOCKET") : socket, u"-uroot"_s,
                                u"--default-character-set=utf8mb4"_s});
    if (!client.waitForStarted())
        throw DbError(u"cannot start the mariadb client"_s);
    client.write(sql.toUtf8());
    client.closeWriteChannel();
    client.waitForFinished(120000);
    if (client.exitStatus() != QProcess::NormalExit || client.exitCode() != 0)
        throw DbError(u"mariadb client failed: "_s + QString::fromUtf8(client.readAll()));
}

void reset(const QStringList &sqlTexts)
{
    // A test may have changed the server's sql_mode; every test starts from the default one.
    QString script =
        u"SET GLOBAL sql_mode = DEFAULT;\nSET SESSION sql_mode = DEFAULT;\nDROP DATABASE IF EXISTS selvoro;\nCREATE DATABASE selvoro CHARACTER SET utf8mb4;\nUSE selvoro;\n"_s
        + file(u"db/schema.sql"_s);
    for (const QString &text : sqlTexts)
        script += u"\nUSE selvoro;\n"_s + text;
    run(script);
}

Deployment deployment()
{
    Deployment d;
    d.port = qEnvironmentVariableIntValue("SELVORO_TEST_PORT");
    return d;
}

void open(Db &db)
{
    Deployment d = deployment();
    d.connectTimeout = 10;
    db.open(d.connectSettings(u"127.0.0.1"_s));
}

}  // namespace TestDb
