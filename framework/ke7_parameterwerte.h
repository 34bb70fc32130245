#pragma once

#include <QFont>
#include <QString>

// Value encodings of the settings file.

// "Ja" / "Nein".
QString JaNein(bool wert);
// True for "J", "JA", "TRUE", "WAHR", "YES", "1" in any letter case.
bool IsJa(const QString &wert);

// "Name;Größe;Stilbits;Farbe"; "Arial;10;0;0;" without a font.
QString FontToString(const QFont *font);
// Does nothing for an empty string; throws TkelFehler on a field that is no integer.
void StringToFont(const QString &text, QFont *font);

// Remembered entries of keyed lists: key of entry i is Name + "_Keys_" + at least two digits.
QString KeyListKey(const QString &name, int index);
// clean(key) + clean(text), where clean replaces ';' by a blank, trims blanks and appends ';'.
QString KeyListEntry(const QString &key, const QString &text);
// Key = text before the first ';' (untrimmed), display text = text between first and second ';' (trimmed).
void KeyListEntryLesen(const QString &wert, QString &key, QString &text);
