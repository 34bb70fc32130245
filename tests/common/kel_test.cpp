#include "tests/common/kel_test.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>
#include <ctime>
#include <memory>

QString kelTestUmgebung()
{
    static std::unique_ptr<QTemporaryDir> root;
    if (root)
        return root->path();
    root = std::make_unique<QTemporaryDir>(QDir::tempPath() + QLatin1String("/kelalbum-test-XXXXXX"));
    const QString r = root->path();
    const auto setze = [&r](const char *name, const char *sub) {
        const QString p = r + QLatin1Char('/') + QLatin1String(sub);
        QDir().mkpath(p);
        qputenv(name, QFile::encodeName(p));
    };
    setze("HOME", "home");
    setze("XDG_CONFIG_HOME", "home/.config");
    setze("XDG_DATA_HOME", "home/.local/share");
    setze("XDG_CACHE_HOME", "home/.cache");
    setze("XDG_RUNTIME_DIR", "runtime");
    QFile::setPermissions(r + QLatin1String("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setze("TMPDIR", "tmp");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return r;
}

QString kelFotoOrdner()
{
    if (qEnvironmentVariableIsSet("KEL_PHOTOS"))
        return qEnvironmentVariable("KEL_PHOTOS");
    const QString nebenan = QStringLiteral(KEL_SOURCE_DIR "/../shared/photos");
    if (QFileInfo::exists(nebenan))
        return nebenan;
    return QStringLiteral("/work/shared/photos");
}

void kelDateiSchreiben(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

QByteArray kelDateiLesen(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
