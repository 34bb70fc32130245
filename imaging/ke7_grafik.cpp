#include "imaging/ke7_grafik.h"

#include "framework/ke7_error.h"
#include "framework/ke7_sys.h"
#include "imaging/ke7_jpeg.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// 96 dots per inch, so that point sizes give the same pixels on every machine.
constexpr int kPunkteProMeter = 3780;
constexpr int kBildschirmDpi = 96;

[[noreturn]] void ungueltigeGroesse(const QString &ziel, int breite, int hoehe)
{
    throw TkelFehler(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: die Größe %2 x %3 ist ungültig.")
                         .arg(ziel)
                         .arg(breite)
                         .arg(hoehe));
}

struct Zielzustand
{
    QSize groesse;
    std::unique_ptr<TkelJpegSchreiber> schreiber;
    std::vector<int> spalten; // byte offset of the sampled source pixel for each target column
    std::vector<uchar> zeile;
    int y = 0;

    // Centre sampling: target row y takes source row ((2y + 1) H) / (2h).
    int quellzeile(int hoehe) const { return int(((2 * qint64(y) + 1) * hoehe) / (2 * qint64(groesse.height()))); }
};

// Windows font names of the card layouts and the metric-compatible families that stand in for
// them on Linux; fontconfig usually substitutes on its own, this makes it independent of that.
QString schriftfamilie(const QString &windowsName)
{
    if (QFontDatabase::hasFamily(windowsName))
        return windowsName;
    const QString ersatz
        = windowsName == QLatin1String("Arial") ? QStringLiteral("Liberation Sans") : QStringLiteral("DejaVu Sans");
    return QFontDatabase::hasFamily(ersatz) ? ersatz : windowsName;
}

// Windows turns a point size into a character height of MulDiv(pt, dpi, 72) pixels.
QFont kartenschrift(const QString &windowsName, int punkte, bool fett)
{
    QFont schrift(schriftfamilie(windowsName));
    schrift.setPixelSize((punkte * kBildschirmDpi + 36) / 72);
    schrift.setBold(fett);
    return schrift;
}

QImage neuesBild(const QString &ziel, int breite, int hoehe)
{
    if (breite < 1 || hoehe < 1 || breite > 65500 || hoehe > 65500)
        ungueltigeGroesse(ziel, breite, hoehe);
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    if (bild.isNull())
        throw TkelFehler(
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: der Arbeitsspeicher reicht nicht aus.")
                .arg(ziel));
    bild.setDotsPerMeterX(kPunkteProMeter);
    bild.setDotsPerMeterY(kPunkteProMeter);
    bild.fill(Qt::white);
    return bild;
}

// White card with a black frame of rounded corners (8 x 8 corner ellipse) whose outer edge runs
// from pixel 1 to pixel size - 3; text is then drawn black on white.
void kartengrund(QPainter &maler, int breite, int hoehe)
{
    maler.setPen(QPen(Qt::black, 0));
    maler.setBrush(Qt::white);
    maler.drawRoundedRect(QRectF(1, 1, breite - 4, hoehe - 4), 4, 4, Qt::AbsoluteSize);
    maler.setBackgroundMode(Qt::OpaqueMode);
    maler.setBackground(Qt::white);
    maler.setPen(Qt::black);
}

// Draws text with the top-left corner of its cell at (x, y), as a Windows TextOut does.
void textAus(QPainter &maler, int x, int y, const QString &text)
{
    maler.drawText(x, y + maler.fontMetrics().ascent(), text);
}

} // namespace

QSize JpegZielgroesse(QSize quelle, int maxBreite, int maxHoehe)
{
    const int w = quelle.width();
    const int h = quelle.height();
    const double bw = w < maxBreite ? w : maxBreite;
    const double bh = h < maxHoehe ? h : maxHoehe;
    const double rW = w / bw;
    const double rH = h / bh;
    const double r = rW > rH ? rW : rH;
    // nearbyint rounds half to even in the default rounding mode. A side may round to 0 for
    // extreme aspect ratios (10000 x 1 in 80 x 80); such a picture keeps one pixel.
    const int neuB = int(std::nearbyint(w / r));
    const int neuH = int(std::nearbyint(h / r));
    return QSize(std::max(1, neuB), std::max(1, neuH));
}

void JpegVerkleinernMehrfach(const QString &quelle, const QList<TkelVerkleinerung> &ziele)
{
    for (const TkelVerkleinerung &z : ziele) {
        if (z.maxBreite < 1 || z.maxHoehe < 1)
            throw TkelFehler(
                QStringLiteral("Die Datei \"%1\" kann nicht verkleinert werden: die Größe %2 x %3 ist ungültig.")
                    .arg(quelle)
                    .arg(z.maxBreite)
                    .arg(z.maxHoehe));
    }

    TkelJpegLeser leser(quelle);
    const int breite = leser.breite();
    const int hoehe = leser.hoehe();
    const QDateTime zeit = ZweiSekundenZeit(QFileInfo(quelle).lastModified());

    std::vector<Zielzustand> zustaende(size_t(ziele.size()));
    for (qsizetype i = 0; i < ziele.size(); ++i) {
        Zielzustand &z = zustaende[size_t(i)];
        z.groesse = JpegZielgroesse(QSize(breite, hoehe), ziele[i].maxBreite, ziele[i].maxHoehe);
        z.schreiber = std::make_unique<TkelJpegSchreiber>(ziele[i].ziel, z.groesse.width(), z.groesse.height());
        const int w = z.groesse.width();
        z.spalten.resize(size_t(w));
        for (int x = 0; x < w; ++x)
            z.spalten[size_t(x)] = int(((2 * qint64(x) + 1) * breite) / (2 * qint64(w))) * 3;
        z.zeile.resize(size_t(w) * 3);
    }

    leser.starten();
    std::vector<uchar> quellzeile(size_t(breite) * 3);
    for (;;) {
        int naechste = INT_MAX;
        for (const Zielzustand &z : zustaende) {
            if (z.y < z.groesse.height())
                naechste = std::min(naechste, z.quellzeile(hoehe));
        }
        if (naechste == INT_MAX)
            break;
        leser.zeilenUeberspringen(naechste - leser.zeile());
        leser.zeileLesen(quellzeile.data());
        for (Zielzustand &z : zustaende) {
            // No target is larger than the source, so each one needs a source row at most once.
            if (z.y >= z.groesse.height() || z.quellzeile(hoehe) != naechste)
                continue;
            uchar *aus = z.zeile.data();
            for (const int s : z.spalten) {
                std::memcpy(aus, quellzeile.data() + s, 3);
                aus += 3;
            }
            z.schreiber->zeileSchreiben(z.zeile.data());
            ++z.y;
        }
    }
    leser.beenden();

    for (Zielzustand &z : zustaende)
        z.schreiber->fertigstellen(zeit);
}

void JpegVerkleinern(const QString &quelle, const QString &ziel, int maxBreite, int maxHoehe)
{
    JpegVerkleinernMehrfach(quelle, { TkelVerkleinerung { ziel, maxBreite, maxHoehe } });
}

void TextkarteSchreiben(const QString &ziel, const QString &text, int breite, int hoehe)
{
    QImage bild = neuesBild(ziel, breite, hoehe);
    {
        QPainter maler(&bild);
        kartengrund(maler, breite, hoehe);
        maler.setFont(kartenschrift(QStringLiteral("Arial"), 16, true));
        const QFontMetrics fm = maler.fontMetrics();
        const int th = fm.height();
        const int tw = fm.horizontalAdvance(text);
        textAus(maler, (breite - tw) / 2, (hoehe - th) / 2, text);
    }
    TkelJpegSchreiber::bildSchreiben(ziel, bild);
}

QString Monatsname(int monat)
{
    static const char *const namen[] = { "Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August",
        "September", "Oktober", "November", "Dezember" };
    if (monat < 1 || monat > 12)
        return {};
    return QString::fromUtf8(namen[monat - 1]);
}

void DatumskarteSchreiben(const QString &ziel, int breite, int hoehe, const QDate &datum)
{
    if (!datum.isValid())
        throw TkelFehler(
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: das Datum ist ungültig.").arg(ziel));
    QImage bild = neuesBild(ziel, breite, hoehe);
    {
        QPainter maler(&bild);
        kartengrund(maler, breite, hoehe);

        const QString jahr = QString::number(datum.year());
        maler.setFont(kartenschrift(QStringLiteral("Arial"), 12, true));
        textAus(maler, (breite - maler.fontMetrics().horizontalAdvance(jahr)) / 2, 4, jahr);

        const QString tag = QString::number(datum.day());
        maler.setFont(kartenschrift(QStringLiteral("Arial"), 24, true));
        textAus(maler, (breite - maler.fontMetrics().horizontalAdvance(tag)) / 2,
            (hoehe - maler.fontMetrics().height()) / 2, tag);

        const QString monat = Monatsname(datum.month());
        maler.setFont(kartenschrift(QStringLiteral("Arial"), 10, true));
        textAus(maler, (breite - maler.fontMetrics().horizontalAdvance(monat)) / 2,
            hoehe - maler.fontMetrics().height() - 8, monat);
    }
    TkelJpegSchreiber::bildSchreiben(ziel, bild);
}

QStringList TitelUmbrechen(const QString &titel, int maxBreite, const std::function<int(const QString &)> &breite)
{
    if (breite(titel) < maxBreite)
        return { titel };

    const auto ohneFuehrendeBlanks = [](const QString &s) {
        qsizetype i = 0;
        while (i < s.size() && s.at(i) == QLatin1Char(' '))
            ++i;
        return s.mid(i);
    };
    const auto brichtDanach = [](QChar c) {
        return c == QLatin1Char(')') || c == QLatin1Char(',') || c == QLatin1Char('-') || c == QLatin1Char('.')
            || c == QLatin1Char(';') || c == QLatin1Char(']') || c == QLatin1Char('}');
    };

    QStringList zeilen;
    QString zeile;
    // Whole characters as the user sees them, so that a break never splits a surrogate pair
    // or separates an accent from its letter.
    QTextBoundaryFinder grenzen(QTextBoundaryFinder::Grapheme, titel);
    qsizetype anfang = 0;
    while (anfang < titel.size()) {
        qsizetype ende = grenzen.toNextBoundary();
        if (ende < 0)
            ende = titel.size();
        const QString zeichen = titel.mid(anfang, ende - anfang);
        anfang = ende;
        zeile += zeichen;
        if (breite(zeile) <= maxBreite)
            continue;

        // The last break point whose left part is text: a break after the character just
        // added would leave the line as wide as before, and a break in front of only blanks
        // would draw an empty line.
        qsizetype text = 0;
        while (text < zeile.size() && zeile.at(text) == QLatin1Char(' '))
            ++text;
        qsizetype links = -1;
        qsizetype rechts = -1;
        const qsizetype neuesZeichen = zeile.size() - zeichen.size();
        for (qsizetype i = zeile.size() - 1; i >= 0; --i) {
            const QChar c = zeile.at(i);
            if (c == QLatin1Char(' ') && text < i) {
                links = i;
                rechts = i + 1;
                break;
            }
            if (i < neuesZeichen && brichtDanach(c)) {
                links = i + 1;
                rechts = i + 1;
                break;
            }
        }
        if (links >= 0) {
            zeilen << ohneFuehrendeBlanks(zeile.left(links));
            zeile = zeile.mid(rechts);
        } else {
            zeilen << ohneFuehrendeBlanks(zeile.left(neuesZeichen));
            zeile = zeichen;
        }
    }
    const QString rest = ohneFuehrendeBlanks(zeile);
    if (!rest.isEmpty())
        zeilen << rest;
    return zeilen;
}

void Titelkarte(const QString &ziel, const QString &datumText, const QString &titel)
{
    constexpr int kBreite = 800;
    constexpr int kHoehe = 600;
    constexpr int kZellhoehe = 48;
    constexpr int kZeilenbreite = 780;

    QImage bild = neuesBild(ziel, kBreite, kHoehe);
    {
        QPainter maler(&bild);
        maler.fillRect(QRect(2, 2, kBreite - 4, kHoehe - 4), Qt::black);

        // Windows sizes this font by its cell height (ascent + descent); find the character
        // size that gives a 48-pixel cell.
        QFont schrift(schriftfamilie(QStringLiteral("Tahoma")));
        int pixel = kZellhoehe;
        for (; pixel > 1; --pixel) {
            schrift.setPixelSize(pixel);
            if (QFontMetrics(schrift, &bild).height() <= kZellhoehe)
                break;
        }
        schrift.setPixelSize(pixel);
        maler.setFont(schrift);
        maler.setPen(Qt::white);
        maler.setBackgroundMode(Qt::TransparentMode);

        const QFontMetrics fm = maler.fontMetrics();
        textAus(maler, 10, 100, datumText);
        const int zeilenhoehe = fm.height() + 4;
        int y = 200;
        const QStringList zeilen
            = TitelUmbrechen(titel, kZeilenbreite, [&fm](const QString &s) { return fm.horizontalAdvance(s); });
        for (const QString &z : zeilen) {
            textAus(maler, 10, y, z);
            y += zeilenhoehe;
        }
    }
    TkelJpegSchreiber::bildSchreiben(ziel, bild);
}
