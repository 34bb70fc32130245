#pragma once

#include <QLatin1String>
#include <QString>

// The title stores beside the photos: Album.dat in each day folder, Verzeichnis.dat in each
// year folder and in the base folder. All are ini files read and written through PexIni.

inline constexpr QLatin1String kAlbumDat("Album.dat");
inline constexpr QLatin1String kVerzeichnisDat("Verzeichnis.dat");
// The title of a day that has none.
inline constexpr QLatin1String kOhneTitel("(ohne Titel)");

// Path of the title store `name` in `ordner` (with or without trailing '/'): the name in
// upper case when such a file exists (ALBUM.DAT), else a file whose name equals `name`
// ignoring letter case (the exact spelling preferred), else ordner + name as written.
QString TitelDateiPfad(const QString &ordner, const QString &name);

// [TITEL] TITELNAME of the day folder's Album.dat; "(ohne Titel)" when the file, the section
// or the key is missing. An existing empty value gives an empty title.
QString AlbumTitelLesen(const QString &tagOrdner);
