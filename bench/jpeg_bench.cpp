// One measured operation per process, so that bench/run-jpeg-bench can time fresh processes
// the way it times the command-line peers (vipsthumbnail, convert, djpeg).
//
//   bench_jpeg verkleinern <photo> <target> <width> <height>   JpegVerkleinern
//   bench_jpeg naiv        <photo> <target> <width> <height>   whole picture decoded into one
//                                                             frame, then sampled and encoded
//   bench_jpeg entropie    <photo>                            Huffman decoding only, nothing
//                                                             stored: the floor of any exact decode
//   bench_jpeg koeffizienten <photo>                          jpeg_read_coefficients: Huffman
//                                                             decoding into the whole coefficient
//                                                             array (no IDCT)
//   bench_jpeg wiederholt  <n> <photo> <target> <w> <h>       n calls of JpegVerkleinern in one
//                                                             process; prints the median ms per call
//   bench_jpeg leer                                           start-up only
// With KEL_BENCH_RSS=1 in the environment the peak resident memory (KiB) is printed.

#include "bench/bench_gemeinsam.h"
#include "framework/ke7_error.h"
#include "imaging/ke7_grafik.h"
#include "imaging/ke7_jpeg.h"

#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <sys/resource.h>
#include <vector>

namespace {

void naiv(const QString &quelle, const QString &ziel, int b, int h)
{
    const QImage voll = TkelJpegLeser::laden(quelle);
    const QSize groesse = JpegZielgroesse(voll.size(), b, h);
    QImage aus(groesse, QImage::Format_RGB888);
    const qint64 W = voll.width(), H = voll.height(), w = groesse.width(), hh = groesse.height();
    for (int y = 0; y < hh; ++y) {
        const uchar *q = voll.constScanLine(int(((2 * y + 1) * H) / (2 * hh)));
        uchar *z = aus.scanLine(y);
        for (int x = 0; x < w; ++x)
            std::memcpy(z + x * 3, q + ((2 * x + 1) * W) / (2 * w) * 3, 3);
    }
    TkelJpegSchreiber::bildSchreiben(ziel, aus);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_jpeg verkleinern|naiv|entropie|koeffizienten|wiederholt|leer ...\n");
        return 2;
    }
    const char *modus = argv[1];
    int rc = 0;
    try {
        if ((std::strcmp(modus, "entropie") == 0 || std::strcmp(modus, "koeffizienten") == 0) && argc == 3) {
            rc = Entropiedekodieren(QString::fromLocal8Bit(argv[2]), modus[0] == 'k');
        } else if ((std::strcmp(modus, "verkleinern") == 0 || std::strcmp(modus, "naiv") == 0) && argc == 6) {
            const QString quelle = QString::fromLocal8Bit(argv[2]);
            const QString ziel = QString::fromLocal8Bit(argv[3]);
            const int b = std::atoi(argv[4]), h = std::atoi(argv[5]);
            if (modus[0] == 'v')
                JpegVerkleinern(quelle, ziel, b, h);
            else
                naiv(quelle, ziel, b, h);
        } else if (std::strcmp(modus, "wiederholt") == 0 && argc == 7) {
            const int n = std::max(1, std::atoi(argv[2]));
            const QString quelle = QString::fromLocal8Bit(argv[3]);
            const QString ziel = QString::fromLocal8Bit(argv[4]);
            std::vector<double> ms;
            for (int i = 0; i < n; ++i) {
                QElapsedTimer uhr;
                uhr.start();
                JpegVerkleinern(quelle, ziel, std::atoi(argv[5]), std::atoi(argv[6]));
                ms.push_back(double(uhr.nsecsElapsed()) / 1e6);
            }
            std::sort(ms.begin(), ms.end());
            std::printf("%.1f\n", ms[ms.size() / 2]);
        } else if (std::strcmp(modus, "leer") != 0) {
            std::fprintf(stderr, "bench_jpeg: unknown mode or wrong arguments\n");
            return 2;
        }
    } catch (const TkelFehler &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    if (std::getenv("KEL_BENCH_RSS")) {
        rusage r {};
        getrusage(RUSAGE_SELF, &r);
        std::printf("%ld\n", r.ru_maxrss);
    }
    return rc;
}
