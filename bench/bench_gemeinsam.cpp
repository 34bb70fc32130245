#include "bench/bench_gemeinsam.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace {

// /usr/local/bin may hold a stand-in for convert; the real ImageMagick comes first.
QString convertProgramm()
{
    for (const char *p : { "/usr/bin/convert-im6.q16", "/usr/bin/convert" })
        if (QFileInfo::exists(QString::fromLatin1(p)))
            return QString::fromLatin1(p);
    return QStringLiteral("convert");
}

} // namespace

QString BenchFoto(int breite, int hoehe, int saat)
{
    const QString ordner = QCoreApplication::applicationDirPath() + QStringLiteral("/../bench-data");
    QDir().mkpath(ordner);
    const QString pfad = QDir(ordner).absoluteFilePath(QStringLiteral("plasma_%1x%2.jpg").arg(breite).arg(hoehe));
    if (QFileInfo::exists(pfad))
        return pfad;
    std::fprintf(stderr, "making %s ...\n", qPrintable(pfad));
    const QString tmp = pfad + QStringLiteral(".tmp.jpg");
    const int rc = QProcess::execute(convertProgramm(),
        { QStringLiteral("-size"), QStringLiteral("%1x%2").arg(breite).arg(hoehe), QStringLiteral("-seed"),
            QString::number(saat), QStringLiteral("plasma:fractal"), QStringLiteral("-attenuate"),
            QStringLiteral("0.35"), QStringLiteral("+noise"), QStringLiteral("Gaussian"), QStringLiteral("-quality"),
            QStringLiteral("92"), QStringLiteral("-sampling-factor"), QStringLiteral("2x2"), QStringLiteral("-strip"),
            tmp });
    return rc == 0 && QFile::rename(tmp, pfad) ? pfad : QString();
}

int Entropiedekodieren(const QString &pfad, bool koeffizienten)
{
    FILE *f = std::fopen(QFile::encodeName(pfad).constData(), "rb");
    if (!f)
        return 2;
    jpeg_decompress_struct info {};
    jpeg_error_mgr fehler {};
    info.err = jpeg_std_error(&fehler);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    if (koeffizienten) {
        jpeg_read_coefficients(&info);
    } else {
        jpeg_start_decompress(&info);
        std::vector<JSAMPLE> zeile(size_t(info.output_width) * size_t(info.output_components));
        JSAMPROW z = zeile.data();
        jpeg_skip_scanlines(&info, info.output_height - 1);
        jpeg_read_scanlines(&info, &z, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(f);
    return 0;
}
