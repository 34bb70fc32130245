#include "imaging/ke7_foto.h"
#include "imaging/ke7_fotoloader.h"
#include "tests/common/kel_test.h"

#include <QAction>
#include <QBuffer>
#include <QDirIterator>
#include <QImageReader>
#include <QImageWriter>
#include <QMenu>
#include <QMessageBox>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

// A JPEG of the given size in four coloured quadrants (red, green, blue, white), so that
// crops and scaled pictures can be told apart by colour.
QImage quadranten(QSize groesse)
{
    QImage bild(groesse, QImage::Format_RGB32);
    const int w = groesse.width(), h = groesse.height();
    for (int y = 0; y < h; ++y) {
        auto *z = reinterpret_cast<QRgb *>(bild.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const bool rechts = 2 * x >= w, unten = 2 * y >= h;
            z[x] = !unten ? (rechts ? qRgb(0, 200, 0) : qRgb(220, 0, 0))
                          : (rechts ? qRgb(255, 255, 255) : qRgb(0, 0, 220));
        }
    }
    return bild;
}

void speichern(const QImage &bild, const QString &datei, const char *format = "JPG", bool progressiv = false)
{
    QImageWriter w(datei, format);
    w.setQuality(92);
    w.setProgressiveScanWrite(progressiv);
    QVERIFY2(w.write(bild), qPrintable(w.errorString()));
}

// Adobe CMYK (inverted ink, as Photoshop writes it) straight through libjpeg: Qt cannot
// write CMYK.
void cmykSpeichern(QSize groesse, QRgb farbe, const QString &datei)
{
    jpeg_compress_struct info {};
    jpeg_error_mgr fehler {};
    info.err = jpeg_std_error(&fehler);
    jpeg_create_compress(&info);
    FILE *f = std::fopen(QFile::encodeName(datei).constData(), "wb");
    QVERIFY(f);
    jpeg_stdio_dest(&info, f);
    info.image_width = JDIMENSION(groesse.width());
    info.image_height = JDIMENSION(groesse.height());
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> zeile(size_t(groesse.width()) * 4);
    for (int x = 0; x < groesse.width(); ++x) {
        zeile[size_t(x) * 4 + 0] = JSAMPLE(qRed(farbe));
        zeile[size_t(x) * 4 + 1] = JSAMPLE(qGreen(farbe));
        zeile[size_t(x) * 4 + 2] = JSAMPLE(qBlue(farbe));
        zeile[size_t(x) * 4 + 3] = 255;
    }
    JSAMPROW z = zeile.data();
    while (info.next_scanline < info.image_height)
        jpeg_write_scanlines(&info, &z, 1);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(f);
}

void dateiSchreiben(const QString &datei, const QByteArray &daten)
{
    QFile f(datei);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(daten), daten.size());
}

bool nahe(QRgb a, QRgb b, int toleranz = 40)
{
    return std::abs(qRed(a) - qRed(b)) <= toleranz && std::abs(qGreen(a) - qGreen(b)) <= toleranz
        && std::abs(qBlue(a) - qBlue(b)) <= toleranz;
}

TkelFotoZiel ziel(QSize flaeche, bool stretch, bool gross)
{
    TkelFotoZiel z;
    z.flaeche = flaeche;
    z.stretch = stretch;
    z.grossanpassen = gross;
    return z;
}

// A shown view whose client area has exactly the given size.
struct Ansicht
{
    TkelFoto foto;
    explicit Ansicht(QSize client)
    {
        foto.resize(client);
        foto.show();
    }
};

} // namespace

class FotoTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_ordner;
    QString pfad(const QString &name) const { return m_ordner.filePath(name); }

    // Photo fixtures made once per size.
    QString foto(QSize groesse)
    {
        const QString datei = pfad(QStringLiteral("foto_%1x%2.jpg").arg(groesse.width()).arg(groesse.height()));
        if (!QFile::exists(datei))
            speichern(quadranten(groesse), datei);
        return datei;
    }

private slots:
    void einpassen_data();
    void einpassen();
    void einpassenNoetig_data();
    void einpassenNoetig();
    void anzeigenLegtAus_data();
    void anzeigenLegtAus();
    void anzeigenZeichnet();
    void umschalten_data();
    void umschalten();
    void menue();
    void tastenUndKlick();
    void echteFotos();
    void farbraeume_data();
    void farbraeume();
    void skaliertesDekodieren_data();
    void skaliertesDekodieren();
    void fehlendeDateiBehaeltBild();
    void kaputteDateiLeertAnzeige_data();
    void kaputteDateiLeertAnzeige();
    void andereFormate();
    void abgeschnittenBeimVerkleinern();
    void vorbereitetesBildOhneDekodieren();
    void laufendeVorbereitungWirdAbgewartet();
    void veralteteVorbereitungVerworfen();
    void geaenderteDateiNeuGelesen();
    void groessenaenderungAusDemSpeicher();
    void verborgeneAnsichtWartet();
};

void FotoTest::einpassen_data()
{
    QTest::addColumn<QSize>("bild");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("erwartet");

    QTest::newRow("4000x3000 in 658x676") << QSize(4000, 3000) << QSize(658, 676) << QRect(5, 95, 648, 486);
    QTest::newRow("100x50 enlarged in 400x400") << QSize(100, 50) << QSize(400, 400) << QRect(5, 102, 390, 195);
    QTest::newRow("portrait 3000x4000 in 658x676") << QSize(3000, 4000) << QSize(658, 676) << QRect(79, 5, 499, 666);
    QTest::newRow("same aspect fills both margins") << QSize(800, 600) << QSize(410, 310) << QRect(5, 5, 400, 300);
    QTest::newRow("one pixel wider than the client") << QSize(301, 200) << QSize(300, 200) << QRect(7, 5, 285, 190);
    QTest::newRow("wide panorama") << QSize(2000, 500) << QSize(1000, 1000) << QRect(5, 376, 990, 247);
    QTest::newRow("tall strip") << QSize(49, 500) << QSize(300, 200) << QRect(140, 5, 18, 190);
    QTest::newRow("24 MP in full HD") << QSize(6000, 4000) << QSize(1920, 1080) << QRect(157, 5, 1605, 1070);
    QTest::newRow("client no larger than the margins") << QSize(400, 300) << QSize(8, 8) << QRect(5, 5, 0, 0);
    QTest::newRow("empty picture stays") << QSize(0, 0) << QSize(400, 300) << QRect();
}

void FotoTest::einpassen()
{
    QFETCH(QSize, bild);
    QFETCH(QSize, client);
    QFETCH(QRect, erwartet);
    QCOMPARE(BildEinpassen(bild, client, 5), erwartet);
}

void FotoTest::einpassenNoetig_data()
{
    QTest::addColumn<QSize>("bild");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("gross");
    QTest::addColumn<bool>("erwartet");

    // Client area 300 x 200 throughout.
    QTest::newRow("exactly the client size, Grossanpassen") << QSize(300, 200) << false << true << false;
    QTest::newRow("10 px smaller, Grossanpassen") << QSize(290, 190) << false << true << false;
    QTest::newRow("one pixel wider, Grossanpassen") << QSize(301, 200) << false << true << true;
    QTest::newRow("one pixel higher, Grossanpassen") << QSize(300, 201) << false << true << true;
    QTest::newRow("small, Stretch") << QSize(20, 10) << true << false << true;
    QTest::newRow("small, both on: Stretch decides") << QSize(20, 10) << true << true << true;
    QTest::newRow("large, neither") << QSize(4000, 3000) << false << false << false;
    QTest::newRow("empty picture, Stretch") << QSize(0, 0) << true << false << false;
}

void FotoTest::einpassenNoetig()
{
    QFETCH(QSize, bild);
    QFETCH(bool, stretch);
    QFETCH(bool, gross);
    QFETCH(bool, erwartet);
    QCOMPARE(FotoEinpassen(bild, QSize(300, 200), stretch, gross), erwartet);
}

void FotoTest::anzeigenLegtAus_data()
{
    QTest::addColumn<QSize>("bild");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("gross");
    QTest::addColumn<QRect>("flaeche"); // geometry of the picture area
    QTest::addColumn<QPoint>("ort"); // where the visible pixels start in the client area
    QTest::addColumn<QRect>("teil"); // which part of the photo is visible, in photo pixels

    QTest::newRow("4000x3000 fitted into 658x676")
        << QSize(4000, 3000) << QSize(658, 676) << false << true << QRect(5, 95, 648, 486) << QPoint(5, 95) << QRect();
    QTest::newRow("100x50 stretched in 400x400")
        << QSize(100, 50) << QSize(400, 400) << true << false << QRect(5, 102, 390, 195) << QPoint(5, 102) << QRect();
    QTest::newRow("portrait fitted into 658x676")
        << QSize(3000, 4000) << QSize(658, 676) << false << true << QRect(79, 5, 499, 666) << QPoint(79, 5) << QRect();
    QTest::newRow("client size, natural") << QSize(300, 200) << QSize(300, 200) << false << true
                                          << QRect(0, 0, 300, 200) << QPoint(0, 0) << QRect(0, 0, 300, 200);
    QTest::newRow("10 px smaller, natural and centred")
        << QSize(290, 190) << QSize(300, 200) << false << true << QRect(0, 0, 300, 200) << QPoint(5, 5)
        << QRect(0, 0, 290, 190);
    QTest::newRow("one pixel wider, fitted")
        << QSize(301, 200) << QSize(300, 200) << false << true << QRect(7, 5, 285, 190) << QPoint(7, 5) << QRect();
    QTest::newRow("larger, neither mode: central crop")
        << QSize(1601, 1201) << QSize(300, 200) << false << false << QRect(0, 0, 300, 200) << QPoint(0, 0)
        << QRect(650, 500, 300, 200);
    QTest::newRow("both on, small photo: Stretch decides")
        << QSize(100, 50) << QSize(400, 400) << true << true << QRect(5, 102, 390, 195) << QPoint(5, 102) << QRect();
}

void FotoTest::anzeigenLegtAus()
{
    QFETCH(QSize, bild);
    QFETCH(QSize, client);
    QFETCH(bool, stretch);
    QFETCH(bool, gross);
    QFETCH(QRect, flaeche);
    QFETCH(QPoint, ort);
    QFETCH(QRect, teil);

    Ansicht a(client);
    a.foto.setStretch(stretch);
    a.foto.setGrossanpassen(gross);
    a.foto.setBildDateiname(foto(bild));
    const TkelFotoBild &b = a.foto.Bild();
    QVERIFY2(b.ok(), qPrintable(b.fehler));
    QCOMPARE(b.original, bild);
    QCOMPARE(a.foto.Bildflaeche()->geometry(), flaeche);
    QCOMPARE(b.anzeigeOrt, ort);
    if (b.eingepasst) {
        QVERIFY(teil.isNull());
        QCOMPARE(b.anzeige.size(), flaeche.size());
    } else {
        // The visible part in photo pixels: what is drawn comes from there.
        QCOMPARE(b.anzeigeTeil.size(), teil.size());
        QCOMPARE(b.anzeigeTeil.translated(b.quellRechteck.topLeft()), teil);
    }
}

void FotoTest::anzeigenZeichnet()
{
    Ansicht a(QSize(400, 400));
    a.foto.setHintergrundfarbe(Qt::black);
    a.foto.setStretch(true);
    a.foto.setBildDateiname(foto(QSize(100, 50)));
    QImage bild = a.foto.grab().toImage();
    QCOMPARE(bild.size(), QSize(400, 400));
    QCOMPARE(QColor(bild.pixel(200, 50)), QColor(Qt::black)); // above the picture
    QCOMPARE(QColor(bild.pixel(2, 200)), QColor(Qt::black)); // in the left margin
    QVERIFY(nahe(bild.pixel(100, 150), qRgb(220, 0, 0))); // top-left quadrant, enlarged
    QVERIFY(nahe(bild.pixel(300, 250), qRgb(255, 255, 255))); // bottom-right quadrant

    // At natural size the middle of a large photo shows, cropped at the edges.
    a.foto.setStretch(false);
    a.foto.setBildDateiname(foto(QSize(1601, 1201)));
    bild = a.foto.grab().toImage();
    QVERIFY(nahe(bild.pixel(10, 10), qRgb(220, 0, 0)));
    QVERIFY(nahe(bild.pixel(390, 10), qRgb(0, 200, 0)));
    QVERIFY(nahe(bild.pixel(10, 390), qRgb(0, 0, 220)));
    QVERIFY(nahe(bild.pixel(390, 390), qRgb(255, 255, 255)));
}

void FotoTest::umschalten_data()
{
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("gross");
    QTest::addColumn<bool>("stretchUmschalten"); // false: toggle Grossanpassen
    QTest::addColumn<bool>("stretchDanach");
    QTest::addColumn<bool>("grossDanach");

    QTest::newRow("Stretch on while Gross is ticked") << false << true << true << true << false;
    QTest::newRow("Stretch off leaves both off") << true << false << true << false << false;
    QTest::newRow("Gross on while Stretch is ticked") << true << false << false << false << true;
    QTest::newRow("Gross off leaves both off") << false << true << false << false << false;
    QTest::newRow("both set directly, Stretch off keeps Gross") << true << true << true << false << true;
    QTest::newRow("both set directly, Gross off keeps Stretch") << true << true << false << true << false;
}

void FotoTest::umschalten()
{
    QFETCH(bool, stretch);
    QFETCH(bool, gross);
    QFETCH(bool, stretchUmschalten);
    QFETCH(bool, stretchDanach);
    QFETCH(bool, grossDanach);

    TkelFoto f;
    f.setStretch(stretch);
    f.setGrossanpassen(gross);
    QCOMPARE(f.StretchAktion()->isChecked(), stretch);
    QCOMPARE(f.GrossanpassenAktion()->isChecked(), gross);
    // Through the menu entries, as the user does it.
    (stretchUmschalten ? f.StretchAktion() : f.GrossanpassenAktion())->trigger();
    QCOMPARE(f.Stretch(), stretchDanach);
    QCOMPARE(f.Grossanpassen(), grossDanach);
    QCOMPARE(f.StretchAktion()->isChecked(), stretchDanach);
    QCOMPARE(f.GrossanpassenAktion()->isChecked(), grossDanach);
}

void FotoTest::menue()
{
    TkelFoto f;
    QAction eigene(QStringLiteral("Bild löschen"));
    eigene.setShortcut(QKeySequence(Qt::Key_Delete));
    QCOMPARE(f.AddAction(&eigene), &eigene);
    QAction *trenner = f.AddSeparator();
    QVERIFY(trenner->isSeparator());

    const QList<QAction *> eintraege = f.Menue()->actions();
    QCOMPARE(eintraege.size(), 4);
    QCOMPARE(eintraege[0]->text(), QStringLiteral("Alle Bilder anpassen"));
    QCOMPARE(eintraege[0]->shortcut(), QKeySequence(Qt::Key_X));
    QVERIFY(eintraege[0]->isCheckable());
    QCOMPARE(eintraege[1]->text(), QStringLiteral("Zu große Bilder anpassen"));
    QCOMPARE(eintraege[1]->shortcut(), QKeySequence(Qt::Key_Y));
    QCOMPARE(eintraege[2], &eigene);
    QCOMPARE(eintraege[3], trenner);
}

void FotoTest::tastenUndKlick()
{
    Ansicht a(QSize(400, 400));
    a.foto.setGrossanpassen(true);
    a.foto.setBildDateiname(foto(QSize(800, 400)));
    a.foto.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&a.foto));
    a.foto.setFocus();

    QTest::keyClick(&a.foto, Qt::Key_X);
    QVERIFY(a.foto.Stretch());
    QVERIFY(!a.foto.Grossanpassen());
    QTest::keyClick(&a.foto, Qt::Key_Y);
    QVERIFY(!a.foto.Stretch());
    QVERIFY(a.foto.Grossanpassen());

    // A click on the picture fires OnClick; one on the margin around it does not.
    QSignalSpy klicks(&a.foto, &TkelFoto::OnClick);
    QCOMPARE(a.foto.Bildflaeche()->geometry(), QRect(5, 102, 390, 195));
    QTest::mouseClick(a.foto.Bildflaeche(), Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(klicks.count(), 1);
    QTest::mouseClick(&a.foto, Qt::LeftButton, {}, QPoint(200, 20));
    QCOMPARE(klicks.count(), 1);
}

void FotoTest::echteFotos()
{
    // Every photo of the sample folder either shows with its stored size (EXIF orientation is
    // not applied) or fails cleanly; most of them must show.
    QDirIterator it(kelFotoOrdner(), { QStringLiteral("*.jpg"), QStringLiteral("*.jpeg") }, QDir::Files,
        QDirIterator::Subdirectories);
    int gezeigt = 0, abgelehnt = 0;
    while (it.hasNext()) {
        const QString datei = it.next();
        QImageReader referenz(datei);
        referenz.setAutoTransform(false);
        const QSize gespeichert = referenz.size();

        const TkelFotoBild natuerlich = TkelFotoLader::laden(datei, ziel(QSize(20000, 20000), false, true));
        const TkelFotoBild klein = TkelFotoLader::laden(datei, ziel(QSize(320, 240), true, false));
        QCOMPARE(klein.ok(), natuerlich.ok());
        if (!natuerlich.ok()) {
            QVERIFY2(!natuerlich.fehler.isEmpty(), qPrintable(datei));
            QVERIFY(natuerlich.anzeige.isNull());
            ++abgelehnt;
            continue;
        }
        ++gezeigt;
        QCOMPARE(natuerlich.original, gespeichert);
        QVERIFY(!natuerlich.eingepasst);
        QCOMPARE(natuerlich.anzeigeTeil.size(), gespeichert);
        QVERIFY(klein.eingepasst);
        QCOMPARE(klein.anzeige.size(), BildEinpassen(gespeichert, QSize(320, 240), 5).size());
    }
    QVERIFY2(gezeigt >= 80, qPrintable(QString::number(gezeigt)));
    QVERIFY(abgelehnt <= 3);
    QVERIFY(
        !TkelFotoLader::laden(kelFotoOrdner() + QStringLiteral("/corrupted.jpg"), ziel(QSize(640, 480), true, false))
             .ok());
}

void FotoTest::farbraeume_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<QRgb>("farbe");

    QTest::newRow("greyscale") << QStringLiteral("grau") << qRgb(128, 128, 128);
    QTest::newRow("Adobe CMYK") << QStringLiteral("cmyk") << qRgb(230, 40, 30);
    QTest::newRow("progressive") << QStringLiteral("progressiv") << qRgb(30, 90, 200);
    QTest::newRow("baseline") << QStringLiteral("normal") << qRgb(30, 160, 60);
}

void FotoTest::farbraeume()
{
    QFETCH(QString, art);
    QFETCH(QRgb, farbe);

    const QSize groesse(1200, 900);
    const QString datei = pfad(art + QStringLiteral(".jpg"));
    QImage bild(groesse, QImage::Format_RGB32);
    bild.fill(farbe);
    if (art == QLatin1String("grau"))
        speichern(bild.convertToFormat(QImage::Format_Grayscale8), datei);
    else if (art == QLatin1String("cmyk"))
        cmykSpeichern(groesse, farbe, datei);
    else
        speichern(bild, datei, "JPG", art == QLatin1String("progressiv"));

    // Fitted (scaled decode), at natural size (a crop) and enlarged.
    for (const TkelFotoZiel &z : { ziel(QSize(400, 300), false, true), ziel(QSize(300, 200), false, false),
             ziel(QSize(3000, 2000), true, false) }) {
        const TkelFotoBild b = TkelFotoLader::laden(datei, z);
        QVERIFY2(b.ok(), qPrintable(b.fehler));
        QCOMPARE(b.original, groesse);
        QVERIFY(!b.anzeigeTeil.isEmpty());
        const QPoint mitte = b.anzeigeTeil.center();
        QVERIFY2(nahe(b.anzeige.pixel(mitte), farbe, 6),
            qPrintable(QStringLiteral("%1 statt %2").arg(b.anzeige.pixel(mitte), 8, 16).arg(farbe, 8, 16)));
    }
}

void FotoTest::skaliertesDekodieren_data()
{
    QTest::addColumn<QSize>("bild");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("gross");
    QTest::addColumn<QSize>("dekodiert");
    QTest::addColumn<QSize>("angezeigt");

    // Decoded at 1/8, 1/4, 1/2 or full size, the smallest that still covers the fitted size.
    QTest::newRow("1/8 exactly the fitted size")
        << QSize(1600, 1200) << QSize(210, 160) << false << true << QSize(200, 150) << QSize(200, 150);
    QTest::newRow("1/8 covers") << QSize(1600, 1200) << QSize(160, 160) << false << true << QSize(200, 150)
                                << QSize(150, 112);
    QTest::newRow("1/4") << QSize(1600, 1200) << QSize(360, 300) << false << true << QSize(400, 300) << QSize(350, 262);
    QTest::newRow("1/2 instead of 3/8") << QSize(1600, 1200) << QSize(500, 400) << false << true << QSize(800, 600)
                                        << QSize(490, 367);
    QTest::newRow("full size instead of 5/8")
        << QSize(1600, 1200) << QSize(1000, 1000) << false << true << QSize(1600, 1200) << QSize(990, 742);
    QTest::newRow("odd sizes round up") << QSize(1601, 1201) << QSize(210, 160) << false << true << QSize(201, 151)
                                        << QSize(199, 150);
    QTest::newRow("enlarged from full size")
        << QSize(100, 50) << QSize(400, 400) << true << false << QSize(100, 50) << QSize(390, 195);
    // At natural size only the visible part and a quarter of it on each side.
    QTest::newRow("natural: crop around the middle")
        << QSize(1600, 1200) << QSize(300, 200) << false << false << QSize(450, 300) << QSize(450, 300);
}

void FotoTest::skaliertesDekodieren()
{
    QFETCH(QSize, bild);
    QFETCH(QSize, client);
    QFETCH(bool, stretch);
    QFETCH(bool, gross);
    QFETCH(QSize, dekodiert);
    QFETCH(QSize, angezeigt);

    const TkelFotoBild b = TkelFotoLader::laden(foto(bild), ziel(client, stretch, gross));
    QVERIFY2(b.ok(), qPrintable(b.fehler));
    QCOMPARE(b.quelle.size(), dekodiert);
    QCOMPARE(b.anzeige.size(), angezeigt);
    // Scaling keeps the picture where it was: the quadrant colours stay in their corners.
    const QImage &a = b.anzeige;
    QVERIFY(nahe(a.pixel(a.width() / 4, a.height() / 4), qRgb(220, 0, 0)));
    QVERIFY(nahe(a.pixel(3 * a.width() / 4, 3 * a.height() / 4), qRgb(255, 255, 255)));
}

void FotoTest::fehlendeDateiBehaeltBild()
{
    Ansicht a(QSize(400, 300));
    a.foto.setGrossanpassen(true);
    const QString vorher = foto(QSize(800, 600));
    a.foto.setBildDateiname(vorher);
    QVERIFY(a.foto.Bild().ok());
    const QRect flaeche = a.foto.Bildflaeche()->geometry();
    const qint64 schluessel = a.foto.Bild().anzeige.cacheKey();

    for (const QString &name : { pfad(QStringLiteral("fehlt.jpg")), QString(), m_ordner.path() }) {
        a.foto.setBildDateiname(name);
        QCOMPARE(a.foto.BildDateiname(), name);
        QCOMPARE(a.foto.Bild().pfad, vorher);
        QCOMPARE(a.foto.Bild().anzeige.cacheKey(), schluessel);
        QCOMPARE(a.foto.Bildflaeche()->geometry(), flaeche);
    }
}

void FotoTest::kaputteDateiLeertAnzeige_data()
{
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QByteArray>("inhalt"); // empty: use datei as it is

    QTest::newRow("garbage") << QStringLiteral("muell.jpg") << QByteArray("kein Bild, nur Text\n");
    QTest::newRow("empty file") << QStringLiteral("leer.jpg") << QByteArray("");
    QImage png(40, 30, QImage::Format_RGB32);
    png.fill(Qt::red);
    QByteArray pngDaten;
    QBuffer puffer(&pngDaten);
    puffer.open(QIODevice::WriteOnly);
    png.save(&puffer, "PNG");
    QTest::newRow("a PNG named .jpg") << QStringLiteral("png.jpg") << pngDaten;
    QTest::newRow("unknown extension") << QStringLiteral("bild.xyz") << pngDaten;
    QTest::newRow("sample corrupted.jpg") << kelFotoOrdner() + QStringLiteral("/corrupted.jpg") << QByteArray();
}

void FotoTest::kaputteDateiLeertAnzeige()
{
    QFETCH(QString, datei);
    QFETCH(QByteArray, inhalt);
    if (!QFileInfo(datei).isAbsolute()) {
        datei = pfad(datei);
        dateiSchreiben(datei, inhalt);
    }

    Ansicht a(QSize(400, 300));
    a.foto.setGrossanpassen(true);
    a.foto.setBildDateiname(foto(QSize(800, 600)));
    QVERIFY(a.foto.Bild().ok());
    a.foto.setBildDateiname(datei);
    QVERIFY(!a.foto.Bild().ok());
    QVERIFY(a.foto.Bild().anzeige.isNull());
    // Nothing is drawn but the background, and nobody is asked anything.
    const QImage bild = a.foto.grab().toImage();
    QCOMPARE(bild.pixel(200, 150), a.foto.Hintergrundfarbe().rgb());
    const QWidgetList fenster = QApplication::topLevelWidgets();
    for (QWidget *w : fenster)
        QVERIFY(!qobject_cast<QMessageBox *>(w));
}

void FotoTest::andereFormate()
{
    // Other picture formats go by their extension through Qt's readers.
    const QString png = pfad(QStringLiteral("bild.png"));
    speichern(quadranten(QSize(64, 48)), png, "PNG");
    Ansicht a(QSize(400, 300));
    a.foto.setStretch(true);
    a.foto.setBildDateiname(png);
    QVERIFY2(a.foto.Bild().ok(), qPrintable(a.foto.Bild().fehler));
    QCOMPARE(a.foto.Bild().original, QSize(64, 48));
    QCOMPARE(a.foto.Bildflaeche()->geometry(), BildEinpassen(QSize(64, 48), QSize(400, 300), 5));

    // A JPEG under a PNG name is not looked at as a JPEG.
    const QString falsch = pfad(QStringLiteral("jpeg.png"));
    QFile::copy(foto(QSize(64, 48)), falsch);
    a.foto.setBildDateiname(falsch);
    QVERIFY(!a.foto.Bild().ok());
}

void FotoTest::abgeschnittenBeimVerkleinern()
{
    // Large enough to be reduced on a second thread while it is decoded; the file ends in the
    // middle of the picture, so the decode fails while the reduction waits for rows.
    const QString ganz = foto(QSize(2400, 1800));
    QFile f(ganz);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray daten = f.readAll();
    const QString halb = pfad(QStringLiteral("halb.jpg"));
    dateiSchreiben(halb, daten.left(daten.size() * 6 / 10));

    const TkelFotoZiel z = ziel(QSize(1200, 1000), false, true);
    const TkelFotoBild gut = TkelFotoLader::laden(ganz, z);
    QVERIFY2(gut.ok(), qPrintable(gut.fehler));
    QCOMPARE(gut.quelle.size(), QSize(1200, 900)); // 1.08 MP: reduced on the second thread
    QCOMPARE(gut.anzeige.size(), QSize(1190, 892));
    const TkelFotoBild kaputt = TkelFotoLader::laden(halb, z);
    QVERIFY(!kaputt.ok());
    QVERIFY(kaputt.anzeige.isNull());
    QVERIFY(kaputt.fehler.contains(QStringLiteral("unvollständig")));
}

void FotoTest::vorbereitetesBildOhneDekodieren()
{
    Ansicht a(QSize(658, 676));
    a.foto.setGrossanpassen(true);
    TkelFotoLader *lader = a.foto.Lader();
    const QString eins = foto(QSize(4000, 3000)), zwei = foto(QSize(3000, 4000));
    a.foto.setBildDateiname(eins);
    QCOMPARE(lader->dekodierungen(), 1);

    QSignalSpy fertig(lader, &TkelFotoLader::vorbereitet);
    a.foto.Vorbereiten(zwei);
    QVERIFY(fertig.wait(20000));
    QCOMPARE(fertig.first().first().toString(), zwei);
    QCOMPARE(lader->dekodierungen(), 2);
    QVERIFY(lader->istVorbereitet(zwei, ziel(QSize(658, 676), false, true)));

    a.foto.setBildDateiname(zwei);
    QCOMPARE(lader->dekodierungen(), 2);
    QCOMPARE(a.foto.Bildflaeche()->geometry(), QRect(79, 5, 499, 666));
    QCOMPARE(a.foto.Bild().anzeige.size(), QSize(499, 666));

    // Going back to the photo before: still in memory, the file unchanged.
    a.foto.setBildDateiname(eins);
    QCOMPARE(lader->dekodierungen(), 2);
    QCOMPARE(a.foto.Bildflaeche()->geometry(), QRect(5, 95, 648, 486));
    // Preparing what is in memory decodes nothing either.
    a.foto.Vorbereiten(zwei);
    QCOMPARE(lader->dekodierungen(), 2);
}

void FotoTest::laufendeVorbereitungWirdAbgewartet()
{
    // Shown right after it was asked for: waited for (or taken over), never decoded twice.
    Ansicht a(QSize(658, 676));
    a.foto.setGrossanpassen(true);
    const QString datei = foto(QSize(4000, 3000));
    a.foto.Vorbereiten(datei);
    a.foto.setBildDateiname(datei);
    QVERIFY(a.foto.Bild().ok());
    QCOMPARE(a.foto.Lader()->dekodierungen(), 1);
    QCOMPARE(a.foto.Lader()->verworfen(), 0);
}

void FotoTest::veralteteVorbereitungVerworfen()
{
    TkelFotoLader lader;
    const QString alt = foto(QSize(1600, 1200)), neu = foto(QSize(800, 600));
    const TkelFotoZiel z = ziel(QSize(400, 300), false, true);
    QSemaphore gestartet, weiter;
    lader.setArbeitsHaken([&](const QString &p) {
        if (p == alt) {
            gestartet.release();
            weiter.tryAcquire(1, 20000);
        }
    });
    QSignalSpy fertig(&lader, &TkelFotoLader::vorbereitet);

    lader.vorbereiten(alt, z);
    QVERIFY(gestartet.tryAcquire(1, 20000));
    lader.vorbereiten(neu, z); // the user moved on before the first one was ready
    QCOMPARE(lader.verworfen(), 1);
    weiter.release();
    QVERIFY(fertig.wait(20000));
    QCOMPARE(fertig.count(), 1);
    QCOMPARE(fertig.first().first().toString(), neu);
    QCOMPARE(lader.dekodierungen(), 1);
    QVERIFY(lader.istVorbereitet(neu, z));
    QVERIFY(!lader.istVorbereitet(alt, z));

    // Asked for again, the same preparation is not started twice.
    lader.vorbereiten(neu, z);
    QCOMPARE(lader.dekodierungen(), 1);
    QCOMPARE(lader.holen(neu, z).anzeige.size(), QSize(386, 290));
    QCOMPARE(lader.dekodierungen(), 1);
}

void FotoTest::geaenderteDateiNeuGelesen()
{
    Ansicht a(QSize(400, 400));
    a.foto.setGrossanpassen(true);
    TkelFotoLader *lader = a.foto.Lader();
    const QString datei = pfad(QStringLiteral("gedreht.jpg"));
    speichern(quadranten(QSize(800, 600)), datei);
    a.foto.setBildDateiname(datei);
    QCOMPARE(lader->dekodierungen(), 1);
    QCOMPARE(a.foto.Bild().original, QSize(800, 600));

    // Unchanged on disk: the same name again needs no decode.
    a.foto.setBildDateiname(datei);
    QCOMPARE(lader->dekodierungen(), 1);

    // Rotated on disk (a new file renamed over the old one): the new orientation shows.
    const QString neu = pfad(QStringLiteral("gedreht.neu.jpg"));
    speichern(quadranten(QSize(600, 800)), neu);
    QVERIFY(QFile::remove(datei));
    QVERIFY(QFile::rename(neu, datei));
    a.foto.setBildDateiname(datei);
    QCOMPARE(lader->dekodierungen(), 2);
    QCOMPARE(a.foto.Bild().original, QSize(600, 800));

    // Rewritten in place with its old modification time put back: still read again.
    QFile f(datei);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const QDateTime zeit = f.fileTime(QFileDevice::FileModificationTime);
    const QByteArray daten = f.readAll();
    f.seek(0);
    f.write(daten);
    f.flush();
    f.setFileTime(zeit, QFileDevice::FileModificationTime);
    f.close();
    a.foto.Anzeigen();
    QCOMPARE(lader->dekodierungen(), 3);
}

void FotoTest::groessenaenderungAusDemSpeicher()
{
    Ansicht a(QSize(658, 676));
    a.foto.setGrossanpassen(true);
    TkelFotoLader *lader = a.foto.Lader();
    a.foto.setBildDateiname(foto(QSize(4000, 3000)));
    QCOMPARE(lader->dekodierungen(), 1);
    QCOMPARE(a.foto.Bild().quelle.size(), QSize(1000, 750)); // 1/4 covers 648 x 486

    a.foto.resize(400, 400); // smaller
    QCOMPARE(a.foto.Bildflaeche()->geometry(), BildEinpassen(QSize(4000, 3000), QSize(400, 400), 5));
    QCOMPARE(a.foto.Bild().anzeige.size(), QSize(390, 292));
    a.foto.resize(900, 700); // larger, still within what was decoded
    QCOMPARE(a.foto.Bild().anzeige.size(), QSize(890, 667));
    QCOMPARE(lader->dekodierungen(), 1);

    a.foto.resize(1400, 1100); // beyond it: decoded again at the next scale
    QCOMPARE(lader->dekodierungen(), 2);
    QCOMPARE(a.foto.Bild().anzeige.size(), QSize(1390, 1042));
    QCOMPARE(a.foto.Bild().quelle.size(), QSize(2000, 1500));

    // Switching the modes lays out from memory as well: at natural size the middle of the
    // half-size decode is no use, the full-size rows around the middle are read.
    a.foto.setGrossanpassen(false);
    QCOMPARE(lader->dekodierungen(), 3);
    QCOMPARE(a.foto.Bild().anzeigeTeil.size(), QSize(1400, 1100));
    a.foto.resize(1300, 1000);
    QCOMPARE(lader->dekodierungen(), 3);
}

void FotoTest::verborgeneAnsichtWartet()
{
    TkelFoto f;
    f.resize(400, 300);
    f.setGrossanpassen(true);
    f.setBildDateiname(foto(QSize(800, 600)));
    QCOMPARE(f.Lader()->dekodierungen(), 0);
    f.show();
    QCOMPARE(f.Lader()->dekodierungen(), 1);
    QVERIFY(f.Bild().ok());
    QCOMPARE(f.Bildflaeche()->geometry(), QRect(6, 5, 386, 290));

    // A read-ahead asked for while hidden waits for the real size, then serves the next show
    // without a decode; a later resize prepares it again for the new size.
    TkelFoto g;
    g.resize(100, 30);
    g.setGrossanpassen(true);
    const QString zwei = foto(QSize(1600, 1200));
    g.setBildDateiname(foto(QSize(800, 600)));
    QSignalSpy fertig(g.Lader(), &TkelFotoLader::vorbereitet);
    g.Vorbereiten(zwei);
    QVERIFY(!fertig.wait(300));
    QCOMPARE(g.Lader()->dekodierungen(), 0);
    g.resize(400, 300);
    g.show();
    QVERIFY(fertig.wait(20000));
    QCOMPARE(g.Lader()->dekodierungen(), 2);
    QVERIFY(g.Lader()->istVorbereitet(zwei, ziel(g.contentsRect().size(), false, true)));
    g.resize(500, 400);
    QVERIFY(fertig.wait(20000));
    QVERIFY(g.Lader()->istVorbereitet(zwei, ziel(g.contentsRect().size(), false, true)));
    const int vorher = g.Lader()->dekodierungen();
    g.setBildDateiname(zwei);
    QCOMPARE(g.Lader()->dekodierungen(), vorher);
}

KEL_TEST_MAIN(FotoTest)
#include "foto_test.moc"
