#include "imaging/ke7_fotoloader.h"

#include "framework/ke7_error.h"
#include "imaging/ke7_jpeg.h"

#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QImageReader>
#include <QtConcurrent>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

// Pictures kept in memory per loader: enough for the photo shown, the one before it and the
// one or two read ahead, bounded so that a few natural-size crops cannot pile up.
constexpr int kMaxBilder = 4;
constexpr qint64 kMaxBytes = 192LL * 1024 * 1024;

// Shown at natural size, a picture is decoded around its visible part with this much to
// spare on each side (as a fraction of the visible size), so that a window that grows a
// little is laid out again from memory.
constexpr int kRandAnteil = 4;

struct Abgebrochen
{
};

bool istJpegName(const QString &pfad)
{
    const QString endung = QFileInfo(pfad).suffix();
    return endung.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0
        || endung.compare(QLatin1String("jpeg"), Qt::CaseInsensitive) == 0;
}

void pruefen(const std::atomic<bool> *abbruch)
{
    if (abbruch && abbruch->load(std::memory_order_relaxed))
        throw Abgebrochen();
}

void rgbNachRgb32(const uchar *rgb, QRgb *ziel, int anzahl)
{
    for (int x = 0; x < anzahl; ++x, rgb += 3)
        ziel[x] = 0xff000000u | (QRgb(rgb[0]) << 16) | (QRgb(rgb[1]) << 8) | QRgb(rgb[2]);
}

// Memory for decoded pictures. The first touch of a fresh page is expensive (measured here: a
// 24 MP photo's buffers cost more in page faults than the decoder needs to fill them), so large
// blocks are mapped with transparent huge pages where the kernel offers them, and freed blocks
// are kept for the next picture.
class Vorrat
{
public:
    static Vorrat &instanz()
    {
        // Never destroyed: pictures may still be released while the program ends.
        static Vorrat *v = new Vorrat;
        return *v;
    }

    // Returns a block of at least groesse bytes, 64-byte aligned, or nullptr.
    uchar *nehmen(size_t groesse)
    {
        {
            std::lock_guard<std::mutex> sperre(m_mutex);
            auto bester = m_frei.end();
            for (auto it = m_frei.begin(); it != m_frei.end(); ++it) {
                const size_t k = kopf(*it)->kapazitaet;
                if (k >= groesse && k / 2 <= groesse && (bester == m_frei.end() || k < kopf(*bester)->kapazitaet))
                    bester = it;
            }
            if (bester != m_frei.end()) {
                uchar *block = *bester;
                m_freiBytes -= kopf(block)->laenge;
                m_frei.erase(bester);
                return block + kKopf;
            }
        }
        uchar *block = anlegen(groesse + kKopf);
        return block ? block + kKopf : nullptr;
    }

    static void zurueck(void *daten)
    {
        uchar *block = static_cast<uchar *>(daten) - kKopf;
        if (kopf(block)->laenge == 0) {
            std::free(block);
            return;
        }
        Vorrat &v = instanz();
        std::lock_guard<std::mutex> sperre(v.m_mutex);
        v.m_frei.push_back(block);
        v.m_freiBytes += kopf(block)->laenge;
        while (v.m_freiBytes > kMaxFrei && !v.m_frei.empty()) {
            uchar *alt = v.m_frei.front();
            v.m_freiBytes -= kopf(alt)->laenge;
            ::munmap(alt, kopf(alt)->laenge);
            v.m_frei.erase(v.m_frei.begin());
        }
    }

private:
    struct Kopf
    {
        size_t kapazitaet; // usable bytes after the head
        size_t laenge; // length of the mapping; 0 for a small block from malloc
    };
    static constexpr size_t kKopf = 64;
    static constexpr size_t kSeite = 2u * 1024 * 1024;
    static constexpr size_t kMaxFrei = 64u * 1024 * 1024;

    static Kopf *kopf(uchar *block) { return reinterpret_cast<Kopf *>(block); }

    static uchar *anlegen(size_t gesamt)
    {
        if (gesamt < kSeite) {
            void *roh = nullptr;
            if (::posix_memalign(&roh, kKopf, gesamt) != 0)
                return nullptr;
            auto *block = static_cast<uchar *>(roh);
            kopf(block)->kapazitaet = gesamt - kKopf;
            kopf(block)->laenge = 0;
            return block;
        }
        // Mapped one huge page longer, then trimmed to a huge-page boundary at both ends.
        const size_t laenge = (gesamt + kSeite - 1) / kSeite * kSeite;
        void *roh = ::mmap(nullptr, laenge + kSeite, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (roh == MAP_FAILED)
            return nullptr;
        const auto anfang = reinterpret_cast<uintptr_t>(roh);
        const uintptr_t ausgerichtet = (anfang + kSeite - 1) / kSeite * kSeite;
        if (ausgerichtet > anfang)
            ::munmap(roh, ausgerichtet - anfang);
        if (ausgerichtet - anfang < kSeite)
            ::munmap(reinterpret_cast<void *>(ausgerichtet + laenge), kSeite - (ausgerichtet - anfang));
        auto *block = reinterpret_cast<uchar *>(ausgerichtet);
        ::madvise(block, laenge, MADV_HUGEPAGE);
        kopf(block)->kapazitaet = laenge - kKopf;
        kopf(block)->laenge = laenge;
        return block;
    }

    std::mutex m_mutex;
    std::vector<uchar *> m_frei; // oldest first
    size_t m_freiBytes = 0;
};

QImage neuesBild(QSize groesse, QImage::Format format)
{
    if (groesse.isEmpty())
        return QImage();
    const int tiefe = QImage::toPixelFormat(format).bitsPerPixel();
    const qsizetype zeile = ((qsizetype(groesse.width()) * tiefe + 31) / 32) * 4;
    uchar *daten = Vorrat::instanz().nehmen(size_t(zeile) * size_t(groesse.height()));
    if (!daten)
        throw TkelFehler(QStringLiteral("Der Arbeitsspeicher reicht für das Bild nicht aus."));
    QImage bild(daten, groesse.width(), groesse.height(), zeile, format, &Vorrat::zurueck, daten);
    if (bild.isNull()) {
        Vorrat::zurueck(daten);
        throw TkelFehler(QStringLiteral("Der Arbeitsspeicher reicht für das Bild nicht aus."));
    }
    return bild;
}

// The part teil of an RGB888 picture as RGB32, the format drawn fastest.
QImage alsRgb32(const QImage &rgb, QRect teil)
{
    QImage aus = neuesBild(teil.size(), QImage::Format_RGB32);
    for (int y = 0; y < aus.height(); ++y)
        rgbNachRgb32(rgb.constScanLine(teil.top() + y) + qsizetype(teil.left()) * 3,
            reinterpret_cast<QRgb *>(aus.scanLine(y)), aus.width());
    return aus;
}

// The smallest of libjpeg's scales 1/8, 1/4, 1/2 and 1 whose output still covers ziel on both
// sides. The other eighths would give smaller pictures, but their inverse DCTs have no SIMD
// code in libjpeg-turbo: 3/8 decodes slower than 1/2, and 5/8 to 7/8 slower than full size.
int jpegSkalierung(QSize bild, QSize ziel)
{
    for (int n = 1; n < 8; n *= 2) {
        const qint64 b = (qint64(bild.width()) * n + 7) / 8, h = (qint64(bild.height()) * n + 7) / 8;
        if (b >= ziel.width() && h >= ziel.height())
            return n;
    }
    return 8;
}

// The part of the picture (in stored pixels) visible at natural size in the client area.
QRect sichtbarerTeil(const TkelFotoBild &b)
{
    const QRect client(QPoint(0, 0), b.ziel.flaeche);
    return b.rechteck.intersected(client).translated(-b.rechteck.topLeft());
}

// Area-averaging reduction: every target pixel is the mean of the source pixels under it,
// weighted by how much of each it covers. Weights are 12-bit fixed point summing to 4096 per
// target pixel, so that two passes fit into 32 bits. Vertical pass first (fewer target rows
// than source rows), and each target row needs only a known band of source rows, which lets
// it run while the decoder is still producing later rows.
class Verkleinerer
{
public:
    static constexpr int kBits = 12;

    // quelleBytes: 3 (R, G, B) or 4 (QRgb as stored in RGB32/ARGB32 images).
    Verkleinerer(QSize quelle, QSize ziel, int quelleBytes)
        : m_x(achse(quelle.width(), ziel.width()))
        , m_y(achse(quelle.height(), ziel.height()))
        , m_bytes(quelleBytes)
        , m_summe(size_t(quelle.width()) * size_t(quelleBytes))
    { }

    // Source rows [0, n) that target row zeile needs.
    int benoetigt(int zeile) const { return m_y.anfang[size_t(zeile)] + m_y.anzahl[size_t(zeile)]; }

    void zeile(int zeile, const uchar *quelle, qsizetype quelleZeile, QRgb *ziel)
    {
        const int breite = int(m_summe.size());
        quint32 *summe = m_summe.data();
        const size_t v = m_y.versatz[size_t(zeile)];
        const int y0 = m_y.anfang[size_t(zeile)];
        {
            const quint32 g = m_y.gewicht[v];
            const uchar *q = quelle + quelleZeile * y0;
            for (int i = 0; i < breite; ++i)
                summe[i] = g * q[i];
        }
        for (int k = 1; k < m_y.anzahl[size_t(zeile)]; ++k) {
            const quint32 g = m_y.gewicht[v + size_t(k)];
            const uchar *q = quelle + quelleZeile * (y0 + k);
            for (int i = 0; i < breite; ++i)
                summe[i] += g * q[i];
        }
        constexpr quint32 rundung = 1u << (2 * kBits - 1);
        const int zielBreite = int(m_x.anfang.size());
        for (int x = 0; x < zielBreite; ++x) {
            const size_t w = m_x.versatz[size_t(x)];
            const quint32 *s = summe + size_t(m_x.anfang[size_t(x)]) * size_t(m_bytes);
            quint32 a = rundung, b = rundung, c = rundung, d = rundung;
            for (int k = 0; k < m_x.anzahl[size_t(x)]; ++k, s += m_bytes) {
                const quint32 g = m_x.gewicht[w + size_t(k)];
                a += g * s[0];
                b += g * s[1];
                c += g * s[2];
                if (m_bytes == 4)
                    d += g * s[3];
            }
            a >>= 2 * kBits;
            b >>= 2 * kBits;
            c >>= 2 * kBits;
            if (m_bytes == 4)
                ziel[x] = a | (b << 8) | (c << 16) | ((d >> (2 * kBits)) << 24); // bytes in stored order
            else
                ziel[x] = 0xff000000u | (a << 16) | (b << 8) | c; // R, G, B
        }
    }

private:
    struct Achse
    {
        std::vector<int> anfang, anzahl;
        std::vector<size_t> versatz;
        std::vector<quint32> gewicht;
    };

    static Achse achse(int quelle, int ziel)
    {
        Achse a;
        const double s = double(quelle) / ziel;
        a.anfang.resize(size_t(ziel));
        a.anzahl.resize(size_t(ziel));
        a.versatz.resize(size_t(ziel));
        for (int i = 0; i < ziel; ++i) {
            const double von = i * s, bis = std::min(double(quelle), (i + 1) * s);
            const int j0 = std::min(quelle - 1, int(von));
            const int j1 = std::max(j0 + 1, std::min(quelle, int(std::ceil(bis))));
            a.anfang[size_t(i)] = j0;
            a.anzahl[size_t(i)] = j1 - j0;
            a.versatz[size_t(i)] = a.gewicht.size();
            int summe = 0;
            size_t groesster = a.gewicht.size();
            for (int j = j0; j < j1; ++j) {
                const double anteil = (std::min(bis, j + 1.0) - std::max(von, double(j))) / s;
                const quint32 g = quint32(std::lround(std::max(0.0, anteil) * (1 << kBits)));
                if (a.gewicht.size() == a.versatz[size_t(i)] || g > a.gewicht[groesster])
                    groesster = a.gewicht.size();
                a.gewicht.push_back(g);
                summe += int(g);
            }
            // Rounding must not change the overall brightness: the sum is exactly 4096.
            a.gewicht[groesster] = quint32(int(a.gewicht[groesster]) + (1 << kBits) - summe);
        }
        return a;
    }

    Achse m_x, m_y;
    int m_bytes;
    std::vector<quint32> m_summe;
};

// Reduces quelle (RGB888, RGB32 or ARGB32 premultiplied) to ziel with area averaging.
// Enlarging goes through Qt's smooth scaling.
QImage verkleinern(const QImage &quelle, QSize ziel)
{
    if (ziel.isEmpty())
        return QImage();
    if (quelle.width() < ziel.width() || quelle.height() < ziel.height()) {
        const QImage q
            = quelle.format() == QImage::Format_RGB888 ? quelle.convertToFormat(QImage::Format_RGB32) : quelle;
        return q.scaled(ziel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    const bool rgb = quelle.format() == QImage::Format_RGB888;
    QImage aus = neuesBild(ziel, rgb ? QImage::Format_RGB32 : quelle.format());
    Verkleinerer v(quelle.size(), ziel, rgb ? 3 : 4);
    for (int y = 0; y < ziel.height(); ++y)
        v.zeile(y, quelle.constBits(), quelle.bytesPerLine(), reinterpret_cast<QRgb *>(aus.scanLine(y)));
    return aus;
}

// Runs the reduction of a picture on its own thread while the decoder fills the picture row
// by row: the decoder reports finished rows, the reducer waits for the rows it needs. Joins
// the thread on every path out of the decode.
class Nebenlaeufig
{
public:
    Nebenlaeufig(const uchar *quelle, qsizetype quelleZeile, QSize quellGroesse, QImage &ziel)
        : m_verkleinerer(quellGroesse, ziel.size(), 3)
    {
        uchar *zielBits = ziel.bits();
        const qsizetype zielZeile = ziel.bytesPerLine();
        const int zeilen = ziel.height();
        m_faden = std::thread([this, quelle, quelleZeile, zielBits, zielZeile, zeilen] {
            for (int y = 0; y < zeilen; ++y) {
                const int noetig = m_verkleinerer.benoetigt(y);
                {
                    std::unique_lock<std::mutex> sperre(m_mutex);
                    m_bedingung.wait(sperre, [&] { return m_fertig >= noetig || m_ende; });
                    if (m_fertig < noetig)
                        return;
                }
                m_verkleinerer.zeile(y, quelle, quelleZeile, reinterpret_cast<QRgb *>(zielBits + zielZeile * y));
            }
        });
    }
    ~Nebenlaeufig()
    {
        {
            std::lock_guard<std::mutex> sperre(m_mutex);
            m_ende = true;
        }
        m_bedingung.notify_one();
        if (m_faden.joinable())
            m_faden.join();
    }
    Nebenlaeufig(const Nebenlaeufig &) = delete;
    Nebenlaeufig &operator=(const Nebenlaeufig &) = delete;

    void fertig(int zeilen)
    {
        {
            std::lock_guard<std::mutex> sperre(m_mutex);
            m_fertig = zeilen;
        }
        m_bedingung.notify_one();
    }

    // Waits until every target row is written.
    void abwarten()
    {
        fertig(std::numeric_limits<int>::max());
        m_faden.join();
    }

private:
    Verkleinerer m_verkleinerer;
    std::mutex m_mutex;
    std::condition_variable m_bedingung;
    int m_fertig = 0;
    bool m_ende = false;
    std::thread m_faden;
};

// Below this many decoded pixels a second thread costs more than it saves.
constexpr qint64 kNebenlaeufigAb = 1'000'000;

void jpegLaden(TkelFotoBild &b, const std::atomic<bool> *abbruch)
{
    TkelJpegLeser leser(b.pfad);
    b.original = QSize(leser.breite(), leser.hoehe());
    b.eingepasst = FotoEinpassen(b.original, b.ziel.flaeche, b.ziel.stretch, b.ziel.grossanpassen);
    b.rechteck = FotoRechteck(b.original, b.ziel);
    pruefen(abbruch);

    if (b.eingepasst) {
        // Decoded at a scale still at least as large as the fitted size; the rest is done by
        // area averaging. Rows are never skipped here: scaled decodes of 4:2:0 files do not
        // return the right rows after jpeg_skip_scanlines.
        const QSize groesse = b.rechteck.size();
        const int n = groesse.isEmpty() ? 1 : jpegSkalierung(b.original, groesse);
        if (n < 8)
            leser.setSkalierung(n);
        leser.starten();
        // Kept as RGB888 for the next layout; the decoder writes straight into it.
        QImage q = neuesBild(QSize(leser.ausgabeBreite(), leser.ausgabeHoehe()), QImage::Format_RGB888);
        uchar *bits = q.bits();
        const qsizetype zeile = q.bytesPerLine();
        const bool reduzieren = !groesse.isEmpty() && groesse != q.size() && q.width() >= groesse.width()
            && q.height() >= groesse.height();
        if (reduzieren && qint64(q.width()) * q.height() >= kNebenlaeufigAb) {
            QImage aus = neuesBild(groesse, QImage::Format_RGB32);
            Nebenlaeufig reduktion(bits, zeile, q.size(), aus);
            for (int y = 0; y < q.height(); ++y) {
                pruefen(abbruch);
                leser.zeileLesen(bits + zeile * y);
                if ((y & 7) == 7)
                    reduktion.fertig(y + 1);
            }
            reduktion.abwarten();
            leser.beenden();
            b.anzeige = aus;
        } else {
            for (int y = 0; y < q.height(); ++y) {
                pruefen(abbruch);
                leser.zeileLesen(bits + zeile * y);
            }
            leser.beenden();
        }
        b.quelle = q;
        b.quellRechteck = QRect(QPoint(0, 0), b.original);
        return;
    }

    // Natural size: only the rows and columns around the visible part are kept. At full
    // scale the reader skips rows exactly; beenden() still reads the rest of the file, so a
    // damaged file is refused whatever part of it is visible.
    const QRect sichtbar = sichtbarerTeil(b);
    const int rx = sichtbar.width() / kRandAnteil, ry = sichtbar.height() / kRandAnteil;
    const QRect bereich = sichtbar.adjusted(-rx, -ry, rx, ry).intersected(QRect(QPoint(0, 0), b.original));
    leser.starten();
    QImage q = neuesBild(bereich.size(), QImage::Format_RGB32);
    if (!bereich.isEmpty()) {
        leser.zeilenUeberspringen(bereich.top());
        std::vector<uchar> zeile(size_t(leser.ausgabeBreite()) * 3);
        for (int y = 0; y < q.height(); ++y) {
            pruefen(abbruch);
            leser.zeileLesen(zeile.data());
            rgbNachRgb32(zeile.data() + size_t(bereich.left()) * 3, reinterpret_cast<QRgb *>(q.scanLine(y)), q.width());
        }
    }
    pruefen(abbruch);
    leser.beenden();
    b.quelle = q;
    b.quellRechteck = bereich;
}

void qtLaden(TkelFotoBild &b)
{
    // The decoder follows the extension, as for JPEG files; the content does not choose it.
    QImageReader leser(b.pfad, QFileInfo(b.pfad).suffix().toLower().toLatin1());
    leser.setAutoDetectImageFormat(false);
    leser.setAutoTransform(false);
    QImage bild;
    if (!leser.read(&bild) || bild.isNull())
        throw TkelFehler(
            QStringLiteral("Die Datei \"%1\" ist kein lesbares Bild: %2").arg(b.pfad, leser.errorString()));
    bild = bild.convertToFormat(bild.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (bild.isNull())
        throw TkelFehler(QStringLiteral("Der Arbeitsspeicher reicht für das Bild nicht aus."));
    b.original = bild.size();
    b.eingepasst = FotoEinpassen(b.original, b.ziel.flaeche, b.ziel.stretch, b.ziel.grossanpassen);
    b.rechteck = FotoRechteck(b.original, b.ziel);
    b.quelle = bild;
    b.quellRechteck = bild.rect();
}

} // namespace

QRect BildEinpassen(QSize bild, QSize flaeche, int rand)
{
    const double H = bild.height(), W = bild.width();
    if (H <= 0 || W <= 0)
        return QRect();
    const double m = rand;
    const double d = flaeche.width() - 2 * m, e = flaeche.height() - 2 * m;
    double g, f;
    if (W / H >= d / e) {
        g = d;
        f = H / (W / d);
    } else {
        g = W / (H / e);
        f = e;
    }
    const double gw = std::min(d, g), fh = std::min(e, f);
    // A client area narrower than both margins would give a negative size.
    const int breite = std::max(0, int(std::trunc(gw)));
    const int hoehe = std::max(0, int(std::trunc(fh)));
    const int oben = e <= fh ? rand : int(std::trunc((e + 2 * m - fh) / 2));
    const int links = d <= gw ? rand : int(std::trunc((d + 2 * m - gw) / 2));
    return QRect(links, oben, breite, hoehe);
}

bool FotoEinpassen(QSize bild, QSize flaeche, bool stretch, bool grossanpassen)
{
    return (stretch && bild.width() > 0 && bild.height() > 0)
        || (grossanpassen && (bild.width() > flaeche.width() || bild.height() > flaeche.height()));
}

QRect FotoRechteck(QSize bild, const TkelFotoZiel &ziel)
{
    if (FotoEinpassen(bild, ziel.flaeche, ziel.stretch, ziel.grossanpassen))
        return BildEinpassen(bild, ziel.flaeche, 5);
    // Centred like an image control: the offset is truncated toward zero, also when negative.
    return QRect((ziel.flaeche.width() - bild.width()) / 2, (ziel.flaeche.height() - bild.height()) / 2, bild.width(),
        bild.height());
}

TkelDateiStand TkelDateiStand::lesen(const QString &pfad)
{
    TkelDateiStand s;
    if (pfad.isEmpty())
        return s;
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(pfad).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return s;
    s.datei = true;
    s.groesse = qint64(st.st_size);
    s.geaendert = qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    s.statusGeaendert = qint64(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
    s.geraet = quint64(st.st_dev);
    s.knoten = quint64(st.st_ino);
    return s;
}

bool TkelDateiStand::operator==(const TkelDateiStand &o) const
{
    return datei == o.datei && groesse == o.groesse && geaendert == o.geaendert && statusGeaendert == o.statusGeaendert
        && geraet == o.geraet && knoten == o.knoten;
}

// ---------------------------------------------------------------------------------------------

TkelFotoBild TkelFotoLader::laden(const QString &pfad, const TkelFotoZiel &ziel, const std::atomic<bool> *abbruch)
{
    TkelFotoBild b;
    b.pfad = pfad;
    b.ziel = ziel;
    b.stand = TkelDateiStand::lesen(pfad);
    try {
        if (!b.stand.datei)
            throw TkelFehler(QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(pfad));
        if (istJpegName(pfad))
            jpegLaden(b, abbruch);
        else
            qtLaden(b);
        if (!b.anzeige.isNull()) {
            // The decoder reduced the picture to its fitted size while reading it.
            b.anzeigeTeil = b.anzeige.rect();
            b.anzeigeOrt = b.rechteck.topLeft();
        } else if (!umlegen(b, ziel)) {
            throw TkelFehler(QStringLiteral("Interner Fehler beim Anordnen von \"%1\".").arg(pfad));
        }
    } catch (const Abgebrochen &) {
        TkelFotoBild leer;
        leer.pfad = pfad;
        leer.ziel = ziel;
        leer.stand = b.stand;
        leer.abgebrochen = true;
        leer.fehler = QStringLiteral("abgebrochen");
        return leer;
    } catch (const TkelFehler &e) {
        TkelFotoBild leer;
        leer.pfad = pfad;
        leer.ziel = ziel;
        leer.stand = b.stand;
        leer.fehler = e.text();
        return leer;
    } catch (const std::bad_alloc &) {
        TkelFotoBild leer;
        leer.pfad = pfad;
        leer.ziel = ziel;
        leer.stand = b.stand;
        leer.fehler = QStringLiteral("Der Arbeitsspeicher reicht für das Bild nicht aus.");
        return leer;
    }
    return b;
}

bool TkelFotoLader::deckt(const TkelFotoBild &bild, const TkelFotoZiel &ziel)
{
    if (!bild.ok())
        return true; // a file that cannot be shown cannot be shown at any size
    const QSize voll = bild.original;
    if (FotoEinpassen(voll, ziel.flaeche, ziel.stretch, ziel.grossanpassen)) {
        const QSize groesse = BildEinpassen(voll, ziel.flaeche, 5).size();
        if (bild.quellRechteck != QRect(QPoint(0, 0), voll))
            return false;
        return bild.quelle.size() == voll
            || (bild.quelle.width() >= groesse.width() && bild.quelle.height() >= groesse.height());
    }
    TkelFotoBild probe;
    probe.rechteck = FotoRechteck(voll, ziel);
    probe.ziel = ziel;
    const QRect sichtbar = sichtbarerTeil(probe);
    return sichtbar.isEmpty()
        || (bild.quelle.size() == bild.quellRechteck.size() && bild.quellRechteck.contains(sichtbar));
}

bool TkelFotoLader::umlegen(TkelFotoBild &bild, const TkelFotoZiel &ziel)
{
    if (!deckt(bild, ziel))
        return false;
    bild.ziel = ziel;
    if (!bild.ok())
        return true;
    bild.eingepasst = FotoEinpassen(bild.original, ziel.flaeche, ziel.stretch, ziel.grossanpassen);
    bild.rechteck = FotoRechteck(bild.original, ziel);
    if (bild.eingepasst) {
        const QSize groesse = bild.rechteck.size();
        if (bild.quelle.size() == groesse && bild.quelle.format() != QImage::Format_RGB888)
            bild.anzeige = bild.quelle;
        else if (bild.quelle.size() == groesse)
            bild.anzeige = alsRgb32(bild.quelle, bild.quelle.rect());
        else
            bild.anzeige = verkleinern(bild.quelle, groesse);
        bild.anzeigeTeil = bild.anzeige.rect();
        bild.anzeigeOrt = bild.rechteck.topLeft();
    } else {
        const QRect sichtbar = sichtbarerTeil(bild);
        const QRect teil = sichtbar.isEmpty() ? QRect() : sichtbar.translated(-bild.quellRechteck.topLeft());
        if (bild.quelle.format() == QImage::Format_RGB888) {
            // Drawn often, so converted once.
            bild.anzeige = teil.isEmpty() ? QImage() : alsRgb32(bild.quelle, teil);
            bild.anzeigeTeil = bild.anzeige.rect();
        } else {
            bild.anzeige = bild.quelle;
            bild.anzeigeTeil = teil;
        }
        bild.anzeigeOrt = sichtbar.topLeft() + bild.rechteck.topLeft();
    }
    return true;
}

// ---------------------------------------------------------------------------------------------

TkelFotoLader::TkelFotoLader(QObject *parent)
    : QObject(parent)
{
    // One worker: the GUI thread decodes the photo it needs on the other core.
    m_arbeiter.setMaxThreadCount(1);
}

TkelFotoLader::~TkelFotoLader()
{
    abbrechen();
    m_arbeiter.waitForDone();
}

void TkelFotoLader::setArbeitsHaken(std::function<void(const QString &)> haken)
{
    m_haken = std::move(haken);
}

void TkelFotoLader::abbrechen()
{
    if (!m_auftrag)
        return;
    if (!m_auftrag->ergebnis.isFinished()) {
        m_auftrag->abbruch->store(true);
        ++m_verworfen;
    }
    m_auftrag.reset();
}

const TkelFotoBild *TkelFotoLader::gespeichert(const QString &pfad) const
{
    for (const TkelFotoBild &b : m_speicher)
        if (b.pfad == pfad)
            return &b;
    return nullptr;
}

void TkelFotoLader::uebernehmen(const TkelFotoBild &bild)
{
    if (bild.abgebrochen)
        return;
    m_speicher.remove_if([&bild](const TkelFotoBild &b) { return b.pfad == bild.pfad; });
    m_speicher.push_front(bild);
    qint64 summe = 0;
    int anzahl = 0;
    for (auto it = m_speicher.begin(); it != m_speicher.end();) {
        summe += it->bytes();
        ++anzahl;
        // The newest picture stays whatever its size.
        if (anzahl > 1 && (anzahl > kMaxBilder || summe > kMaxBytes))
            it = m_speicher.erase(it);
        else
            ++it;
    }
}

void TkelFotoLader::auftragFertig(quint64 nummer)
{
    if (!m_auftrag || m_auftrag->nummer != nummer)
        return;
    const TkelFotoBild bild = m_auftrag->ergebnis.result();
    const QString pfad = m_auftrag->pfad;
    m_auftrag.reset();
    uebernehmen(bild);
    if (!bild.abgebrochen)
        emit vorbereitet(pfad);
}

void TkelFotoLader::vergessen()
{
    m_speicher.clear();
}

bool TkelFotoLader::istVorbereitet(const QString &pfad, const TkelFotoZiel &ziel) const
{
    const TkelFotoBild *b = gespeichert(pfad);
    return b && b->stand == TkelDateiStand::lesen(pfad) && deckt(*b, ziel);
}

TkelFotoBild TkelFotoLader::holen(const QString &pfad, const TkelFotoZiel &ziel)
{
    if (m_auftrag && m_auftrag->pfad == pfad) {
        if (m_auftrag->ziel == ziel || m_auftrag->ergebnis.isFinished()) {
            // The photo needed is the one being prepared: waiting is cheaper than decoding it again.
            m_auftrag->ergebnis.waitForFinished();
            auftragFertig(m_auftrag->nummer);
        } else {
            abbrechen();
        }
    }

    const TkelDateiStand stand = TkelDateiStand::lesen(pfad);
    for (auto it = m_speicher.begin(); it != m_speicher.end(); ++it) {
        if (it->pfad != pfad)
            continue;
        if (it->stand != stand)
            break;
        TkelFotoBild bild = *it;
        if (bild.ziel == ziel || umlegen(bild, ziel)) {
            m_speicher.erase(it);
            uebernehmen(bild);
            return bild;
        }
        break;
    }

    ++*m_dekodierungen;
    TkelFotoBild bild = laden(pfad, ziel);
    uebernehmen(bild);
    return bild;
}

void TkelFotoLader::vorbereiten(const QString &pfad, const TkelFotoZiel &ziel)
{
    if (m_auftrag && m_auftrag->ergebnis.isFinished())
        auftragFertig(m_auftrag->nummer);
    if (m_auftrag && m_auftrag->pfad == pfad && m_auftrag->ziel == ziel)
        return;
    abbrechen();

    // A picture in memory from the unchanged file is laid out on the worker instead of read
    // again; whether the file changed is decided there too, off the GUI thread.
    TkelFotoBild vorhanden;
    if (const TkelFotoBild *b = gespeichert(pfad)) {
        if (b->ziel == ziel && b->stand == TkelDateiStand::lesen(pfad))
            return;
        vorhanden = *b;
    }

    auto auftrag = std::make_unique<Auftrag>();
    auftrag->nummer = m_naechsteNummer++;
    auftrag->pfad = pfad;
    auftrag->ziel = ziel;
    auftrag->abbruch = std::make_shared<std::atomic<bool>>(false);
    auftrag->ergebnis = QtConcurrent::run(
        &m_arbeiter,
        [](QString p, TkelFotoZiel z, std::shared_ptr<std::atomic<bool>> abbruch, TkelFotoBild alt,
            std::shared_ptr<std::atomic<int>> zaehler, std::function<void(const QString &)> haken) {
            if (haken)
                haken(p);
            if (abbruch->load()) {
                TkelFotoBild leer;
                leer.pfad = p;
                leer.abgebrochen = true;
                leer.fehler = QStringLiteral("abgebrochen");
                return leer;
            }
            if (!alt.pfad.isEmpty() && alt.stand == TkelDateiStand::lesen(p) && umlegen(alt, z))
                return alt;
            ++*zaehler;
            return laden(p, z, abbruch.get());
        },
        pfad, ziel, auftrag->abbruch, std::move(vorhanden), m_dekodierungen, m_haken);

    auto *waechter = new QFutureWatcher<TkelFotoBild>(this);
    const quint64 nummer = auftrag->nummer;
    connect(waechter, &QFutureWatcher<TkelFotoBild>::finished, this, [this, waechter, nummer] {
        waechter->deleteLater();
        auftragFertig(nummer);
    });
    waechter->setFuture(auftrag->ergebnis);
    m_auftrag = std::move(auftrag);
}
