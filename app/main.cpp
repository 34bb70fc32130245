#include "framework/ke7_error.h"
#include "framework/ke7_parameterwerte.h"
#include "framework/ke7_qtuiservices.h"
#include "framework/ke7_sys.h"
#include "framework/pex_ini.h"
#include "framework/pex_inishared.h"
#include "mainwindow/alb_main.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTranslator>

namespace {

const QString kDemoProjekt = QStringLiteral("demo");

// The sample archive generator: beside the source tree the program was built from, else
// next to an installed or built program.
QString BeispielSkript()
{
    QStringList orte;
#ifdef KEL_SCRIPTS_DIR
    orte << QStringLiteral(KEL_SCRIPTS_DIR);
#endif
    const QString bin = QCoreApplication::applicationDirPath();
    orte << bin + QStringLiteral("/../scripts") << bin + QStringLiteral("/../../scripts")
         << bin + QStringLiteral("/../share/kelalbum/scripts");
    for (const QString &ort : std::as_const(orte)) {
        const QString skript = ort + QStringLiteral("/make-sample-archive");
        if (QFileInfo(skript).isFile())
            return QDir::cleanPath(skript);
    }
    return QString();
}

// Prepares the demo: the sample archive in the cache folder (made once, then reused) and
// the demo project's settings pointing at it. False after a message when that fails.
bool DemoVorbereiten(TkelUiServices &ui)
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString archiv = cache + QStringLiteral("/kelalbum-demo/");
    if (!QFileInfo(archiv + QStringLiteral("2012")).isDir()) {
        const QString skript = BeispielSkript();
        if (skript.isEmpty()) {
            Meldung(ui,
                QStringLiteral("Das Beispielarchiv kann nicht erstellt werden:\rDas Skript "
                               "make-sample-archive wurde nicht gefunden."));
            return false;
        }
        QDir(archiv).removeRecursively();
        QDir().mkpath(cache);
        QProcess prozess;
        prozess.setProcessChannelMode(QProcess::MergedChannels);
        prozess.start(QStringLiteral("python3"), { skript, archiv });
        const bool ok
            = prozess.waitForFinished(-1) && prozess.exitStatus() == QProcess::NormalExit && prozess.exitCode() == 0;
        if (!ok) {
            Meldung(ui,
                QStringLiteral("Das Beispielarchiv konnte nicht erstellt werden:\r")
                    + QString::fromLocal8Bit(prozess.readAll()).trimmed() + QLatin1Char('\r') + prozess.errorString());
            QDir(archiv).removeRecursively();
            return false;
        }
    }
    SetCompanyFolderName(QStringLiteral("tarnel"));
    SetProductFolderName(QStringLiteral("kelAlbum"));
    TpexIniFile ini(IniFolder() + ProjektIniDateiName(kDemoProjekt));
    const QString sektion = QStringLiteral("Tam_ParGlobal");
    try {
        ini.writeString(sektion, QStringLiteral("ED_GRUNDPFAD"), archiv);
        ini.writeString(sektion, QStringLiteral("ED_GRUNDPFAD_Keys_00"), KeyListEntry(archiv, archiv));
        ini.writeString(sektion, QStringLiteral("ED_EXPORTTOHTML_ENABLED"), QStringLiteral("0"));
    } catch (const TkelFehler &fehler) {
        Fehlermeldung(ui, fehler.text());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelAlbum"));
    QApplication::setOrganizationName(QStringLiteral("tarnel"));
    // Dates are always dd.MM.yyyy and numbers German, whatever the user's locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    RoamingFestlegen(QCoreApplication::applicationDirPath());

    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
            QStringLiteral("/usr/share/qt6/translations"))
        || qtDeutsch.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtDeutsch);

    TkelQtUiServices ui;
    QStringList argumente = QCoreApplication::arguments().mid(1);
    if (argumente.removeAll(QStringLiteral("--demo")) > 0) {
        if (!DemoVorbereiten(ui))
            return 1;
        argumente.append(QStringLiteral("/Projekt=") + kDemoProjekt);
    }

    int code = 0;
    {
        Tam_Main hauptfenster(ui, argumente);
        if (hauptfenster.EndeCode() >= 0)
            return hauptfenster.EndeCode();
        ui.setHauptfenster(&hauptfenster);
        hauptfenster.show();
        hauptfenster.activateWindow();
        code = app.exec();
        ui.setHauptfenster(nullptr);
    }
    return code;
}
