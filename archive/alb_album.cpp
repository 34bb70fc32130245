#include "archive/alb_album.h"

#include "archive/alb_tools.h"
#include "framework/ke7_dir.h"
#include "framework/ke7_str.h"
#include "framework/ke7_sys.h"
#include "framework/ke7_textdatei.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

QString AlbumTempDateiname(const QString &albumDatei)
{
    const QFileInfo fi(albumDatei);
    const QString name = fi.fileName();
    const int punkt = name.lastIndexOf(QLatin1Char('.'));
    const QString basis = punkt > 0 ? name.left(punkt) : name;
    const QString ordner = albumDatei.left(albumDatei.size() - name.size());
    return ordner + basis + QLatin1String(AlbumTempExtension);
}

void AlbumSpeichern(const QString &albumDatei, const QStringList &eintraege)
{
    TextdateiSchreiben(albumDatei, eintraege);
}

void AlbumZwischenspeichern(const QString &albumDatei, const QStringList &eintraege)
{
    TextdateiSchreiben(AlbumTempDateiname(albumDatei), eintraege);
}

// Only plain files count: a line naming a folder (or the base folder itself, for an empty
// line) is no photo.
static bool istDatei(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

TkelAlbumLadenErgebnis AlbumLaden(const QString &albumDatei, const QString &grundpfad)
{
    TkelAlbumLadenErgebnis erg;
    if (!QFileInfo(albumDatei).isFile())
        return erg;

    const QString t = FreierPfad(AlbumTempDateiname(albumDatei));
    if (KopierenWennFehlt(albumDatei, t, false))
        erg.sicherung = t;

    QStringList zeilen = TextdateiLesen(albumDatei);
    TextSortieren(zeilen);

    const QString b = MitSchraegstrich(grundpfad);
    const QString basisSauber = QDir::cleanPath(b);
    QSet<QString> schonDa;
    const auto hinzu = [&](const QString &key, const QString &text) {
        const QString k = key.toCaseFolded();
        if (schonDa.contains(k))
            return;
        schonDa.insert(k);
        erg.items.append({ text, key });
    };
    // An entry must stay inside the base folder when it is relative: "../" is resolved and
    // a path that leaves the base folder is taken as the full path it really is.
    const auto relativSauber = [&](const QString &rel, QString &key, QString &text) {
        key = QDir::cleanPath(b + rel);
        // Above the root there is only the root again.
        while (key.startsWith(QLatin1String("/../")))
            key.remove(0, 3);
        if (key.startsWith(basisSauber + QLatin1Char('/'))) {
            text = key.mid(basisSauber.size() + 1);
        } else {
            text = key;
        }
    };

    for (QString zeile : std::as_const(zeilen)) {
        // A NUL byte cannot be part of a path; such a line is damaged.
        if (zeile.contains(QChar(0)))
            continue;
        zeile.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (TrimBlanks(zeile).isEmpty())
            continue;

        QString key;
        QString text;
        if (!b.isEmpty() && !QDir::isAbsolutePath(zeile)) {
            relativSauber(zeile, key, text);
            if (istDatei(key)) {
                hinzu(key, text);
                continue;
            }
        }
        if (QDir::isAbsolutePath(zeile) && istDatei(zeile)) {
            hinzu(zeile, RelativerFotoPfad(b, zeile));
            continue;
        }
        const QStringList teile = zeile.split(QLatin1Char('/'));
        if (teile.size() >= 3 && !b.isEmpty()) {
            const QString p = teile.mid(teile.size() - 3).join(QLatin1Char('/'));
            const bool sauber = std::none_of(teile.end() - 3, teile.end(),
                [](const QString &s) { return s == QLatin1String("..") || s == QLatin1String(".") || s.isEmpty(); });
            if (sauber) {
                relativSauber(p, key, text);
                if (istDatei(key))
                    hinzu(key, text);
            }
        }
    }
    return erg;
}
