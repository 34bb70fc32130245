#pragma once

#include <QString>
#include <QStringList>

// Folder listings. Hidden entries (names beginning with ".") are never listed; Linux has no
// "system" files. Symbolic links are followed: a link to a folder counts as a folder, a link
// to a file as a file, and a link whose target is missing is not listed at all. A folder
// that does not exist or cannot be read gives no entries. Folders may be given with or
// without trailing '/'.

// The folder with a trailing '/' (added when missing); an empty folder stays empty, so it
// never turns into the root folder.
QString MitSchraegstrich(const QString &ordner);

// Clears the list, then adds the names (not paths) of the folder's sub-folders in the order
// the file system returns them; the caller sorts.
void VerzeichnisseToItems(const QString &ordner, QStringList &liste);

// Adds the names (without path) of the plain files matching `maske`, a path whose last part
// may hold the wildcards * and ? ("/fotos/2012/x/*.jpg"), matched ignoring letter case;
// optionally clears the list first. The whole list is then sorted in the program's text order.
void DateienToItems(const QString &maske, QStringList &liste, bool leeren);
// The same for a folder and a mask of names; a relative folder is taken from the current folder.
void DateienToItems(const QString &ordner, const QString &maske, QStringList &liste, bool leeren);

// As DateienToItems, but adds folder (with trailing '/') + name, in the order the file system
// returns them; the caller sorts.
void DateienMitPfadToItems(const QString &ordner, const QString &maske, QStringList &liste, bool leeren);

// True when `name` matches the wildcard mask (* any run, ? one character) ignoring letter case.
bool NameTrifftMaske(const QString &name, const QString &maske);
