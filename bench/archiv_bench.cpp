// Title stores and album files at growing sizes, to show that the costs grow linearly:
// rebuilding a year's title stores, reading its day list, loading an album.
//
//   bench_archiv [runden]
//
// Per size it prints the median milliseconds and the milliseconds per day or entry. As a
// peer in the same run it rebuilds with one durable ini write per key (what the rebuild
// would cost without batching the writes).

#include "archive/alb_album.h"
#include "archive/alb_titelstore.h"
#include "framework/ke7_fortschritt.h"
#include "framework/ke7_uiservices.h"
#include "framework/pex_ini.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

class StilleUi : public TkelUiServices
{
public:
    void nachricht(Art, const QString &text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool frage(const QString &) override { return false; }
    void beep() override { }
    void setClipboardText(const QString &) override { }
    QString clipboardText() const override { return {}; }
    bool dateiOeffnen(const QString &, const QString &, const QString &, QString &) override { return false; }
    bool dateiSpeichern(const QString &, const QString &, const QString &, QString &) override { return false; }
    bool verzeichnisWaehlen(const QString &, QString &) override { return false; }
    bool schriftWaehlen(QFont &) override { return false; }
    void setWarteCursor(bool) override { }
    void setHinweis(const QString &) override { }
    void ereignisseVerarbeiten() override { }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double messen(int runden, const std::function<void()> &f)
{
    std::vector<double> zeiten;
    for (int i = 0; i < runden; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        zeiten.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return median(zeiten);
}

// A year folder with `tage` day folders, each with an Album.dat and one photo file.
QString jahrAnlegen(const QString &basis, int tage)
{
    const QString jahr = basis + QStringLiteral("2012");
    QDir().mkpath(jahr);
    QDate d(2012, 1, 1);
    for (int i = 0; i < tage; ++i, d = d.addDays(1)) {
        const QString tag = jahr + QLatin1Char('/') + d.toString(QStringLiteral("yyyyMMdd"))
            + (i % 3 ? QStringLiteral(" Ausflug") : QString());
        QDir().mkpath(tag);
        QFile a(tag + QStringLiteral("/Album.dat"));
        a.open(QIODevice::WriteOnly);
        a.write("[TITEL]\r\nTITELNAME=Tag " + QByteArray::number(i) + " mit einem Titel\r\n");
        QFile f(tag + QStringLiteral("/IMG_0001.JPG"));
        f.open(QIODevice::WriteOnly);
    }
    return jahr;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runden = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    StilleUi ui;
    TkelFortschrittStumm meter;

    std::printf("| what | size | median ms | ms per item |\n| --- | --- | --- | --- |\n");
    for (const int tage : { 92, 183, 366, 732 }) {
        QTemporaryDir tmp;
        const QString basis = tmp.path() + QLatin1Char('/');
        const QString jahr = jahrAnlegen(basis, tage);
        const QString grund = basis + QStringLiteral("Verzeichnis.dat");
        TkelKeyItems liste;
        const double neu = messen(
            runden, [&] { TitelstoreNeuAufbauen(ui, meter, jahr, QStringLiteral("2012"), grund, true, liste); });
        const double laden = messen(runden, [&] { TageLaden(jahr, true, liste); });
        // The peer: the same stores written with one durable write per key.
        const double einzeln = messen(std::max(1, runden / 2), [&] {
            QFile::remove(jahr + QStringLiteral("/Verzeichnis.dat"));
            PexIni::sektionLoeschen(grund, QStringLiteral("2012"));
            for (const TkelKeyItem &t : std::as_const(liste)) {
                const QString name = t.key.mid(jahr.size() + 1);
                PexIni::schreiben(jahr + QStringLiteral("/Verzeichnis.dat"), name, QStringLiteral("TITELNAME"), t.text);
                PexIni::schreiben(grund, QStringLiteral("2012"), name, t.text);
            }
        });
        std::printf("| TitelstoreNeuAufbauen | %d days | %.1f | %.3f |\n", tage, neu, neu / tage);
        std::printf("| peer: one write per key | %d days | %.1f | %.3f |\n", tage, einzeln, einzeln / tage);
        std::printf("| TageLaden | %d days | %.1f | %.3f |\n", tage, laden, laden / tage);
    }

    for (const int eintraege : { 2500, 5000, 10000, 20000 }) {
        QTemporaryDir tmp;
        const QString basis = tmp.path() + QLatin1Char('/');
        QStringList zeilen;
        const int proTag = 50;
        for (int i = 0; i < eintraege; ++i) {
            const QString rel = QStringLiteral("2012/tag%1/IMG_%2.JPG").arg(i / proTag, 4, 10, QLatin1Char('0')).arg(i);
            if (i % proTag == 0)
                QDir().mkpath(basis + rel.section(QLatin1Char('/'), 0, 1));
            QFile f(basis + rel);
            f.open(QIODevice::WriteOnly);
            // Every fifth entry is written the Windows way, every tenth under an old base folder.
            if (i % 10 == 0)
                zeilen.append(
                    QStringLiteral("D:\\Fotos\\") + QString(rel).replace(QLatin1Char('/'), QLatin1Char('\\')));
            else if (i % 5 == 0)
                zeilen.append(QString(rel).replace(QLatin1Char('/'), QLatin1Char('\\')));
            else
                zeilen.append(rel);
        }
        std::reverse(zeilen.begin(), zeilen.end());
        const QString album = basis + QStringLiteral("Album.kelAlbum");
        AlbumSpeichern(album, zeilen);
        int anzahl = 0;
        const double ms = messen(runden, [&] {
            anzahl = int(AlbumLaden(album, basis).items.size());
            QDir(basis).remove(QStringLiteral("Album.~kelAlbum"));
        });
        if (anzahl != eintraege)
            std::fprintf(stderr, "AlbumLaden found %d of %d\n", anzahl, eintraege);
        std::printf("| AlbumLaden | %d entries | %.1f | %.4f |\n", eintraege, ms, ms / eintraege);
    }
    return 0;
}
