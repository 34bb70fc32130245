#include "framework/ke7_error.h"
#include "imaging/ke7_grafik.h"
#include "imaging/ke7_jpeg.h"
#include "tests/common/kel_test.h"

#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace {

enum class Art { Ycc, Grau, CmykAdobe };

struct Kodierung
{
    Art art = Art::Ycc;
    int hLuma = 2; // sampling factors of the first component
    int vLuma = 2;
    bool progressiv = false;
    int restartZeilen = 0;
};

// Test fixtures in layouts the photo folder lacks (greyscale, Adobe CMYK, restart markers,
// progressive large files, odd sampling), written with libjpeg directly.
QByteArray kodieren(const QImage &bild, const Kodierung &k)
{
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info {};
    jpeg_error_mgr fehler {};
    info.err = jpeg_std_error(&fehler);
    jpeg_create_compress(&info);
    unsigned char *puffer = nullptr;
    unsigned long groesse = 0;
    jpeg_mem_dest(&info, &puffer, &groesse);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = k.art == Art::CmykAdobe ? 4 : 3;
    info.in_color_space = k.art == Art::CmykAdobe ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    if (k.art == Art::Grau)
        jpeg_set_colorspace(&info, JCS_GRAYSCALE);
    jpeg_set_quality(&info, 92, TRUE);
    if (k.art == Art::Ycc) {
        info.comp_info[0].h_samp_factor = k.hLuma;
        info.comp_info[0].v_samp_factor = k.vLuma;
    }
    info.restart_in_rows = k.restartZeilen;
    if (k.progressiv)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<uchar> zeile(size_t(rgb.width()) * 4);
    while (info.next_scanline < info.image_height) {
        const uchar *q = rgb.constScanLine(int(info.next_scanline));
        JSAMPROW z = const_cast<uchar *>(q);
        if (k.art == Art::CmykAdobe) {
            // Adobe stores inverted ink: 255 - ink, and ink = 255 - colour here (no black).
            for (int x = 0; x < rgb.width(); ++x) {
                zeile[size_t(x) * 4 + 0] = q[x * 3 + 0];
                zeile[size_t(x) * 4 + 1] = q[x * 3 + 1];
                zeile[size_t(x) * 4 + 2] = q[x * 3 + 2];
                zeile[size_t(x) * 4 + 3] = 255;
            }
            z = zeile.data();
        }
        jpeg_write_scanlines(&info, &z, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray daten(reinterpret_cast<const char *>(puffer), qsizetype(groesse));
    jpeg_destroy_compress(&info);
    std::free(puffer);
    return daten;
}

// The encoder with nothing but libjpeg's defaults and quality 90 (baseline tables).
QByteArray kodierenStandard(const QImage &bild)
{
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info {};
    jpeg_error_mgr fehler {};
    info.err = jpeg_std_error(&fehler);
    jpeg_create_compress(&info);
    unsigned char *puffer = nullptr;
    unsigned long groesse = 0;
    jpeg_mem_dest(&info, &puffer, &groesse);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW z = const_cast<uchar *>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &z, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray daten(reinterpret_cast<const char *>(puffer), qsizetype(groesse));
    jpeg_destroy_compress(&info);
    std::free(puffer);
    return daten;
}

QByteArray lesen(const QString &datei)
{
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void schreiben(const QString &datei, const QByteArray &daten)
{
    QFile f(datei);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(daten), daten.size());
}

// The whole picture, every row decoded, no skipping.
QImage vollDekodieren(const QString &datei)
{
    TkelJpegLeser leser(datei);
    leser.starten();
    QImage bild(leser.ausgabeBreite(), leser.ausgabeHoehe(), QImage::Format_RGB888);
    for (int y = 0; y < bild.height(); ++y)
        leser.zeileLesen(bild.scanLine(y));
    leser.beenden();
    return bild;
}

// Nearest-neighbour reference: the whole picture in memory, centre sampling.
QImage abtasten(const QImage &quelle, QSize ziel)
{
    QImage aus(ziel, QImage::Format_RGB888);
    const qint64 W = quelle.width(), H = quelle.height(), w = ziel.width(), h = ziel.height();
    for (int y = 0; y < h; ++y) {
        const uchar *q = quelle.constScanLine(int(((2 * y + 1) * H) / (2 * h)));
        uchar *z = aus.scanLine(y);
        for (int x = 0; x < w; ++x)
            std::memcpy(z + x * 3, q + ((2 * x + 1) * W) / (2 * w) * 3, 3);
    }
    return aus;
}

// Marker codes of a JPEG file up to its first scan.
QList<int> marker(const QByteArray &jpeg)
{
    QList<int> liste;
    qsizetype i = 0;
    while (i + 1 < jpeg.size() && uchar(jpeg[i]) == 0xFF) {
        const int m = uchar(jpeg[i + 1]);
        liste << m;
        if (m == 0xD8) {
            i += 2;
            continue;
        }
        if (m == 0xDA || i + 3 >= jpeg.size())
            break;
        i += 2 + ((uchar(jpeg[i + 2]) << 8) | uchar(jpeg[i + 3]));
    }
    return liste;
}

int hell(const QImage &bild, int x, int y)
{
    return qGray(bild.pixel(x, y));
}

// Dark pixels in rows y0..y1 of a card, away from the frame and its rounded corners.
int dunkleInZeilen(const QImage &bild, int y0, int y1)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = 8; x < bild.width() - 8; ++x)
            n += hell(bild, x, y) < 100 ? 1 : 0;
    return n;
}

int helleInZeilen(const QImage &bild, int y0, int y1)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = 4; x < bild.width() - 4; ++x)
            n += hell(bild, x, y) > 155 ? 1 : 0;
    return n;
}

QStringList ordnerInhalt(const QString &ordner)
{
    return QDir(ordner).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class GrafikTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_fix; // synthetic fixtures

    QString pfad(const QString &name) const { return m_tmp.filePath(name); }
    QString foto(const QString &rel) const { return kelFotoOrdner() + QLatin1Char('/') + rel; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        m_fix = pfad(QStringLiteral("fix"));
        QVERIFY(QDir().mkpath(m_fix));
        const QImage vorlage = vollDekodieren(foto(QStringLiteral("tests/11-tests.jpg")));
        QCOMPARE(vorlage.size(), QSize(1136, 775));
        const auto ablegen = [this, &vorlage](const char *name, Kodierung k, QSize groesse = QSize()) {
            const QImage b = groesse.isValid() ? vorlage.copy(QRect(QPoint(100, 100), groesse)) : vorlage;
            schreiben(m_fix + QLatin1Char('/') + QLatin1String(name), kodieren(b, k));
        };
        ablegen("grau.jpg", { Art::Grau, 1, 1, false, 0 });
        ablegen("cmyk.jpg", { Art::CmykAdobe, 1, 1, false, 0 });
        ablegen("progressiv420.jpg", { Art::Ycc, 2, 2, true, 0 });
        ablegen("progressiv444.jpg", { Art::Ycc, 1, 1, true, 0 });
        ablegen("restart420.jpg", { Art::Ycc, 2, 2, false, 1 });
        ablegen("s411.jpg", { Art::Ycc, 4, 1, false, 0 });
        ablegen("s440.jpg", { Art::Ycc, 1, 2, false, 0 });
        ablegen("schmal420.jpg", { Art::Ycc, 2, 2, false, 0 }, QSize(3, 400));
        ablegen("ungerade420.jpg", { Art::Ycc, 2, 2, false, 0 }, QSize(801, 333));
    }

    // --- size rule -------------------------------------------------------------------------

    void zielgroesse_data()
    {
        QTest::addColumn<QSize>("quelle");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("ergebnis");
        const auto zeile = [](QSize q, QSize b, QSize e) {
            QTest::addRow("%dx%d in %dx%d", q.width(), q.height(), b.width(), b.height()) << q << b << e;
        };
        zeile({ 4000, 3000 }, { 1024, 768 }, { 1024, 768 });
        zeile({ 3000, 4000 }, { 1024, 768 }, { 576, 768 });
        zeile({ 4000, 3000 }, { 1920, 1280 }, { 1707, 1280 });
        zeile({ 3000, 4000 }, { 1920, 1280 }, { 960, 1280 });
        zeile({ 4000, 3000 }, { 1280, 1024 }, { 1280, 960 });
        zeile({ 4000, 3000 }, { 120, 80 }, { 107, 80 });
        zeile({ 6000, 4000 }, { 80, 80 }, { 80, 53 });
        zeile({ 3000, 4000 }, { 80, 80 }, { 60, 80 });
        zeile({ 1000, 2000 }, { 1024, 768 }, { 384, 768 });
        zeile({ 800, 600 }, { 1024, 768 }, { 800, 600 });
        zeile({ 2000, 500 }, { 1024, 768 }, { 1024, 256 });
        zeile({ 1500, 1000 }, { 120, 80 }, { 120, 80 }); // same aspect: height branch, exactly the box
        zeile({ 6000, 4000 }, { 1920, 1280 }, { 1920, 1280 });
        zeile({ 10000, 1 }, { 80, 80 }, { 80, 1 }); // would round to 0 rows
        zeile({ 1, 1 }, { 1, 1 }, { 1, 1 });
        // halves round to the even neighbour: 16 / 2 wide, heights 2.5, 3.5, 1.5, 0.5
        zeile({ 16, 5 }, { 8, 8 }, { 8, 2 });
        zeile({ 16, 7 }, { 8, 8 }, { 8, 4 });
        zeile({ 16, 3 }, { 8, 8 }, { 8, 2 });
        zeile({ 16, 1 }, { 8, 8 }, { 8, 1 }); // 0 would be no picture at all
        zeile({ 5, 16 }, { 8, 8 }, { 2, 8 });
    }

    void zielgroesse()
    {
        QFETCH(QSize, quelle);
        QFETCH(QSize, box);
        QFETCH(QSize, ergebnis);
        QCOMPARE(JpegZielgroesse(quelle, box.width(), box.height()), ergebnis);
    }

    void grenzeUnterEinsWirdAbgelehnt_data()
    {
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("h");
        QTest::newRow("0 x 80") << 0 << 80;
        QTest::newRow("80 x 0") << 80 << 0;
        QTest::newRow("-1 x -1") << -1 << -1;
    }

    void grenzeUnterEinsWirdAbgelehnt()
    {
        QFETCH(int, b);
        QFETCH(int, h);
        const QString ziel = pfad(QStringLiteral("grenze.jpg"));
        try {
            JpegVerkleinern(foto(QStringLiteral("Canon_40D.jpg")), ziel, b, h);
            QFAIL("no error");
        } catch (const TkelFehler &e) {
            QVERIFY2(e.text().contains(QStringLiteral("ungültig")), qPrintable(e.text()));
        }
        QVERIFY(!QFile::exists(ziel));
    }

    // --- decoder -----------------------------------------------------------------------------

    void vollDekodierungWieDjpeg_data()
    {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<int>("achtel");
        QTest::newRow("4:2:0") << foto(QStringLiteral("Canon_PowerShot_S40.jpg")) << 8;
        QTest::newRow("4:2:2") << foto(QStringLiteral("exif-org/canon-ixus.jpg")) << 8;
        QTest::newRow("4:4:0") << foto(QStringLiteral("Panasonic_DMC-FZ30.jpg")) << 8;
        QTest::newRow("progressiv") << foto(QStringLiteral("tests/32-lens_data.jpeg")) << 8;
        QTest::newRow("grau") << m_fix + QStringLiteral("/grau.jpg") << 8;
        QTest::newRow("skaliert 2/8") << foto(QStringLiteral("exif-org/fujifilm-dx10.jpg")) << 2;
        QTest::newRow("skaliert 3/8") << foto(QStringLiteral("Canon_PowerShot_S40.jpg")) << 3;
    }

    // Our decode is libjpeg's own: the same pixels as djpeg (accurate IDCT, smooth upsampling).
    void vollDekodierungWieDjpeg()
    {
        QFETCH(QString, datei);
        QFETCH(int, achtel);
        const QString djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
        if (djpeg.isEmpty())
            QSKIP("djpeg (libjpeg-turbo-progs) is not installed");
        QProcess p;
        p.start(djpeg, { QStringLiteral("-scale"), QStringLiteral("%1/8").arg(achtel), QStringLiteral("-ppm"), datei });
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const QImage erwartet
            = QImage::fromData(p.readAllStandardOutput(), "PPM").convertToFormat(QImage::Format_RGB888);
        TkelJpegLeser leser(datei);
        leser.setSkalierung(achtel);
        leser.starten();
        QCOMPARE(leser.ueberspringtExakt(), achtel == 8);
        const QImage bild = leser.bildLesen();
        QCOMPARE(bild.size(), erwartet.size());
        QVERIFY(bild == erwartet);
    }

    void skalierungFuerAnzeige_data()
    {
        QTest::addColumn<QSize>("bild");
        QTest::addColumn<QSize>("mindestens");
        QTest::addColumn<int>("achtel");
        QTest::newRow("leer") << QSize(6000, 4000) << QSize() << 8;
        QTest::newRow("1/8") << QSize(6000, 4000) << QSize(750, 500) << 1;
        QTest::newRow("knapp 2/8") << QSize(6000, 4000) << QSize(751, 500) << 2;
        QTest::newRow("3/8") << QSize(6000, 4000) << QSize(1620, 1080) << 3;
        QTest::newRow("größer") << QSize(800, 600) << QSize(1620, 1080) << 8;
        QTest::newRow("aufgerundet") << QSize(4001, 3001) << QSize(501, 376) << 1;
    }

    void skalierungFuerAnzeige()
    {
        QFETCH(QSize, bild);
        QFETCH(QSize, mindestens);
        QFETCH(int, achtel);
        QCOMPARE(TkelJpegLeser::skalierungFuer(bild, mindestens), achtel);
    }

    void ladenSkaliertFuerDieAnzeige()
    {
        const QImage bild
            = TkelJpegLeser::laden(foto(QStringLiteral("tests/22-canon_tags.jpg")), QSize(300, 200)); // 1600 x 1200
        QCOMPARE(bild.size(), QSize(400, 300));
        QCOMPARE(TkelJpegLeser::laden(foto(QStringLiteral("Canon_40D.jpg"))).size(), QSize(100, 68));
    }

    void farbraeumeWerdenRgb()
    {
        const QImage grau = vollDekodieren(m_fix + QStringLiteral("/grau.jpg"));
        QCOMPARE(grau.size(), QSize(1136, 775));
        for (int y = 0; y < grau.height(); y += 97)
            for (int x = 0; x < grau.width(); x += 89) {
                const QRgb p = grau.pixel(x, y);
                QVERIFY(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
            }
        // Adobe CMYK as written by the fixture is the inverted RGB of the template: the
        // decoded picture must match the template within JPEG loss.
        const QImage vorlage = vollDekodieren(foto(QStringLiteral("tests/11-tests.jpg")));
        const QImage cmyk = vollDekodieren(m_fix + QStringLiteral("/cmyk.jpg"));
        QCOMPARE(cmyk.size(), vorlage.size());
        qint64 abweichung = 0;
        int punkte = 0;
        for (int y = 0; y < cmyk.height(); y += 13)
            for (int x = 0; x < cmyk.width(); x += 11, ++punkte) {
                const QRgb a = cmyk.pixel(x, y), b = vorlage.pixel(x, y);
                abweichung += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
            }
        QVERIFY2(abweichung / punkte < 12, qPrintable(QString::number(double(abweichung) / punkte)));
    }

    // --- exact skipping ----------------------------------------------------------------------

    void ueberspringenLiefertDieZeilenDerVollDekodierung_data()
    {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<bool>("exakt");
        QTest::newRow("4:4:4") << foto(QStringLiteral("exif-org/nikon-e950.jpg")) << true;
        QTest::newRow("4:2:0") << foto(QStringLiteral("hdr/iphone_hdr_NO.jpg")) << true;
        QTest::newRow("4:2:0 ungerade") << m_fix + QStringLiteral("/ungerade420.jpg") << true;
        QTest::newRow("4:2:2") << foto(QStringLiteral("hdr/canon_hdr_NO.jpg")) << true;
        QTest::newRow("4:4:0") << foto(QStringLiteral("tests/28-hex_value.jpg")) << true;
        QTest::newRow("4:1:1") << m_fix + QStringLiteral("/s411.jpg") << true;
        QTest::newRow("4:4:0 fix") << m_fix + QStringLiteral("/s440.jpg") << true;
        QTest::newRow("progressiv 4:2:2") << foto(QStringLiteral("tests/32-lens_data.jpeg")) << true;
        QTest::newRow("progressiv 4:2:0") << m_fix + QStringLiteral("/progressiv420.jpg") << true;
        QTest::newRow("progressiv 4:4:4") << m_fix + QStringLiteral("/progressiv444.jpg") << true;
        QTest::newRow("restart") << m_fix + QStringLiteral("/restart420.jpg") << true;
        QTest::newRow("grau") << m_fix + QStringLiteral("/grau.jpg") << true;
        QTest::newRow("cmyk") << m_fix + QStringLiteral("/cmyk.jpg") << true;
        // 3 pixels wide: libjpeg upsamples h2v2 without context rows, where skipping is unsafe
        QTest::newRow("schmal 4:2:0") << m_fix + QStringLiteral("/schmal420.jpg") << false;
    }

    void ueberspringenLiefertDieZeilenDerVollDekodierung()
    {
        QFETCH(QString, datei);
        QFETCH(bool, exakt);
        const QImage voll = vollDekodieren(datei);
        const int zeilenbytes = voll.width() * 3;
        std::vector<uchar> zeile(static_cast<size_t>(zeilenbytes));
        const int muster[][2]
            = { { 2, 1 }, { 3, 0 }, { 7, 5 }, { 16, 15 }, { 17, 3 }, { 33, 8 }, { 75, 40 }, { 400, 399 } };
        for (const auto &m : muster) {
            const int schritt = m[0], start = m[1];
            TkelJpegLeser leser(datei);
            leser.starten();
            QCOMPARE(leser.ueberspringtExakt(), exakt);
            for (int y = start; y < voll.height(); y += schritt) {
                leser.zeilenUeberspringen(y - leser.zeile());
                QCOMPARE(leser.zeile(), y);
                leser.zeileLesen(zeile.data());
                if (std::memcmp(zeile.data(), voll.constScanLine(y), size_t(zeilenbytes)) != 0)
                    QFAIL(qPrintable(
                        QStringLiteral("row %1 differs (every %2th from %3)").arg(y).arg(schritt).arg(start)));
            }
            leser.beenden();
        }
    }

    void verkleinernGleichtVollDekodierungMitAbtastung_data()
    {
        QTest::addColumn<QString>("datei");
        const QStringList dateien = {
            foto(QStringLiteral("exif-org/nikon-e950.jpg")), // 4:4:4
            foto(QStringLiteral("orientation/landscape_1.jpg")), // 4:4:4
            foto(QStringLiteral("hdr/iphone_hdr_NO.jpg")), // 4:2:0, 8 MP
            foto(QStringLiteral("tests/11-tests.jpg")), // 4:2:0
            foto(QStringLiteral("hdr/canon_hdr_NO.jpg")), // 4:2:2
            foto(QStringLiteral("tests/28-hex_value.jpg")), // 4:4:0, portrait
            foto(QStringLiteral("tests/32-lens_data.jpeg")), // progressive
            m_fix + QStringLiteral("/progressiv420.jpg"),
            m_fix + QStringLiteral("/restart420.jpg"),
            m_fix + QStringLiteral("/ungerade420.jpg"),
            m_fix + QStringLiteral("/grau.jpg"),
            m_fix + QStringLiteral("/cmyk.jpg"),
            m_fix + QStringLiteral("/schmal420.jpg"),
        };
        for (const QString &d : dateien)
            QTest::newRow(qPrintable(QFileInfo(d).fileName())) << d;
    }

    // The streaming, skipping scaler writes exactly the file a whole-picture decode followed
    // by nearest-neighbour sampling and the same encoder gives.
    void verkleinernGleichtVollDekodierungMitAbtastung()
    {
        QFETCH(QString, datei);
        const QImage voll = vollDekodieren(datei);
        const QSize boxen[] = { { 80, 80 }, { 120, 80 }, { 1280, 1280 }, { 1920, 1280 } };
        const QString ziel = pfad(QStringLiteral("identisch.jpg"));
        const QString referenz = pfad(QStringLiteral("referenz.jpg"));
        for (const QSize box : boxen) {
            JpegVerkleinern(datei, ziel, box.width(), box.height());
            const QSize groesse = JpegZielgroesse(voll.size(), box.width(), box.height());
            TkelJpegSchreiber::bildSchreiben(referenz, abtasten(voll, groesse));
            const QByteArray a = lesen(ziel), b = lesen(referenz);
            QVERIFY(!a.isEmpty());
            if (a != b)
                QFAIL(qPrintable(QStringLiteral("box %1x%2 differs").arg(box.width()).arg(box.height())));
            QCOMPARE(QImage::fromData(a).size(), groesse);
        }
    }

    void mehrereZieleAusEinerDekodierung()
    {
        const QString quelle = foto(QStringLiteral("hdr/canon_hdr_NO.jpg"));
        const QString gross = pfad(QStringLiteral("mehrfach_gross.jpg"));
        const QString klein = pfad(QStringLiteral("mehrfach_klein.jpg"));
        JpegVerkleinernMehrfach(quelle, { { gross, 1280, 1280 }, { klein, 80, 80 } });
        JpegVerkleinern(quelle, pfad(QStringLiteral("einzeln_gross.jpg")), 1280, 1280);
        JpegVerkleinern(quelle, pfad(QStringLiteral("einzeln_klein.jpg")), 80, 80);
        QCOMPARE(lesen(gross), lesen(pfad(QStringLiteral("einzeln_gross.jpg"))));
        QCOMPARE(lesen(klein), lesen(pfad(QStringLiteral("einzeln_klein.jpg"))));
    }

    // --- output file -------------------------------------------------------------------------

    void ausgabeHatDieFestenKodierEinstellungen()
    {
        // A photo smaller than the box keeps its size but is encoded anew, without EXIF.
        const QString quelle = foto(QStringLiteral("Canon_40D.jpg"));
        QVERIFY(marker(lesen(quelle)).contains(0xE1));
        const QString ziel = pfad(QStringLiteral("klein bleibt ä.jpg"));
        JpegVerkleinern(quelle, ziel, 1024, 768);
        const QByteArray jpeg = lesen(ziel);
        QCOMPARE(marker(jpeg), (QList<int> { 0xD8, 0xE0, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4, 0xDA }));
        QVERIFY(jpeg.mid(6, 5) == QByteArray("JFIF\0", 5));
        QCOMPARE(QImage::fromData(jpeg).size(), QSize(100, 68));
        // Byte for byte what libjpeg writes with its defaults at quality 90.
        QCOMPARE(jpeg, kodierenStandard(vollDekodieren(quelle)));
        // 4:2:0: component 1 samples 2 x 2, the others 1 x 1
        const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
        QVERIFY(sof > 0);
        QCOMPARE(int(uchar(jpeg[sof + 9])), 3);
        QCOMPARE(int(uchar(jpeg[sof + 11])), 0x22);
        QCOMPARE(int(uchar(jpeg[sof + 14])), 0x11);
        QCOMPARE(int(uchar(jpeg[sof + 17])), 0x11);
    }

    void hochformatWirdNichtGedreht()
    {
        // Stored 450 x 600 with EXIF orientation 6: the pixels are taken as stored.
        const QString ziel = pfad(QStringLiteral("hoch.jpg"));
        JpegVerkleinern(foto(QStringLiteral("orientation/landscape_6.jpg")), ziel, 120, 80);
        QCOMPARE(QImage::fromData(lesen(ziel)).size(), QSize(60, 80));
    }

    void zielbekommtQuellzeitAufZweiSekunden_data()
    {
        QTest::addColumn<QDateTime>("quellzeit");
        QTest::addColumn<QDateTime>("zielzeit");
        const QDate tag(2011, 3, 5);
        QTest::newRow("ungerade mit Bruchteil")
            << QDateTime(tag, QTime(12, 34, 57, 750)) << QDateTime(tag, QTime(12, 34, 56));
        QTest::newRow("gerade") << QDateTime(tag, QTime(0, 0, 2)) << QDateTime(tag, QTime(0, 0, 2));
        QTest::newRow("Sommerzeit") << QDateTime(QDate(2020, 7, 1), QTime(23, 59, 59, 999))
                                    << QDateTime(QDate(2020, 7, 1), QTime(23, 59, 58));
    }

    void zielbekommtQuellzeitAufZweiSekunden()
    {
        QFETCH(QDateTime, quellzeit);
        QFETCH(QDateTime, zielzeit);
        const QString quelle = pfad(QStringLiteral("zeit quelle.jpg"));
        const QString ziel = pfad(QStringLiteral("zeit ziel.jpg"));
        QFile::remove(quelle);
        QVERIFY(QFile::copy(foto(QStringLiteral("Canon_40D.jpg")), quelle));
        {
            QFile f(quelle);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(quellzeit, QFileDevice::FileModificationTime));
        }
        JpegVerkleinern(quelle, ziel, 80, 80);
        QCOMPARE(QFileInfo(ziel).lastModified(), zielzeit);
        // written twice: replaced, time again from the source
        JpegVerkleinern(quelle, ziel, 40, 40);
        QCOMPARE(QImage::fromData(lesen(ziel)).size(), QSize(40, 27));
        QCOMPARE(QFileInfo(ziel).lastModified(), zielzeit);
    }

    // --- failures ------------------------------------------------------------------------------

    void fehlerhafteQuelle_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("grund");
        const QByteArray gut = lesen(foto(QStringLiteral("Canon_PowerShot_S40.jpg")));
        const QByteArray progressiv = lesen(m_fix + QStringLiteral("/progressiv420.jpg"));
        QTest::newRow("leer") << QByteArray() << QStringLiteral("leer");
        QTest::newRow("Text") << QByteArray("Das ist kein Bild.\r\n") << QStringLiteral("kein JPEG");
        QTest::newRow("nur SOI") << QByteArray("\xFF\xD8", 2) << QStringLiteral("unvollständig");
        QTest::newRow("halb") << gut.left(gut.size() / 2) << QStringLiteral("unvollständig");
        QTest::newRow("letzte Zeilen fehlen") << gut.left(gut.size() - 300) << QStringLiteral("unvollständig");
        QTest::newRow("ohne Endmarke") << gut.left(gut.size() - 2) << QStringLiteral("unvollständig");
        QTest::newRow("im Kopf abgeschnitten") << gut.left(400) << QStringLiteral("unvollständig");
        QTest::newRow("progressiv abgeschnitten")
            << progressiv.left(progressiv.size() * 3 / 4) << QStringLiteral("unvollständig");
        QByteArray kaputt = gut;
        for (qsizetype i = gut.size() / 2; i < gut.size() / 2 + 64; ++i)
            kaputt[i] = char(0xFF);
        QTest::newRow("Datenmüll") << kaputt << QStringLiteral("beschädigt");

        // A valid little JPEG whose frame header claims 60000 x 60000 pixels.
        QByteArray riesig = kodierenStandard(QImage(16, 16, QImage::Format_RGB888));
        const qsizetype sof = riesig.indexOf(QByteArray("\xFF\xC0", 2));
        riesig[sof + 5] = char(0xEA);
        riesig[sof + 6] = char(0x60);
        riesig[sof + 7] = char(0xEA);
        riesig[sof + 8] = char(0x60);
        QTest::newRow("60000 x 60000") << riesig << QStringLiteral("zu groß");
    }

    // Nothing is written and an existing good target survives; no temporary file stays behind.
    void fehlerhafteQuelle()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, grund);
        QTemporaryDir ordner(pfad(QStringLiteral("fehler-XXXXXX")));
        const QString quelle = ordner.filePath(QStringLiteral("Quelle ü.jpg"));
        const QString ziel = ordner.filePath(QStringLiteral("ziel.jpg"));
        schreiben(quelle, inhalt);
        const QByteArray altesZiel = lesen(foto(QStringLiteral("Canon_40D.jpg")));
        schreiben(ziel, altesZiel);
        try {
            JpegVerkleinern(quelle, ziel, 120, 80);
            QFAIL("no error");
        } catch (const TkelFehler &e) {
            QVERIFY2(e.text().contains(grund) && e.text().contains(quelle), qPrintable(e.text()));
        }
        QCOMPARE(lesen(ziel), altesZiel);
        QCOMPARE(
            ordnerInhalt(ordner.path()), (QStringList { QStringLiteral("Quelle ü.jpg"), QStringLiteral("ziel.jpg") }));
    }

    void fehlendeQuelle()
    {
        const QString ziel = pfad(QStringLiteral("fehlt.jpg"));
        QVERIFY_THROWS_EXCEPTION(TkelFehler, JpegVerkleinern(pfad(QStringLiteral("gibt es nicht.jpg")), ziel, 80, 80));
        QVERIFY_THROWS_EXCEPTION(TkelFehler, JpegVerkleinern(m_tmp.path(), ziel, 80, 80)); // a folder
        QVERIFY(!QFile::exists(ziel));
    }

    void zielNichtSchreibbar_data()
    {
        QTest::addColumn<QString>("ziel");
        QTest::addColumn<QString>("grund");
        QTest::newRow("Ordner fehlt") << QStringLiteral("fehlt/ziel.jpg") << QStringLiteral("existiert nicht");
        QTest::newRow("Ordner ist Datei") << QStringLiteral("datei.txt/ziel.jpg") << QStringLiteral("existiert nicht");
        QTest::newRow("Ziel ist Ordner") << QStringLiteral("unterordner") << QStringLiteral("lässt sich nicht anlegen");
    }

    void zielNichtSchreibbar()
    {
        QFETCH(QString, ziel);
        QFETCH(QString, grund);
        QTemporaryDir ordner(pfad(QStringLiteral("ziel-XXXXXX")));
        schreiben(ordner.filePath(QStringLiteral("datei.txt")), "Text");
        QVERIFY(QDir(ordner.path()).mkdir(QStringLiteral("unterordner")));
        const QStringList vorher = ordnerInhalt(ordner.path());
        try {
            JpegVerkleinern(foto(QStringLiteral("Canon_40D.jpg")), ordner.filePath(ziel), 80, 80);
            QFAIL("no error");
        } catch (const TkelFehler &e) {
            QVERIFY2(e.text().contains(grund), qPrintable(e.text()));
        }
        QCOMPARE(ordnerInhalt(ordner.path()), vorher);
        QVERIFY_THROWS_EXCEPTION(TkelFehler, TextkarteSchreiben(ordner.filePath(ziel), QStringLiteral("x"), 80, 80));
        QCOMPARE(ordnerInhalt(ordner.path()), vorher);
    }

    // Every photo of the test collection is scaled or refused with a TkelFehler, never a crash.
    void alleEchtenFotos()
    {
        QDirIterator it(kelFotoOrdner(), { QStringLiteral("*.jpg"), QStringLiteral("*.jpeg") }, QDir::Files,
            QDirIterator::Subdirectories);
        const QString ziel = pfad(QStringLiteral("echt.jpg"));
        int gut = 0;
        QStringList abgelehnt;
        while (it.hasNext()) {
            const QString datei = it.next();
            QFile::remove(ziel);
            try {
                JpegVerkleinern(datei, ziel, 120, 80);
                const QImage b = QImage::fromData(lesen(ziel));
                QVERIFY2(!b.isNull() && b.width() <= 120 && b.height() <= 80, qPrintable(datei));
                ++gut;
            } catch (const TkelFehler &e) {
                QVERIFY(!e.text().isEmpty());
                QVERIFY(!QFile::exists(ziel));
                abgelehnt << QFileInfo(datei).fileName();
            }
        }
        QVERIFY(gut > 80);
        QCOMPARE(abgelehnt, QStringList { QStringLiteral("corrupted.jpg") });
    }

    // --- cards ---------------------------------------------------------------------------------

    void monatsnamen_data()
    {
        QTest::addColumn<int>("monat");
        QTest::addColumn<QString>("name");
        QTest::newRow("1") << 1 << QStringLiteral("Januar");
        QTest::newRow("3") << 3 << QStringLiteral("März");
        QTest::newRow("9") << 9 << QStringLiteral("September");
        QTest::newRow("12") << 12 << QStringLiteral("Dezember");
        QTest::newRow("0") << 0 << QString();
        QTest::newRow("13") << 13 << QString();
    }

    void monatsnamen()
    {
        QFETCH(int, monat);
        QFETCH(QString, name);
        QCOMPARE(Monatsname(monat), name);
    }

    void textkarte()
    {
        const QString ziel = pfad(QStringLiteral("text.jpg"));
        TextkarteSchreiben(ziel, QStringLiteral("2012"), 80, 80);
        const QImage b = QImage::fromData(lesen(ziel));
        QCOMPARE(b.size(), QSize(80, 80));
        QVERIFY(hell(b, 0, 40) > 200); // outside the frame
        QVERIFY(hell(b, 1, 40) < 110); // left edge of the frame
        QVERIFY(hell(b, 77, 40) < 110); // right edge: width - 3
        QVERIFY(hell(b, 40, 77) < 110); // bottom edge
        QVERIFY(hell(b, 79, 40) > 200);
        QVERIFY(hell(b, 1, 1) > 150); // rounded corner
        QVERIFY(hell(b, 10, 20) > 200);
        QVERIFY(dunkleInZeilen(b, 30, 50) > 40); // the text in the middle
        QCOMPARE(dunkleInZeilen(b, 5, 20), 0);
        QCOMPARE(dunkleInZeilen(b, 60, 75), 0);
        QVERIFY(QFileInfo(ziel).lastModified().secsTo(QDateTime::currentDateTime()) < 3600);

        TextkarteSchreiben(ziel, QStringLiteral("Ein viel zu langer Text für die Karte"), 80, 40);
        QCOMPARE(QImage::fromData(lesen(ziel)).size(), QSize(80, 40));
        QVERIFY_THROWS_EXCEPTION(TkelFehler, TextkarteSchreiben(ziel, QStringLiteral("x"), 0, 80));
    }

    void datumskarte()
    {
        const QString ziel = pfad(QStringLiteral("datum.jpg"));
        DatumskarteSchreiben(ziel, 80, 80, QDate(2011, 3, 5));
        const QImage b = QImage::fromData(lesen(ziel));
        QCOMPARE(b.size(), QSize(80, 80));
        QVERIFY(hell(b, 1, 40) < 110);
        QVERIFY(dunkleInZeilen(b, 6, 16) > 10); // "2011" at y = 4, 16 px high
        QVERIFY(dunkleInZeilen(b, 30, 48) > 20); // "5" in the middle
        QVERIFY(dunkleInZeilen(b, 60, 68) > 10); // "März" above the bottom
        QCOMPARE(dunkleInZeilen(b, 73, 76), 0);

        // Only the month band differs between March and May of the same year and day.
        const QString mai = pfad(QStringLiteral("mai.jpg"));
        DatumskarteSchreiben(mai, 80, 80, QDate(2011, 5, 5));
        const QImage m = QImage::fromData(lesen(mai));
        QCOMPARE(m.copy(0, 0, 80, 16), b.copy(0, 0, 80, 16));
        QVERIFY(m.copy(0, 58, 80, 14) != b.copy(0, 58, 80, 14));
    }

    void titelUmbrechen_data()
    {
        QTest::addColumn<QString>("titel");
        QTest::addColumn<QStringList>("zeilen");
        QTest::newRow("kurz") << QStringLiteral("kurz") << QStringList { QStringLiteral("kurz") };
        QTest::newRow("leer") << QString() << QStringList { QString() };
        QTest::newRow("am Blank") << QStringLiteral("aaaa bbbb cccc")
                                  << QStringList { QStringLiteral("aaaa bbbb"), QStringLiteral("cccc") };
        QTest::newRow("ohne Bruchstelle") << QStringLiteral("abcdefghijklmno")
                                          << QStringList { QStringLiteral("abcdefghij"), QStringLiteral("klmno") };
        QTest::newRow("nach Komma") << QStringLiteral("abc,defghijkl")
                                    << QStringList { QStringLiteral("abc,"), QStringLiteral("defghijkl") };
        QTest::newRow("nach Klammer, führender Blank fällt") << QStringLiteral(
            "abcdefgh) xyzuvw") << QStringList { QStringLiteral("abcdefgh)"), QStringLiteral("xyzuvw") };
        QTest::newRow("neues Zeichen ist Bruchstelle")
            << QStringLiteral("abcdefghij)x") << QStringList { QStringLiteral("abcdefghij"), QStringLiteral(")x") };
        QTest::newRow("letzte Bruchstelle") << QStringLiteral("a-b.c;d]e}fghij")
                                            << QStringList { QStringLiteral("a-b.c;d]e}"), QStringLiteral("fghij") };
        QTest::newRow("drei Zeilen") << QStringLiteral("eins zwei drei vier fünf sechs")
                                     << QStringList { QStringLiteral("eins zwei"), QStringLiteral("drei vier"),
                                            QStringLiteral("fünf sechs") };
        QTest::newRow("Blanks am Zeilenanfang")
            << QStringLiteral("aaaaaaaaa   bbbbbbbbbbbb")
            << QStringList { QStringLiteral("aaaaaaaaa "), QStringLiteral("bbbbbbbbb"), QStringLiteral("bbb") };
        QTest::newRow("Emoji bleibt ganz") << QStringLiteral(
            "abcdefghi\U0001F600z") << QStringList { QStringLiteral("abcdefghi"), QStringLiteral("\U0001F600z") };
    }

    // Measured at 10 pixels per character (per UTF-16 unit) in lines of at most 100 pixels.
    void titelUmbrechen()
    {
        QFETCH(QString, titel);
        QFETCH(QStringList, zeilen);
        QCOMPARE(TitelUmbrechen(titel, 100, [](const QString &s) { return int(s.size()) * 10; }), zeilen);
    }

    void titelkarte()
    {
        const QString ziel = pfad(QStringLiteral("titel.jpg"));
        Titelkarte(ziel, QStringLiteral("05.03.2011"), QStringLiteral("Kurz"));
        QImage b = QImage::fromData(lesen(ziel));
        QCOMPARE(b.size(), QSize(800, 600));
        QVERIFY(hell(b, 0, 0) > 200);
        QVERIFY(hell(b, 1, 300) > 200);
        QVERIFY(hell(b, 798, 300) > 200);
        QVERIFY(hell(b, 400, 598) > 200);
        QVERIFY(hell(b, 4, 300) < 40);
        QVERIFY(hell(b, 400, 50) < 40);
        QVERIFY(helleInZeilen(b, 105, 140) > 100); // date at y = 100
        QVERIFY(helleInZeilen(b, 205, 240) > 50); // title at y = 200
        QCOMPARE(helleInZeilen(b, 150, 195), 0);
        QCOMPARE(helleInZeilen(b, 255, 590), 0);

        Titelkarte(ziel, QStringLiteral("05.03.2011"),
            QStringLiteral("Ein langer Titel über den Ausflug an den Bodensee mit der ganzen Familie, "
                           "den Großeltern und dem Hund"));
        b = QImage::fromData(lesen(ziel));
        QVERIFY(helleInZeilen(b, 257, 292) > 50); // second line at 200 + 48 + 4
        QVERIFY(helleInZeilen(b, 309, 344) > 50); // third line
        QVERIFY(helleInZeilen(b, 361, 396) > 20); // "Hund"
        QCOMPARE(helleInZeilen(b, 410, 590), 0);
        for (int y = 200; y < 410; ++y)
            QVERIFY(hell(b, 795, y) < 60); // no line reaches beyond 790
    }
};

KEL_TEST_MAIN(GrafikTest)
#include "grafik_test.moc"
