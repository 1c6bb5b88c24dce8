#include "common/deployment.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_Deployment : public QObject
{
    Q_OBJECT
private slots:
    void addressLinesKeepTheirCommas();
};

void tst_Deployment::addressLinesKeepTheirCommas()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"selvoro.ini"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Publisher]\nAddress=Press House, M.G. Road, Kochi 682011\n"
               "PhoneFax=\"Phone 0484 2222222, Fax 0484 2333333\"\n[Workstation]\nDefaultUnit=001\n");
    file.close();
    const Deployment deployment = Deployment::load(path);
    QCOMPARE(deployment.publisherAddress, u"Press House, M.G. Road, Kochi 682011"_s);
    QCOMPARE(deployment.publisherPhoneFax, u"Phone 0484 2222222, Fax 0484 2333333"_s);
    QCOMPARE(deployment.defaultUnitCode, u"001"_s);
}

QTEST_GUILESS_MAIN(tst_Deployment)
#include "tst_deployment.moc"
