#pragma once

#include "framework/ke7_keyitem.h"

#include <QString>
#include <QStringList>

// Album files (".kelAlbum"): one photo per line, relative to the base folder (year/day/file),
// or the full path for a photo outside it. Beside each album the program keeps a temporary
// copy (".~kelAlbum") that follows every change of the copy list.

inline constexpr const char *AlbumExtension = ".kelAlbum";
inline constexpr const char *AlbumTempExtension = ".~kelAlbum";

// The album's temporary file: extension replaced by ".~kelAlbum" (appended when there is none).
QString AlbumTempDateiname(const QString &albumDatei);

// Writes the entries in list order, replacing the file atomically; throws TkelFehler (the old
// file then stays as it was). An empty list gives a 0-byte file.
void AlbumSpeichern(const QString &albumDatei, const QStringList &eintraege);
// The same into the album's temporary file.
void AlbumZwischenspeichern(const QString &albumDatei, const QStringList &eintraege);

struct TkelAlbumLadenErgebnis
{
    TkelKeyItems items; // key = full path of the photo, text = the entry to store
    QString sicherung; // the backup copy made before reading, empty when none was made
};

// Reads an album: first a backup into the first free temporary name, then the lines sorted
// ignoring letter case, each resolved against the base folder (as stored, as a full path,
// or by its last three elements under the current base folder); unresolvable lines and
// duplicates (ignoring letter case) are dropped. Windows albums (backslashes, CR LF,
// Windows-1252) load as well. A missing album gives an empty list; an unreadable one
// throws TkelFehler.
TkelAlbumLadenErgebnis AlbumLaden(const QString &albumDatei, const QString &grundpfad);
