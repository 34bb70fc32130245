// Mutated JPEG files into every decode path: the row-skipping scaler (JpegVerkleinern, writing
// into a temporary folder), the DCT-scaled whole-picture decode and the photo view's loader.
// Every outcome but a TkelFehler or a valid file is a finding.

#include "framework/ke7_error.h"
#include "imaging/ke7_fotoloader.h"
#include "imaging/ke7_grafik.h"
#include "imaging/ke7_jpeg.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// Larger pictures only make the fuzzer slow; the pixel cap itself is tested elsewhere.
constexpr qint64 kMaxPixel = 4'000'000;

QTemporaryDir &ordner()
{
    static QTemporaryDir dir(QDir::tempPath() + QLatin1String("/fuzz_jpeg-XXXXXX"));
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    const QString quelle = ordner().filePath(QStringLiteral("quelle ä.jpg"));
    const QString ziel = ordner().filePath(QStringLiteral("ziel.jpg"));
    {
        QFile f(quelle);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char *>(daten), qint64(groesse));
    }

    try {
        const TkelJpegLeser kopf(quelle, kMaxPixel);
        (void)kopf;
    } catch (const TkelFehler &) {
        return 0;
    }

    try {
        JpegVerkleinernMehrfach(quelle, { { ziel, 80, 80 }, { ziel + QLatin1String(".2"), 37, 300 } });
        if (!QFile::exists(ziel))
            std::abort();
    } catch (const TkelFehler &) {
        // A failed run never leaves a file behind, not even a temporary one.
        if (QDir(ordner().path()).entryList(QDir::Files).size() > 3)
            std::abort();
    }

    try {
        const QImage bild = TkelJpegLeser::laden(quelle, QSize(64, 48), kMaxPixel);
        if (bild.isNull())
            std::abort();
    } catch (const TkelFehler &) { }

    // The photo view's loader never throws: fitted (scaled decode; large pictures are reduced
    // on a second thread while decoding), enlarged, and at natural size (rows skipped to the
    // visible middle), then laid out again.
    TkelFotoZiel ziele[4];
    ziele[0].flaeche = QSize(50, 40);
    ziele[0].grossanpassen = true;
    ziele[1].flaeche = QSize(300, 200);
    ziele[1].stretch = true;
    ziele[2].flaeche = QSize(30, 20);
    ziele[3].flaeche = QSize(1500, 1000);
    ziele[3].stretch = true;
    for (const TkelFotoZiel &ziel : ziele) {
        TkelFotoBild b = TkelFotoLader::laden(quelle, ziel);
        if (!b.ok()) {
            if (b.fehler.isEmpty() || !b.anzeige.isNull())
                std::abort();
            continue;
        }
        if (!b.anzeige.rect().contains(b.anzeigeTeil) && !b.anzeigeTeil.isEmpty())
            std::abort();
        if (TkelFotoLader::deckt(b, ziele[0]) != TkelFotoLader::umlegen(b, ziele[0]))
            std::abort();
    }
    return 0;
}
