#pragma once

#include "framework/ke7_keyitem.h"

#include <QString>

class TkelFortschritt;
class TkelUiServices;

// Writing titles into the three stores, rebuilding a year's stores from its day folders,
// and reading a year's day list. Every write goes through the ini layer (atomic, durable,
// lossless); a write the system refuses throws TkelFehler with the file's name, and files
// already written stay written.

// [TITEL] TITELNAME=titel into the day folder's Album.dat (created when missing).
void AlbumTitelSchreiben(const QString &tagOrdner, const QString &titel);
// [tag] TITELNAME=titel into the year folder's Verzeichnis.dat.
void JahresTitelSchreiben(const QString &jahresOrdner, const QString &tag, const QString &titel);
// [jahr] tag=titel into the base folder's Verzeichnis.dat.
void GrundTitelSchreiben(const QString &grundpfad, int jahr, const QString &tag, const QString &titel);

// The rebuild's sort key: date as YYYYMMDD (or "99999999" for a name without date) + " - " +
// title, cut to 20 characters, so equal dates compare only the first 9 title characters.
QString Sortierschluessel(const QString &tagName, const QString &titel);

// Rebuilds the year file of `jahresKey` (year folder without trailing '/') and the year's
// section `jahresText` of the base file `verzeichnisDat` from the day folders, in date
// order, and returns the day list (key = year key + '/' + day folder, text = day display +
// " - " + title). False, after the message, when the year file cannot be written or the year
// folder is missing; then nothing is changed.
bool TitelstoreNeuAufbauen(TkelUiServices &ui, TkelFortschritt &meter, const QString &jahresKey,
    const QString &jahresText, const QString &verzeichnisDat, bool mitWochentag, TkelKeyItems &tage);

// Reads the day list of a year from its Verzeichnis.dat, in file order, skipping keys already
// listed. False when the year has no Verzeichnis.dat (the caller rebuilds it).
bool TageLaden(const QString &jahresKey, bool mitWochentag, TkelKeyItems &tage);
