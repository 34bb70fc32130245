#include "archive/alb_titel.h"

#include "framework/ke7_dir.h"
#include "framework/ke7_str.h"
#include "framework/pex_ini.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

QString TitelDateiPfad(const QString &ordner, const QString &name)
{
    const QString basis = MitSchraegstrich(ordner);
    const QString gross = basis + Grossbuchstaben(name);
    if (QFileInfo(gross).isFile())
        return gross;
    const QString genau = basis + name;
    if (QFileInfo(genau).isFile())
        return genau;
    // The file system is case-sensitive, the stores' names are not: an album.dat written by
    // another program still counts. Of several spellings the first in code order wins, so the
    // choice does not depend on the directory order.
    QString gefunden;
    QDirIterator it(basis.isEmpty() ? QStringLiteral(".") : basis, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString kandidat = it.fileName();
        if (TextGleich(kandidat, name) && (gefunden.isEmpty() || kandidat < gefunden))
            gefunden = kandidat;
    }
    return gefunden.isEmpty() ? genau : basis + gefunden;
}

QString AlbumTitelLesen(const QString &tagOrdner)
{
    return PexIni::lesen(
        TitelDateiPfad(tagOrdner, kAlbumDat), QStringLiteral("TITEL"), QStringLiteral("TITELNAME"), kOhneTitel);
}
