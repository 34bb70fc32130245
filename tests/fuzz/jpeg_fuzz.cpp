// Mutated JPEG files into the two decode paths: the row-skipping scaler (JpegVerkleinern,
// writing into a temporary folder) and the DCT-scaled whole-picture decode of the photo view.
// Every outcome but a TkelFehler or a valid file is a finding.

#include "framework/ke7_error.h"
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
    return 0;
}
