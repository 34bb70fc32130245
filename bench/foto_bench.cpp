// The photo view's way from setting BildDateiname to a picture fitted into 1920 x 1080 and
// painted, for a 24 MP and a 12 MP photo, against a plain full-size decode and the floor of
// any decode (entropy decoding alone), all in one process (the view lives in the running
// program), interleaved rounds, medians.
//
//   bench_foto [--runden N]
//
// The photos are made once with ImageMagick into <build>/bench-data, with the same names and
// settings as bench/run-jpeg-bench (noisy plasma, quality 92, 4:2:0).

#include "bench/bench_gemeinsam.h"
#include "imaging/ke7_foto.h"
#include "imaging/ke7_fotoloader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <jpeglib.h>
#include <map>
#include <vector>

namespace {

struct Foto
{
    const char *name;
    int breite, hoehe, saat;
    QString pfad;
};

double ms(const std::function<void()> &schritt)
{
    QElapsedTimer uhr;
    uhr.start();
    schritt();
    return double(uhr.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int runden = 9;
    const QStringList args = app.arguments();
    const int i = int(args.indexOf(QStringLiteral("--runden")));
    if (i > 0 && i + 1 < args.size())
        runden = std::max(1, args[i + 1].toInt());

    std::vector<Foto> fotos = { { "24 MP", 6000, 4000, 12, {} }, { "12 MP", 4000, 3000, 11, {} } };
    for (Foto &f : fotos)
        if ((f.pfad = BenchFoto(f.breite, f.hoehe, f.saat)).isEmpty()) {
            std::fprintf(stderr, "bench_foto: cannot make %s (ImageMagick missing?)\n", qPrintable(f.pfad));
            return 1;
        }

    // The main window's large view: black, "Große Fotos anpassen" on, 1920 x 1080 client.
    TkelFoto foto;
    foto.setHintergrundfarbe(Qt::black);
    foto.setGrossanpassen(true);
    foto.resize(1920, 1080);
    foto.show();
    // Exposed, so that repaint() really paints.
    if (!QTest::qWaitForWindowExposed(&foto, 10000))
        std::fprintf(stderr, "bench_foto: window not exposed, painting is not measured\n");
    TkelFotoLader *lader = foto.Lader();
    QSignalSpy vorbereitet(lader, &TkelFotoLader::vorbereitet);
    // Something else to switch away from, so that every measured show is a change of photo.
    const QString anderes = QDir(QFileInfo(fotos[0].pfad).absolutePath()).filePath(QStringLiteral("anderes.jpg"));
    QImage(64, 48, QImage::Format_RGB32).save(anderes, "JPG");

    enum Mess { Kalt, Vorbereitet, Dekodierungen, QtVoll, QtSkaliert, Entropie, Koeffizienten };
    std::map<std::pair<int, int>, std::vector<double>> werte; // (photo, measure) -> per round

    for (int runde = 0; runde < runden; ++runde) {
        for (int fi = 0; fi < int(fotos.size()); ++fi) {
            const QString &pfad = fotos[size_t(fi)].pfad;

            // Cold: nothing of this photo in memory; decoded on the calling (GUI) thread.
            foto.setBildDateiname(anderes);
            lader->vergessen();
            werte[{ fi, Kalt }].push_back(ms([&] {
                foto.setBildDateiname(pfad);
                foto.repaint();
            }));
            const QSize soll
                = BildEinpassen(QSize(fotos[size_t(fi)].breite, fotos[size_t(fi)].hoehe), foto.contentsRect().size(), 5)
                      .size();
            if (!foto.Bild().ok() || foto.Bild().anzeige.size() != soll) {
                std::fprintf(stderr, "bench_foto: unexpected picture for %s\n", qPrintable(pfad));
                return 1;
            }

            // Read ahead while another photo is shown, then shown.
            foto.setBildDateiname(anderes);
            lader->vergessen();
            vorbereitet.clear();
            foto.Vorbereiten(pfad);
            if (!vorbereitet.wait(30000)) {
                std::fprintf(stderr, "bench_foto: read-ahead did not finish\n");
                return 1;
            }
            const int vorher = lader->dekodierungen();
            werte[{ fi, Vorbereitet }].push_back(ms([&] {
                foto.setBildDateiname(pfad);
                foto.repaint();
            }));
            werte[{ fi, Dekodierungen }].push_back(lader->dekodierungen() - vorher);

            werte[{ fi, QtVoll }].push_back(ms([&] { QImage bild(pfad); }));
            werte[{ fi, QtSkaliert }].push_back(ms([&] {
                QImageReader leser(pfad);
                leser.setScaledSize(BildEinpassen(leser.size(), QSize(1920, 1080), 5).size());
                QImage bild = leser.read();
            }));
            werte[{ fi, Entropie }].push_back(ms([&] { Entropiedekodieren(pfad); }));
            werte[{ fi, Koeffizienten }].push_back(ms([&] { Entropiedekodieren(pfad, true); }));
        }
        std::fprintf(stderr, "round %d/%d done\n", runde + 1, runden);
    }

    const auto verhaeltnis = [&](int fi, int a, int b) {
        std::vector<double> v;
        const auto &x = werte[{ fi, a }], &y = werte[{ fi, b }];
        for (size_t k = 0; k < x.size(); ++k)
            v.push_back(x[k] / y[k]);
        return median(v);
    };

    std::printf("%d interleaved rounds in one process, median ms; ratio = median of same-round ratios. View: "
                "1920 x 1080 client, \"Zu große Bilder anpassen\"; each show includes a repaint.\n\n",
        runden);
    std::printf("| photo | cold show | shown after read-ahead | decodes on the GUI thread after read-ahead "
                "| QImage load (full size) | QImageReader setScaledSize | entropy floor (skip) "
                "| jpeg_read_coefficients |\n");
    std::printf("| --- | --- | --- | --- | --- | --- | --- | --- |\n");
    for (int fi = 0; fi < int(fotos.size()); ++fi)
        std::printf("| %s | %.1f | %.2f | %.0f | %.1f | %.1f | %.1f | %.1f |\n", fotos[size_t(fi)].name,
            median(werte[{ fi, Kalt }]), median(werte[{ fi, Vorbereitet }]),
            *std::max_element(werte[{ fi, Dekodierungen }].begin(), werte[{ fi, Dekodierungen }].end()),
            median(werte[{ fi, QtVoll }]), median(werte[{ fi, QtSkaliert }]), median(werte[{ fi, Entropie }]),
            median(werte[{ fi, Koeffizienten }]));
    std::printf("\n| photo | cold / entropy floor (goal <= 1.30) | cold / jpeg_read_coefficients "
                "| cold / QImage load | cold / setScaledSize | after read-ahead, ms (goal < 20) |\n");
    std::printf("| --- | --- | --- | --- | --- | --- |\n");
    for (int fi = 0; fi < int(fotos.size()); ++fi)
        std::printf("| %s | %.2f | %.2f | %.2f | %.2f | %.2f |\n", fotos[size_t(fi)].name,
            verhaeltnis(fi, Kalt, Entropie), verhaeltnis(fi, Kalt, Koeffizienten), verhaeltnis(fi, Kalt, QtVoll),
            verhaeltnis(fi, Kalt, QtSkaliert), median(werte[{ fi, Vorbereitet }]));
    QFile::remove(anderes);
    return 0;
}
