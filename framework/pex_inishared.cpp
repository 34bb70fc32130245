#include "framework/pex_inishared.h"

#include "framework/ke7_str.h"
#include "framework/ke7_sys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <memory>
#include <optional>

namespace {

struct Zustand
{
    std::optional<bool> roaming;
    QString company = QStringLiteral("tarnel");
    QString product = QStringLiteral("kelAlbum");
    QString dateiName;
    std::unique_ptr<TpexIniFile> ini;
};

Zustand &zustand()
{
    static Zustand z;
    return z;
}

QString mitSchraegstrich(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString programmIniName()
{
    QString programm;
    if (QCoreApplication::instance())
        programm = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (programm.isEmpty())
        programm = QStringLiteral("kelalbum");
    return programm + QLatin1String(".ini");
}

} // namespace

void RoamingFestlegen(const QString &programmOrdner)
{
    zustand().roaming = !programmOrdner.isEmpty()
        && QFileInfo(mitSchraegstrich(programmOrdner) + QLatin1String("Roaming.pex")).isFile();
}

bool IstRoaming()
{
    if (!zustand().roaming)
        RoamingFestlegen(ProgrammOrdner());
    return *zustand().roaming;
}

void SetCompanyFolderName(const QString &name)
{
    zustand().company = name;
}

QString CompanyFolderName()
{
    return zustand().company;
}

void SetProductFolderName(const QString &name)
{
    zustand().product = name;
}

QString ProductFolderName()
{
    return zustand().product;
}

QString IniFolder()
{
    // Roaming settings belong where the desktop keeps data that travels with the user.
    const QString basis = QStandardPaths::writableLocation(
        IstRoaming() ? QStandardPaths::GenericDataLocation : QStandardPaths::GenericConfigLocation);
    if (basis.isEmpty())
        return ProgrammOrdner();
    QString ordner = mitSchraegstrich(basis);
    const Zustand &z = zustand();
    if (z.company.isEmpty())
        return ordner;
    ordner += z.company + QLatin1Char('/');
    if (!z.product.isEmpty())
        ordner += z.product + QLatin1Char('/');
    QDir().mkpath(ordner);
    return ordner;
}

QString SharedIniFileName()
{
    Zustand &z = zustand();
    if (z.dateiName.isEmpty())
        z.dateiName = IniFolder() + programmIniName();
    return z.dateiName;
}

TpexIniFile &SharedIniFile()
{
    Zustand &z = zustand();
    if (!z.ini)
        z.ini = std::make_unique<TpexIniFile>(SharedIniFileName());
    return *z.ini;
}

void SetSharedIniFileName(const QString &path)
{
    Zustand &z = zustand();
    z.ini.reset();
    // Only the name counts, whether the caller wrote '/' or a Windows '\'.
    QString name = path;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString datei = QFileInfo(name).fileName();
    z.dateiName = IniFolder() + (datei.isEmpty() ? programmIniName() : datei);
}

QString ProjektIniDateiName(const QString &projekt)
{
    QString name = projekt;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = Kleinbuchstaben(QFileInfo(name).completeBaseName());
    if (name.isEmpty())
        return QStringLiteral("kelAlbum.ini");
    return QLatin1String("kelAlbum_") + name + QLatin1String(".ini");
}
