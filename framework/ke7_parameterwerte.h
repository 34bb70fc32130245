#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

// Value encodings of the settings file.

// "Ja" / "Nein".
QString JaNein(bool wert);
// True for "J", "JA", "TRUE", "WAHR", "YES", "1" in any letter case.
bool IsJa(const QString &wert);

// A colour as the settings file stores it: the 32-bit signed Windows colour value, 0x00BBGGRR
// for a plain colour, 0xFF0000nn (negative) for the system colour nn. Stored values are kept
// as they are, so a value read and written again comes back unchanged.
using TkelFarbe = qint32;
// The text colour of windows; a font that never had a colour of its own carries it.
inline constexpr TkelFarbe clWindowText = -16777208;

// A font together with its colour (QFont has none).
struct TkelSchrift
{
    QFont font;
    TkelFarbe farbe = clWindowText;
};

// "Name;Größe;Stilbits;Farbe" (style bits: 1 bold, 2 italic, 4 underline, 8 strike-out);
// "Arial;10;0;0;" without a font. The QFont variant writes the colour clWindowText.
QString FontToString(const QFont *font);
QString FontToString(const TkelSchrift *schrift);
// Does nothing for an empty string or no font. Sets the name (field 0, untrimmed), the
// point size (field 1), adds the style bits of field 2 (clear bits remove nothing) and takes
// the colour of field 3 (the QFont variant only checks it). Fields 1 to 3 must be decimal
// integers, else TkelFehler is thrown and the font stays as it was.
void StringToFont(const QString &text, QFont *font);
void StringToFont(const QString &text, TkelSchrift *schrift);

// The colour to paint with: plain colours directly, system colours from `palette`.
QColor FarbeZuQColor(TkelFarbe farbe, const QPalette &palette = QPalette());
// A plain colour value 0x00BBGGRR.
TkelFarbe QColorZuFarbe(const QColor &farbe);

// Remembered entries of keyed lists: key of entry i is Name + "_Keys_" + at least two digits.
QString KeyListKey(const QString &name, int index);
// clean(key) + clean(text), where clean replaces ';' by a blank, trims blanks and appends ';'.
QString KeyListEntry(const QString &key, const QString &text);
// Key = text before the first ';' (untrimmed), display text = text between first and second ';' (trimmed).
void KeyListEntryLesen(const QString &wert, QString &key, QString &text);
