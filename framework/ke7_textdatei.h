#pragma once

#include <QString>
#include <QStringList>

// Plain text files the program writes for people and for Windows installations (album
// files, title export, search index, pages): Windows-1252 with CR LF and no byte-order mark,
// unless a line holds a character that Windows-1252 lacks — then the whole file is UTF-8
// with BOM, so nothing is lost to the code page.

// Encodes the lines, each followed by CR LF, as described above.
QByteArray TextdateiKodieren(const QStringList &zeilen);
// True when the text needs the UTF-8 form.
bool TextBrauchtUtf8(const QString &text);

// Replaces `path` atomically and durably by the lines: a temporary file beside it is
// written, flushed to disk and renamed into place. Throws TkelFehler with a German text on
// failure; the old file is then untouched. An empty list gives a 0-byte file.
void TextdateiSchreiben(const QString &path, const QStringList &zeilen);
// Same, for bytes that are already encoded.
void DateiAtomarSchreiben(const QString &path, const QByteArray &bytes);

// Reads the lines of a text file. A UTF-8 or UTF-16 (LE/BE) byte-order mark is honoured,
// otherwise Windows-1252; CR LF, LF and CR end a line; a final line end adds no empty line.
// A missing file gives an empty list; an unreadable one throws TkelFehler.
QStringList TextdateiLesen(const QString &path);
// The same for bytes already in memory.
QStringList TextZeilenDekodieren(const QByteArray &bytes);
