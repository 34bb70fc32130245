#include "tests/common/fakeuiservices.h"
#include "tests/common/kel_test.h"

#include <QStandardPaths>

class SmokeTest : public QObject
{
    Q_OBJECT
private slots:
    void umgebungIstIsoliert()
    {
        QVERIFY(QDir::homePath().contains(QLatin1String("kelalbum-test-")));
        QVERIFY(QDir::tempPath().contains(QLatin1String("kelalbum-test-")));
        QVERIFY(QFileInfo::exists(kelFotoOrdner() + QLatin1String("/Canon_40D.jpg")));
    }
};

KEL_TEST_MAIN(SmokeTest)
#include "smoke_test.moc"
