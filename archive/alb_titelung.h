#pragma once

#include <QString>

// Titling a day: one title into the three title stores at once.

// Writes `titel` for the day `tagKey` (year key + '/' + day folder name, no trailing '/'),
// in this order: the day's Album.dat, the year folder's Verzeichnis.dat (section = the
// whole day folder name, dots included), the base folder's Verzeichnis.dat (section = the
// year text as whole number). The title is stored exactly as given, also when empty or
// unchanged. Returns the day selector's new text for that key: day display (weekday when
// `mitWochentag`) + " - " + titel.
// A refused write throws TkelFehler naming the file; stores written before it stay
// written. A year text that is no whole number throws TkelFehler before anything is written.
QString TitelSpeichern(const QString &grundpfad, const QString &jahresOrdner, const QString &jahresText,
    const QString &tagKey, const QString &titel, bool mitWochentag);
