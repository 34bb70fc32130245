#pragma once

#include "framework/ke7_keyitem.h"

#include <QChar>
#include <QCollator>
#include <QString>
#include <QStringList>

// Text functions whose results end up in file names, keys and title stores, so their
// behaviour is fixed. A blank is the space character U+0020 only.

// ---- Blanks -----------------------------------------------------------------------------

// Removes blanks (U+0020 only; tabs and line breaks stay) from both ends.
QString TrimBlanks(const QString &text);
QString TrimBlanksLeft(const QString &text);
QString TrimBlanksRight(const QString &text);

// ---- Fields and replacing ---------------------------------------------------------------

// n = 0: the text before the first `trenner`, untrimmed (the whole text when it does not
// occur). n >= 1: the text after the n-th `trenner` up to the next one or the end, with
// blanks trimmed; empty when the text holds fewer than n separators (or n < 0).
QString Feld(const QString &text, QChar trenner, int n);

// Replaces every occurrence of `alt` by `neu`, case-sensitive, in one left-to-right pass;
// inserted text is not searched again. An empty `alt` leaves the text unchanged.
QString AlleErsetzen(const QString &text, const QString &alt, const QString &neu);

// ---- Safe names -------------------------------------------------------------------------

// Lower case; ä, ö, ü, ß become ae, oe, ue, ss; every other character outside 0-9, a-z and
// "_" becomes "_" (one "_" per character, also for characters beyond U+FFFF). Decomposed
// umlauts (a + U+0308, as some file systems store them) count as the umlaut.
QString Umlautname(const QString &text);

// Every character with a code 0..255 that is not a blank, "$", "-", a digit, "@", A-Z, "_",
// a-z, "~" or one of ÄÖÜäöüß is replaced by `ersatz`; characters above 255 stay.
QString ZeichenErsetzen(const QString &text, QChar ersatz);

// ZeichenErsetzen(text, '_'), blanks to "_", then one pass turning each "__" into "_".
QString Dateiname(const QString &text);

// ---- Numbers ----------------------------------------------------------------------------

// Decimal, left-padded with "0" to `stellen` digits; longer numbers are not cut. A negative
// number keeps its sign in front of the padded digits ("-0007").
QString FuehrendeNullen(qint64 zahl, int stellen);
inline QString Vierstellig(qint64 zahl)
{
    return FuehrendeNullen(zahl, 4);
}
inline QString Zweistellig(qint64 zahl)
{
    return FuehrendeNullen(zahl, 2);
}

// ---- Letter case ------------------------------------------------------------------------

// Case change one character at a time (QChar::toUpper/toLower), so "ß" stays one letter.
QString Grossbuchstaben(const QString &text);
QString Kleinbuchstaben(const QString &text);
// True when both texts are equal ignoring letter case.
bool TextGleich(const QString &a, const QString &b);

// ---- Text order -------------------------------------------------------------------------
// The program's one order for lists it sorts itself: German collation ignoring letter case,
// never numeric ("2012" < "999", "IMG_10.JPG" < "IMG_9.JPG"), independent of the machine's
// locale. Sorting is stable, so texts equal but for case keep their order. Safe to use from
// several threads (each thread has its own collator).

// The collator behind the order, one per thread.
const QCollator &TextCollator();
// < 0, 0 or > 0 as a sorts before, equal to or after b.
int TextVergleich(const QString &a, const QString &b);
inline bool TextKleiner(const QString &a, const QString &b)
{
    return TextVergleich(a, b) < 0;
}
void TextSortieren(QStringList &liste);
// Sorts the items by their display text.
void ItemsNachTextSortieren(TkelKeyItems &items);
