#pragma once

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include <memory>

// Thin RAII layer over libjpeg-turbo. Every libjpeg failure becomes a TkelFehler with a German
// text naming the file; libjpeg never ends the process and every libjpeg object is released on
// every path. Damaged or truncated data counts as a failure, never as grey rows.

// Largest picture (width x height) a decode accepts; checked from the header, before any
// allocation that depends on the picture size.
inline constexpr qint64 kelJpegMaxPixel = 400'000'000;

// Reads one JPEG file row by row into 24-bit RGB (greyscale and CMYK are converted).
// Usage: construct (reads the header), optionally setSkalierung, starten, then zeileLesen /
// zeilenUeberspringen, and beenden, which also verifies that the rest of the file is intact.
// The file is read through QFile, so any file name works. One object per thread.
class TkelJpegLeser
{
public:
    // Opens the file and reads its header. Throws TkelFehler when the file is missing,
    // unreadable, not a JPEG or declares more than maxPixel pixels.
    explicit TkelJpegLeser(const QString &datei, qint64 maxPixel = kelJpegMaxPixel);
    ~TkelJpegLeser();
    TkelJpegLeser(const TkelJpegLeser &) = delete;
    TkelJpegLeser &operator=(const TkelJpegLeser &) = delete;

    // Size as stored in the file (EXIF orientation is not looked at).
    int breite() const;
    int hoehe() const;
    bool progressiv() const;

    // DCT-scaled decoding to zaehler/nenner of the stored size (libjpeg supports n/8,
    // n = 1..16). Only before starten(). Fast, but not pixel-identical to a full decode
    // followed by sampling, and it disables exact row skipping.
    void setSkalierung(int zaehler, int nenner = 8);
    // The smallest n of n/8 whose decoded size still covers mindestens on both sides
    // (8 when the picture is not larger than mindestens, or mindestens is empty).
    static int skalierungFuer(QSize bild, QSize mindestens);

    // Starts decompression; afterwards the output size and zeile() are valid.
    void starten();
    int ausgabeBreite() const;
    int ausgabeHoehe() const;
    // Index of the next output row.
    int zeile() const;

    // Reads the next row as ausgabeBreite() * 3 bytes RGB.
    void zeileLesen(uchar *rgb);
    // Passes over anzahl rows. Uses libjpeg's jpeg_skip_scanlines only where it returns
    // exactly the rows of a full decode (full scale, accurate IDCT, smooth upsampling,
    // context-row upsampling); elsewhere the rows are decoded and dropped.
    void zeilenUeberspringen(int anzahl);
    // Passes over the remaining rows (the last one is decoded so that a truncated tail is
    // noticed) and reads the file to its end marker. Throws when the file turns out damaged
    // or incomplete.
    void beenden();
    // Reads all remaining rows into an RGB888 picture and ends the decode.
    QImage bildLesen();

    // True when zeilenUeberspringen really skips (valid after starten()).
    bool ueberspringtExakt() const;

    // Decodes a whole file at the smallest DCT scale that covers mindestens (full size when
    // mindestens is empty). Throws TkelFehler like the constructor.
    static QImage laden(const QString &datei, QSize mindestens = QSize(), qint64 maxPixel = kelJpegMaxPixel);

    struct Daten;

private:
    std::unique_ptr<Daten> d;
};

// Writes one JPEG file with the program's fixed encoder settings: quality 90 with baseline
// quantisation tables, baseline sequential, YCbCr 4:2:0 from RGB, standard Huffman tables, JFIF
// header, no other markers. Data goes to a temporary file beside the target, which replaces
// the target only in fertigstellen(); a writer destroyed before that leaves the target as it was.
class TkelJpegSchreiber
{
public:
    // Opens the temporary file. Throws TkelFehler when the size is out of range (1..65500)
    // or the folder is missing or not writable.
    TkelJpegSchreiber(const QString &ziel, int breite, int hoehe);
    ~TkelJpegSchreiber();
    TkelJpegSchreiber(const TkelJpegSchreiber &) = delete;
    TkelJpegSchreiber &operator=(const TkelJpegSchreiber &) = delete;

    // Appends one row of breite * 3 bytes RGB.
    void zeileSchreiben(const uchar *rgb);
    // Completes the data (all rows must have been written), gives the file the modification
    // time dateizeit when it is valid (a failure there is ignored) and renames it into place.
    void fertigstellen(const QDateTime &dateizeit = QDateTime());

    // Encodes a whole picture (any format; converted to RGB) into ziel.
    static void bildSchreiben(const QString &ziel, const QImage &bild);

    struct Daten;

private:
    std::unique_ptr<Daten> d;
};
