#pragma once

#include "framework/ke7_keyitem.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The archive as a folder tree: base folder, year folders, day folders and photos; reading a
// day folder's name as a date and the text shown for it; target names of exported photos.
// Paths use '/'; folders are held with a trailing '/'.

// ---- Weekdays ---------------------------------------------------------------------------

// The German weekday names, Sunday first ("Sonntag" … "Samstag").
const QStringList &WochentagNamen();
// The weekday name of the date; empty for no date.
QString Wochentagname(const QDate &datum);

// ---- Day folders ------------------------------------------------------------------------

// "dd.MM.yyyy" read from a day folder's name (20120315, 2012_03_15, 2012-03-15, 120315 with
// an optional word after it), optionally with ", " + weekday and " [" + suffix + "]". A name
// that is no date by that grammar comes back unchanged; an impossible date (20120231) as its
// digits in dd.MM.yyyy form without weekday.
QString Tagesanzeige(const QString &name, bool mitWochentag, bool mitSuffix);
// The text of a day in lists: Tagesanzeige with suffix, or the name itself when that is blank.
QString TagAnzeige(const QString &name, bool mitWochentag);
// The date a day folder's name begins with (also "15.03.2012 Fest"); no date when it has none.
QDate Tagesdatum(const QString &name);

// The name form of a date in new day folders and exported files.
enum class Datumsform {
    JJJJMMTT = 0, // 20191224
    JJJJ_MM_TT = 1, // 2019_12_24
    JJJJ_Strich_MM_TT = 2, // 2019-12-24
};
// The date in that form; empty for no date.
QString DatumsName(const QDate &datum, Datumsform form);

// ---- Export names -----------------------------------------------------------------------

// The name part of an exported photo: the day's date as yyyy_MM_dd (or the day folder's name
// when it is no date) + "_" + the number with four digits, + "_" + Umlautname(title) when
// `mitTitel` and the day has a title; every run of "_" shortened to one. The day folder is
// field 1 of the relative photo path, its title is read from its Album.dat under `grundpfad`.
QString ZielnamenStamm(const QString &grundpfad, const QString &relativerPfad, qint64 nummer, bool mitTitel);
// zielordner (with trailing '/') + Umlautname(praefix) + ZielnamenStamm + ".jpg".
QString Zielname(const QString &grundpfad, const QString &relativerPfad, qint64 nummer, bool mitTitel,
    const QString &praefix, const QString &zielordner);

// ---- Archive tree -----------------------------------------------------------------------

// True when a folder name is a year: only the digits 0-9, read as a whole number above 0.
bool IstJahresname(const QString &name);
// The years of the base folder in the program's text order ("2011", "2012", "800"): text =
// folder name, key = base folder (with '/') + name. Keys are unique ignoring letter case.
TkelKeyItems JahresListe(const QString &grundpfad);
// The photos of a day folder as full paths: plain, non-hidden files named *.jpg or *.jpeg in
// any letter case, in the program's text order.
QStringList FotoListe(const QString &tagOrdner);
// The photo's path relative to the base folder (year/day/file); the path unchanged when it
// does not lie under the base folder.
QString RelativerFotoPfad(const QString &grundpfad, const QString &pfad);
