// Arbitrary bytes as an album file: loading must never crash or hang, every listed photo is
// a real file, and no photo is listed twice.
#include "archive/alb_album.h"
#include "framework/ke7_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir *tmp = [] {
        auto *t = new QTemporaryDir();
        const QString b = t->path() + QStringLiteral("/Fotos/");
        for (const char *rel : { "2012/20120315/a.jpg", "2012/20120315/B.JPG", "2011/x y/ä.jpg" }) {
            const QString p = b + QString::fromUtf8(rel);
            QDir().mkpath(QFileInfo(p).absolutePath());
            QFile f(p);
            f.open(QIODevice::WriteOnly);
        }
        return t;
    }();
    const QString basis = tmp->path() + QStringLiteral("/Fotos/");
    const QString album = tmp->path() + QStringLiteral("/a.kelAlbum");
    {
        QFile f(album);
        if (!f.open(QIODevice::WriteOnly))
            std::abort();
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    try {
        const TkelAlbumLadenErgebnis erg = AlbumLaden(album, basis);
        QSet<QString> keys;
        for (const TkelKeyItem &i : erg.items) {
            if (!QFileInfo(i.key).isFile() || keys.contains(i.key.toCaseFolded()))
                std::abort();
            keys.insert(i.key.toCaseFolded());
        }
        if (!erg.sicherung.isEmpty())
            QFile::remove(erg.sicherung);
    } catch (const TkelFehler &) { }
    return 0;
}
