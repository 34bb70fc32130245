#include "imaging/ke7_jpeg.h"

#include "framework/ke7_error.h"

#include <QFileInfo>
#include <QSaveFile>

#include <csetjmp>
#include <cstdio>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it, jerror.h needs jpeglib.h.
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

// libjpeg reports failures through error_exit, which must not return. Throwing a C++
// exception through libjpeg's C frames is undefined, so error_exit longjmps back to the
// wrapper method that called into libjpeg (each one sets its own jump point right before the
// call, with no C++ objects alive in between) and that method throws.

namespace {

constexpr int kPufferGroesse = 64 * 1024;
// More scans than any sane progressive file has; crafted files with thousands of scans
// would otherwise make the decode quadratic.
constexpr int kMaxDurchgaenge = 500;
// Headroom beside the coefficient buffer of a progressive decode.
constexpr qint64 kSpeicherReserve = 64LL * 1024 * 1024;

enum class Grund {
    Keiner,
    Beschaedigt,
    Unvollstaendig,
    Leer,
    KeinJpeg,
    ZuGross,
    Speicher,
    Durchgaenge,
    Lesefehler,
    Schreibfehler,
};

struct Fehlerstelle
{
    jpeg_error_mgr mgr; // first member: libjpeg's err pointer is cast back to the whole struct
    std::jmp_buf sprung;
    Grund grund;
    char text[JMSG_LENGTH_MAX];
};

Fehlerstelle *fehlerstelle(j_common_ptr info)
{
    return reinterpret_cast<Fehlerstelle *>(info->err);
}

Grund grundAusCode(int code)
{
    switch (code) {
    case JERR_INPUT_EMPTY:
        return Grund::Leer;
    case JERR_NO_SOI:
        return Grund::KeinJpeg;
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
        return Grund::Speicher;
    case JERR_FILE_READ:
        return Grund::Lesefehler;
    case JERR_FILE_WRITE:
        return Grund::Schreibfehler;
    case JWRN_JPEG_EOF:
        return Grund::Unvollstaendig;
    default:
        return Grund::Beschaedigt;
    }
}

[[noreturn]] void fehlerAusstieg(j_common_ptr info)
{
    Fehlerstelle *f = fehlerstelle(info);
    (*info->err->format_message)(info, f->text);
    if (f->grund == Grund::Keiner)
        f->grund = grundAusCode(info->err->msg_code);
    std::longjmp(f->sprung, 1);
}

// Warnings that mean pixel data is missing or made up: libjpeg would go on with grey or
// smeared rows, we refuse the file instead. Harmless ones (extra bytes between markers,
// odd JFIF versions, unknown Adobe transforms) are let through, as every viewer does.
void meldung(j_common_ptr info, int stufe)
{
    if (stufe >= 0)
        return;
    switch (info->err->msg_code) {
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_JPEG_EOF:
        fehlerAusstieg(info);
    default:
        info->err->num_warnings++;
    }
}

void keineAusgabe(j_common_ptr) { }

void fehlerstelleEinrichten(Fehlerstelle &f)
{
    jpeg_std_error(&f.mgr);
    f.mgr.error_exit = fehlerAusstieg;
    f.mgr.emit_message = meldung;
    f.mgr.output_message = keineAusgabe;
    f.grund = Grund::Keiner;
    f.text[0] = '\0';
}

QString grundText(Grund grund, const char *libjpegText)
{
    switch (grund) {
    case Grund::Leer:
        return QStringLiteral("die Datei ist leer.");
    case Grund::KeinJpeg:
        return QStringLiteral("die Datei ist kein JPEG-Bild.");
    case Grund::Unvollstaendig:
        return QStringLiteral("die Datei ist unvollständig.");
    case Grund::Speicher:
        return QStringLiteral("der Arbeitsspeicher reicht nicht aus.");
    case Grund::Durchgaenge:
        return QStringLiteral("die Datei hat zu viele Bilddurchgänge.");
    case Grund::Lesefehler:
        return QStringLiteral("beim Lesen ist ein Fehler aufgetreten.");
    case Grund::Schreibfehler:
        return QStringLiteral("beim Schreiben ist ein Fehler aufgetreten (Datenträger voll?).");
    case Grund::ZuGross:
        return QStringLiteral("das Bild ist mit %1 Pixeln zu groß.").arg(QString::fromLatin1(libjpegText));
    case Grund::Keiner:
    case Grund::Beschaedigt:
        break;
    }
    return QStringLiteral("die Bilddaten sind beschädigt (%1).").arg(QString::fromLocal8Bit(libjpegText));
}

void cmykNachRgb(const uchar *cmyk, uchar *rgb, int breite, bool adobeInvertiert)
{
    // Adobe writes CMYK inverted (0 = full ink); other writers store ink amounts.
    for (int x = 0; x < breite; ++x, cmyk += 4, rgb += 3) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!adobeInvertiert) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgb[0] = uchar(c * k / 255);
        rgb[1] = uchar(m * k / 255);
        rgb[2] = uchar(y * k / 255);
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Reader

struct TkelJpegLeser::Daten
{
    enum class Stand { Kopf, Gestartet, Beendet, Kaputt };

    jpeg_decompress_struct info {};
    Fehlerstelle fehler {};
    jpeg_source_mgr quelle {};
    jpeg_progress_mgr fortschritt {};
    QFile datei;
    QString name;
    Stand stand = Stand::Kaputt;
    bool dateiende = false;
    qint64 gelesen = 0;
    bool exakt = false;
    bool cmyk = false;
    bool adobe = false;
    std::vector<JOCTET> puffer = std::vector<JOCTET>(kPufferGroesse);
    std::vector<uchar> zeilenpuffer;
    JSAMPROW zeiger = nullptr;
    JDIMENSION sprungzahl = 0;

    ~Daten() { jpeg_destroy_decompress(&info); }

    [[noreturn]] void werfen(Grund grund = Grund::Keiner)
    {
        stand = Stand::Kaputt;
        if (grund == Grund::Keiner)
            grund = fehler.grund;
        if (dateiende && (grund == Grund::Beschaedigt || grund == Grund::Keiner))
            grund = Grund::Unvollstaendig;
        throw TkelFehler(QStringLiteral("Die Datei \"%1\" ist kein lesbares JPEG-Bild: %2")
                             .arg(name, grundText(grund, fehler.text)));
    }

    void pruefen(Stand erwartet) const
    {
        if (stand == Stand::Kaputt)
            throw TkelFehler(QStringLiteral("Die Datei \"%1\" kann nicht weiter gelesen werden.").arg(name));
        if (stand != erwartet)
            throw TkelFehler(QStringLiteral("Interner Fehler beim Lesen von \"%1\": falscher Ablauf.").arg(name));
    }

    static Daten *von(j_decompress_ptr info) { return static_cast<Daten *>(info->client_data); }

    static void quelleInit(j_decompress_ptr) { }
    static void quelleEnde(j_decompress_ptr) { }

    static boolean quelleFuellen(j_decompress_ptr info)
    {
        Daten *dd = von(info);
        qint64 n = dd->datei.read(reinterpret_cast<char *>(dd->puffer.data()), qint64(dd->puffer.size()));
        if (n < 0) {
            dd->fehler.grund = Grund::Lesefehler;
            ERREXIT(info, JERR_FILE_READ);
        }
        if (n == 0) {
            if (dd->gelesen == 0)
                ERREXIT(info, JERR_INPUT_EMPTY);
            // libjpeg's own convention: hand it an end marker so that it stops cleanly;
            // beenden() refuses the file later because it never had its own end marker.
            dd->dateiende = true;
            dd->puffer[0] = JOCTET(0xFF);
            dd->puffer[1] = JOCTET(JPEG_EOI);
            n = 2;
        } else {
            dd->gelesen += n;
        }
        info->src->next_input_byte = dd->puffer.data();
        info->src->bytes_in_buffer = size_t(n);
        return TRUE;
    }

    static void quelleUeberspringen(j_decompress_ptr info, long anzahl)
    {
        if (anzahl <= 0)
            return;
        jpeg_source_mgr *q = info->src;
        while (anzahl > long(q->bytes_in_buffer)) {
            anzahl -= long(q->bytes_in_buffer);
            quelleFuellen(info);
        }
        q->next_input_byte += anzahl;
        q->bytes_in_buffer -= size_t(anzahl);
    }

    static void fortschrittPruefen(j_common_ptr info)
    {
        if (!info->is_decompressor)
            return;
        if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxDurchgaenge) {
            fehlerstelle(info)->grund = Grund::Durchgaenge;
            ERREXIT(info, JERR_NOT_COMPILED);
        }
    }

    void kopfLesen(qint64 maxPixel);
    void zeileRoh(uchar *ziel);
    void ueberspringenRoh(int anzahl);
    void zeilenVerwerfen(int anzahl);
};

namespace {

// jpeg_skip_scanlines gives exactly the rows of a full decode only at full scale with the
// accurate IDCT and smooth upsampling, and only where the upsampler works with context rows or
// there is a single row per row group; without context rows and two rows per group it returns
// stale rows after a skip that starts off a group boundary (libjpeg-turbo issue 915).
bool exaktUeberspringbar(const jpeg_decompress_struct &i)
{
    if (i.dct_method != JDCT_ISLOW || !i.do_fancy_upsampling || i.quantize_colors || i.raw_data_out)
        return false;
    if (i.min_DCT_scaled_size != DCTSIZE || i.output_width != i.image_width || i.output_height != i.image_height)
        return false;
    if (i.max_v_samp_factor == 1)
        return true;
    if (i.max_v_samp_factor != 2)
        return false;
    for (int c = 0; c < i.num_components; ++c) {
        const jpeg_component_info &k = i.comp_info[c];
        if (k.v_samp_factor * 2 != i.max_v_samp_factor)
            continue;
        if (k.h_samp_factor == i.max_h_samp_factor)
            return true; // h1v2 smooth upsampling
        if (k.h_samp_factor * 2 == i.max_h_samp_factor && k.downsampled_width > 2)
            return true; // h2v2 smooth upsampling
    }
    return false;
}

} // namespace

void TkelJpegLeser::Daten::kopfLesen(qint64 maxPixel)
{
    fehlerstelleEinrichten(fehler);
    info.err = &fehler.mgr;
    if (setjmp(fehler.sprung) != 0)
        werfen();
    jpeg_create_decompress(&info);
    info.client_data = this;
    info.mem->max_memory_to_use = long(maxPixel * 4 + kSpeicherReserve);
    quelle.init_source = quelleInit;
    quelle.fill_input_buffer = quelleFuellen;
    quelle.skip_input_data = quelleUeberspringen;
    quelle.resync_to_restart = jpeg_resync_to_restart;
    quelle.term_source = quelleEnde;
    info.src = &quelle;
    fortschritt.progress_monitor = fortschrittPruefen;
    info.progress = &fortschritt;
    jpeg_read_header(&info, TRUE);

    if (qint64(info.image_width) * qint64(info.image_height) > maxPixel) {
        std::snprintf(fehler.text, sizeof fehler.text, "%u x %u", info.image_width, info.image_height);
        werfen(Grund::ZuGross);
    }
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        info.out_color_space = JCS_CMYK;
        cmyk = true;
        adobe = info.saw_Adobe_marker;
    } else {
        info.out_color_space = JCS_RGB;
    }
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    stand = Stand::Kopf;
}

// The jump helpers keep their arguments in members: automatic variables changed around
// setjmp would be unreliable after the jump.
void TkelJpegLeser::Daten::zeileRoh(uchar *ziel)
{
    zeiger = ziel;
    if (setjmp(fehler.sprung) != 0)
        werfen();
    jpeg_read_scanlines(&info, &zeiger, 1);
}

void TkelJpegLeser::Daten::ueberspringenRoh(int anzahl)
{
    sprungzahl = JDIMENSION(anzahl);
    if (setjmp(fehler.sprung) != 0)
        werfen();
    jpeg_skip_scanlines(&info, sprungzahl);
}

void TkelJpegLeser::Daten::zeilenVerwerfen(int anzahl)
{
    for (int i = 0; i < anzahl; ++i)
        zeileRoh(zeilenpuffer.data());
}

TkelJpegLeser::TkelJpegLeser(const QString &datei, qint64 maxPixel)
    : d(std::make_unique<Daten>())
{
    d->name = datei;
    const QFileInfo fi(datei);
    if (!fi.exists())
        throw TkelFehler(QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(datei));
    d->datei.setFileName(datei);
    if (!fi.isFile() || !d->datei.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw TkelFehler(QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.").arg(datei));
    d->kopfLesen(maxPixel);
}

TkelJpegLeser::~TkelJpegLeser() = default;

int TkelJpegLeser::breite() const
{
    return int(d->info.image_width);
}

int TkelJpegLeser::hoehe() const
{
    return int(d->info.image_height);
}

bool TkelJpegLeser::progressiv() const
{
    return d->info.progressive_mode;
}

void TkelJpegLeser::setSkalierung(int zaehler, int nenner)
{
    d->pruefen(Daten::Stand::Kopf);
    if (zaehler < 1 || nenner < 1 || zaehler > 16 || nenner > 16)
        throw TkelFehler(QStringLiteral("Ungültiger Maßstab %1/%2 für \"%3\".").arg(zaehler).arg(nenner).arg(d->name));
    d->info.scale_num = unsigned(zaehler);
    d->info.scale_denom = unsigned(nenner);
}

int TkelJpegLeser::skalierungFuer(QSize bild, QSize mindestens)
{
    if (mindestens.isEmpty())
        return 8;
    for (int n = 1; n < 8; ++n) {
        // libjpeg rounds a scaled side up
        const qint64 b = (qint64(bild.width()) * n + 7) / 8;
        const qint64 h = (qint64(bild.height()) * n + 7) / 8;
        if (b >= mindestens.width() && h >= mindestens.height())
            return n;
    }
    return 8;
}

void TkelJpegLeser::starten()
{
    d->pruefen(Daten::Stand::Kopf);
    Daten *const dd = d.get();
    if (setjmp(dd->fehler.sprung) != 0)
        dd->werfen();
    jpeg_start_decompress(&dd->info);
    dd->exakt = exaktUeberspringbar(dd->info);
    dd->zeilenpuffer.resize(size_t(dd->info.output_width) * size_t(dd->info.output_components));
    dd->stand = Daten::Stand::Gestartet;
}

int TkelJpegLeser::ausgabeBreite() const
{
    return int(d->info.output_width);
}

int TkelJpegLeser::ausgabeHoehe() const
{
    return int(d->info.output_height);
}

int TkelJpegLeser::zeile() const
{
    return int(d->info.output_scanline);
}

bool TkelJpegLeser::ueberspringtExakt() const
{
    return d->exakt;
}

void TkelJpegLeser::zeileLesen(uchar *rgb)
{
    d->pruefen(Daten::Stand::Gestartet);
    Daten *const dd = d.get();
    if (dd->info.output_scanline >= dd->info.output_height)
        throw TkelFehler(QStringLiteral("Interner Fehler beim Lesen von \"%1\": keine Zeile mehr.").arg(dd->name));
    dd->zeileRoh(dd->cmyk ? dd->zeilenpuffer.data() : rgb);
    if (dd->cmyk)
        cmykNachRgb(dd->zeilenpuffer.data(), rgb, int(dd->info.output_width), dd->adobe);
}

void TkelJpegLeser::zeilenUeberspringen(int anzahl)
{
    d->pruefen(Daten::Stand::Gestartet);
    Daten *const dd = d.get();
    const int rest = int(dd->info.output_height - dd->info.output_scanline);
    if (anzahl > rest)
        anzahl = rest;
    if (anzahl <= 0)
        return;
    if (!dd->exakt) {
        dd->zeilenVerwerfen(anzahl);
        return;
    }
    dd->ueberspringenRoh(anzahl);
}

void TkelJpegLeser::beenden()
{
    d->pruefen(Daten::Stand::Gestartet);
    Daten *const dd = d.get();
    const int rest = int(dd->info.output_height - dd->info.output_scanline);
    if (rest > 0) {
        // A skip to the very end would mark the image complete without decoding anything,
        // so the last row is decoded: a file cut short anywhere is then noticed.
        zeilenUeberspringen(rest - 1);
        dd->zeilenVerwerfen(1);
    }
    if (setjmp(dd->fehler.sprung) != 0)
        dd->werfen();
    jpeg_finish_decompress(&dd->info);
    if (dd->dateiende)
        dd->werfen(Grund::Unvollstaendig);
    dd->stand = Daten::Stand::Beendet;
}

QImage TkelJpegLeser::bildLesen()
{
    d->pruefen(Daten::Stand::Gestartet);
    QImage bild(ausgabeBreite(), ausgabeHoehe(), QImage::Format_RGB888);
    if (bild.isNull())
        d->werfen(Grund::Speicher);
    for (int y = zeile(); y < bild.height(); ++y)
        zeileLesen(bild.scanLine(y));
    beenden();
    return bild;
}

QImage TkelJpegLeser::laden(const QString &datei, QSize mindestens, qint64 maxPixel)
{
    TkelJpegLeser leser(datei, maxPixel);
    if (!mindestens.isEmpty())
        leser.setSkalierung(skalierungFuer(QSize(leser.breite(), leser.hoehe()), mindestens));
    leser.starten();
    return leser.bildLesen();
}

// ---------------------------------------------------------------------------------------------
// Writer

struct TkelJpegSchreiber::Daten
{
    jpeg_compress_struct info {};
    Fehlerstelle fehler {};
    jpeg_destination_mgr ziel {};
    QSaveFile datei;
    QString name;
    std::vector<JOCTET> puffer = std::vector<JOCTET>(kPufferGroesse);
    bool kaputt = false;
    bool fertig = false;

    ~Daten()
    {
        jpeg_destroy_compress(&info);
        if (!fertig)
            datei.cancelWriting();
    }

    [[noreturn]] void werfen(Grund grund = Grund::Keiner)
    {
        kaputt = true;
        if (grund == Grund::Keiner)
            grund = fehler.grund;
        QString warum;
        if (grund == Grund::Schreibfehler || grund == Grund::Speicher)
            warum = grundText(grund, fehler.text);
        else
            warum = QStringLiteral("interner Kodierfehler (%1).").arg(QString::fromLocal8Bit(fehler.text));
        throw TkelFehler(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2").arg(name, warum));
    }

    void pruefen() const
    {
        if (kaputt || fertig)
            throw TkelFehler(QStringLiteral("Interner Fehler beim Schreiben von \"%1\": falscher Ablauf.").arg(name));
    }

    static Daten *von(j_compress_ptr info) { return static_cast<Daten *>(info->client_data); }

    static void zielInit(j_compress_ptr info)
    {
        Daten *dd = von(info);
        info->dest->next_output_byte = dd->puffer.data();
        info->dest->free_in_buffer = dd->puffer.size();
    }

    static boolean zielLeeren(j_compress_ptr info)
    {
        Daten *dd = von(info);
        const qint64 n = qint64(dd->puffer.size());
        if (dd->datei.write(reinterpret_cast<const char *>(dd->puffer.data()), n) != n) {
            dd->fehler.grund = Grund::Schreibfehler;
            ERREXIT(info, JERR_FILE_WRITE);
        }
        info->dest->next_output_byte = dd->puffer.data();
        info->dest->free_in_buffer = dd->puffer.size();
        return TRUE;
    }

    static void zielEnde(j_compress_ptr info)
    {
        Daten *dd = von(info);
        const qint64 n = qint64(dd->puffer.size() - info->dest->free_in_buffer);
        if (n > 0 && dd->datei.write(reinterpret_cast<const char *>(dd->puffer.data()), n) != n) {
            dd->fehler.grund = Grund::Schreibfehler;
            ERREXIT(info, JERR_FILE_WRITE);
        }
    }

    void beginnen(int breite, int hoehe);
};

void TkelJpegSchreiber::Daten::beginnen(int breite, int hoehe)
{
    fehlerstelleEinrichten(fehler);
    info.err = &fehler.mgr;
    if (setjmp(fehler.sprung) != 0)
        werfen();
    jpeg_create_compress(&info);
    info.client_data = this;
    ziel.init_destination = zielInit;
    ziel.empty_output_buffer = zielLeeren;
    ziel.term_destination = zielEnde;
    info.dest = &ziel;
    info.image_width = JDIMENSION(breite);
    info.image_height = JDIMENSION(hoehe);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    // The library's defaults, spelled out so that a changed default cannot change our files.
    info.optimize_coding = FALSE;
    info.dct_method = JDCT_ISLOW;
    info.write_JFIF_header = TRUE;
    info.comp_info[0].h_samp_factor = 2;
    info.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
}

TkelJpegSchreiber::TkelJpegSchreiber(const QString &ziel, int breite, int hoehe)
    : d(std::make_unique<Daten>())
{
    d->name = ziel;
    d->fertig = true; // nothing to cancel until the file is open
    if (breite < 1 || hoehe < 1 || breite > JPEG_MAX_DIMENSION || hoehe > JPEG_MAX_DIMENSION)
        throw TkelFehler(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: die Bildgröße %2 x %3 ist "
                                        "ungültig.")
                             .arg(ziel)
                             .arg(breite)
                             .arg(hoehe));
    const QFileInfo fi(ziel);
    if (!QFileInfo(fi.absolutePath()).isDir())
        throw TkelFehler(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: der Ordner \"%2\" existiert "
                                        "nicht.")
                             .arg(ziel, fi.absolutePath()));
    d->datei.setFileName(ziel);
    if (fi.isDir() || !d->datei.open(QIODevice::WriteOnly))
        throw TkelFehler(
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: sie lässt sich nicht anlegen.").arg(ziel));
    d->fertig = false;
    d->beginnen(breite, hoehe);
}

TkelJpegSchreiber::~TkelJpegSchreiber() = default;

void TkelJpegSchreiber::zeileSchreiben(const uchar *rgb)
{
    d->pruefen();
    Daten *const dd = d.get();
    JSAMPROW zeile = const_cast<uchar *>(rgb);
    if (setjmp(dd->fehler.sprung) != 0)
        dd->werfen();
    jpeg_write_scanlines(&dd->info, &zeile, 1);
}

void TkelJpegSchreiber::fertigstellen(const QDateTime &dateizeit)
{
    d->pruefen();
    Daten *const dd = d.get();
    if (setjmp(dd->fehler.sprung) != 0)
        dd->werfen();
    jpeg_finish_compress(&dd->info);
    // The time is set on the temporary file; the rename keeps it, and nothing writes after it.
    if (dateizeit.isValid() && dd->datei.flush())
        dd->datei.setFileTime(dateizeit, QFileDevice::FileModificationTime);
    if (!dd->datei.commit())
        dd->werfen(Grund::Schreibfehler);
    dd->fertig = true;
}

void TkelJpegSchreiber::bildSchreiben(const QString &ziel, const QImage &bild)
{
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB888);
    TkelJpegSchreiber schreiber(ziel, rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        schreiber.zeileSchreiben(rgb.constScanLine(y));
    schreiber.fertigstellen();
}
