#pragma once

#include <QDate>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

// The JPEG files of the program's own making: scaled copies of photos and the small card
// images. Every writer uses the encoder settings of TkelJpegSchreiber, replaces an existing
// target only once the new file is complete, and throws TkelFehler (German text) on failure.

// Size of the scaled copy of a photo of size quelle in a box of maxBreite x maxHoehe: no side
// is enlarged, the aspect ratio is kept, the box is never turned for portrait photos, sides
// are rounded half to even and never below 1. The bounds must be at least 1.
QSize JpegZielgroesse(QSize quelle, int maxBreite, int maxHoehe);

// Writes a copy of the JPEG photo quelle that fits maxBreite x maxHoehe (JpegZielgroesse),
// sampled nearest-neighbour from the pixels as stored (EXIF orientation is not applied),
// with the source's modification time at two-second resolution. Only the source rows that
// are sampled are decoded, and the picture is never held in memory as a whole.
// Throws TkelFehler for bounds below 1, a missing, damaged, truncated or non-JPEG source, a
// missing target folder or a target that cannot be written; the target is then unchanged.
void JpegVerkleinern(const QString &quelle, const QString &ziel, int maxBreite, int maxHoehe);

struct TkelVerkleinerung
{
    QString ziel;
    int maxBreite = 0;
    int maxHoehe = 0;
};

// Several scaled copies of one photo from a single decode (a page picture and its thumbnail);
// each target gets exactly the bytes JpegVerkleinern would write. When the source fails, no
// target is touched.
void JpegVerkleinernMehrfach(const QString &quelle, const QList<TkelVerkleinerung> &ziele);

// A breite x hoehe card: white, a black rounded frame and text centred in Arial bold 16 pt.
// The file time is not touched.
void TextkarteSchreiben(const QString &ziel, const QString &text, int breite, int hoehe);

// A breite x hoehe card like TextkarteSchreiben showing the year (12 pt) at the top, the day
// of the month (24 pt) in the middle and the German month name (10 pt) at the bottom.
void DatumskarteSchreiben(const QString &ziel, int breite, int hoehe, const QDate &datum);

// An 800 x 600 title card: black with a two-pixel white edge, the date text at (10, 100) and
// the title from (10, 200) wrapped into lines of at most 780 pixels, white Tahoma with a cell
// height of 48 pixels. The file time is not touched.
void Titelkarte(const QString &ziel, const QString &datumText, const QString &titel);

// The lines Titelkarte draws for titel, with breite measuring a text in pixels: breaks before
// a blank (the blank is dropped) or after one of ")" "," "-" "." ";" "]" "}", and inside a word
// only when it has no break point; leading blanks of every line are dropped.
QStringList TitelUmbrechen(const QString &titel, int maxBreite, const std::function<int(const QString &)> &breite);

// The German month name for 1..12 ("März"), empty otherwise.
QString Monatsname(int monat);
