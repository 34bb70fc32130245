#pragma once

#include "framework/ke7_uiservices.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// Messages, file and folder utilities, special folders, dialogs, processes, clipboard and
// the busy indication shared by every window and command.
//
// Paths use '/'; every folder these functions return ends with '/'. A `TkelUiServices *`
// argument stands for "with message": nullptr means the function stays silent.

// ---- Messages ---------------------------------------------------------------------------

// Fills the placeholders %s and %d of `format` in order from `argumente` ("%%" is a
// literal percent sign); missing arguments leave the place empty.
QString Formatieren(const QString &format, const QStringList &argumente);

void Meldung(TkelUiServices &ui, const QString &text);
void MeldungFmt(TkelUiServices &ui, const QString &format, const QStringList &argumente);
// Beeps, then shows the text in an error box.
void Fehlermeldung(TkelUiServices &ui, const QString &text);
// Yes/No question with "Nein" as default; true for "Ja".
bool Frage(TkelUiServices &ui, const QString &text);
bool FrageFmt(TkelUiServices &ui, const QString &format, const QStringList &argumente);
// False for a blank path; true without asking when no such file exists; otherwise asks
// whether the existing file may be overwritten.
bool UeberschreibenFrage(TkelUiServices &ui, const QString &path);
void VerzeichnisFehltMeldung(TkelUiServices &ui, const QString &folder);
void NichtUnterstuetztMeldung(TkelUiServices &ui);
// Puts the error text on the clipboard, shows it and ends the running command silently
// (throws TkelAbbruch).
[[noreturn]] void InternerFehler(TkelUiServices &ui, const QString &modul, const QString &text);

// ---- Files and folders ------------------------------------------------------------------

// True when a file (not a folder) of that name exists; else reports "Datei … nicht vorhanden.".
bool DateiVorhanden(const QString &path, TkelUiServices *meldung);
// As DateiVorhanden, but the path may hold the wildcards * and ?; true when the first
// entry matching it (sorted by name ignoring case) is not a folder.
bool NurDateiVorhanden(const QString &path, TkelUiServices *meldung);
// DateiVorhanden with message; a missing file ends the running command silently (TkelAbbruch).
void DateiPflicht(TkelUiServices &ui, const QString &path);
// True when the folder exists (with or without trailing '/'); an empty name is no folder.
bool VerzeichnisVorhanden(const QString &folder, TkelUiServices *meldung);
// Creates the folder with all missing levels; true when it exists afterwards.
bool VerzeichnisErstellen(const QString &folder, TkelUiServices *meldung);
// Probes the folder by creating and deleting a scratch file in it.
bool VerzeichnisBeschreibbar(const QString &folder, TkelUiServices *meldung);
// Probes whether the file can be written. An existing file is opened for writing without
// being emptied and stays as it is; a new file is created and deleted again. A file
// without any write permission counts as not writable, for every user.
bool DateiBeschreibbar(const QString &path, TkelUiServices *meldung);
// True when no such file exists or it is gone afterwards. A read-only file is kept (false).
bool DateiLoeschen(const QString &path);
// Deletes every plain file directly in the folder except hidden ones; sub-folders stay.
// True when every delete succeeded; read-only files are kept and make the result false.
bool AlleDateienLoeschen(const QString &folder);
// Asks the user, then moves the file to the freedesktop trash. When no trash can take the
// file, says so and keeps the file. True only when the file went to the trash.
bool InPapierkorb(TkelUiServices &ui, const QString &path);

// Copies source onto target and gives the target the source's file time (two-second
// resolution). False, touching nothing, when both name the same file (compared trimmed and
// ignoring letter case) or the source is no file. The copy goes to a hidden temporary file
// beside the target that replaces the target only when complete; an unreadable source, a
// target that cannot be created or a failed write throws TkelFehler and leaves the old
// target untouched. A read-only target is not replaced (TkelFehler).
bool DateiKopieren(const QString &quelle, const QString &ziel);
// False when the target exists and `ueberschreiben` is false; else DateiKopieren.
bool KopierenWennFehlt(const QString &quelle, const QString &ziel, bool ueberschreiben);
// DateiKopieren when the source's time (two-second resolution) is later than the target's;
// a missing target counts as oldest.
bool KopierenWennNeuer(const QString &quelle, const QString &ziel);
// True when the target is missing (a folder counts as missing) or older than the source,
// compared to the millisecond; false when the source is missing.
bool QuelleNeuer(const QString &quelle, const QString &ziel);
// Last-modification time in local time at two-second resolution; invalid when no such file.
QDateTime Dateidatum(const QString &path);
// Sets the last-modification time (two-second resolution) of an existing file; errors are ignored.
void DateidatumSetzen(const QString &path, const QDateTime &zeit);
// Gives `nach` the file time of `von` when both exist; errors are ignored.
void DateidatumUebertragen(const QString &von, const QString &nach);
// The time at two-second resolution: seconds rounded down to an even number, no fractions.
QDateTime ZweiSekundenZeit(const QDateTime &zeit);
// First of base, base_0001, base_0002, … (more digits when needed) for which
// folder + name + extension does not exist; returns the name without extension.
QString FreierName(const QString &folder, const QString &basis, const QString &extension);
// The path itself when free, else the same folder with a FreierName.
QString FreierPfad(const QString &path);
// First "@kel0000", "@kel0001", … for which folder + name + extension does not exist.
QString Pruefdateiname(const QString &folder, const QString &extension);

// ---- Special folders (all with trailing '/') --------------------------------------------

// The temporary folder, created when missing.
QString TempOrdner();
// The user's documents or pictures folder; the home folder when that does not exist.
QString DokumenteOrdner();
QString BilderOrdner();
// DokumenteOrdner + name + '/', created with all missing levels.
QString ProgrammUnterordner(const QString &name);
// The folder of the program's executable.
QString ProgrammOrdner();
// A file or folder that ships with the program: looked up beside the program, then in the
// folders added with DatenOrdnerHinzufuegen, then in <prefix>/share/kelalbum/ (relative to
// the program and the install prefix). A folder comes back with '/'. When none holds it,
// the place beside the program is returned, so messages name a sensible path.
QString DatenOrdner(const QString &name);
// Adds a folder to search for shipped files (the test harness points it at the build's data).
void DatenOrdnerHinzufuegen(const QString &folder);

// ---- Dialogs ----------------------------------------------------------------------------
// Each returns true when the user confirmed and only then changes its in/out argument.

// Folder chooser starting in `folder`; the result ends with '/'.
bool VerzeichnisWaehlen(TkelUiServices &ui, QString &folder);
// `maske` like "*.txt" or ".txt" (a leading '*' is added) is the single filter; its
// extension is the default suffix; the dialog starts with `path`.
bool DateiOeffnenDialog(TkelUiServices &ui, const QString &titel, const QString &maske, QString &path);
// As DateiOeffnenDialog; the dialog asks before an existing file is replaced.
bool DateiSpeichernDialog(TkelUiServices &ui, const QString &titel, const QString &maske, QString &path);

// ---- Processes --------------------------------------------------------------------------

// Runs the program with its arguments (no shell) and waits for its end without limit.
// Success is exit code 0 or above 32. A program that cannot be started gives code 3, one
// that crashes code -1. On failure, with message, names program, arguments, folder and the
// code's text. `folder` only appears in the message. `code` receives the result code.
bool Ausfuehren(const QString &programm, const QStringList &parameter, const QString &folder, TkelUiServices *meldung,
    int *code = nullptr);
QString Ausfuehrungsfehlertext(int code);

// ---- Clipboard --------------------------------------------------------------------------

void ZwischenablageText(TkelUiServices &ui, const QString &text);
// All lines, each followed by CR LF, as one text.
void ListeInZwischenablage(TkelUiServices &ui, const QStringList &liste);

// ---- Busy indication --------------------------------------------------------------------

// Shows the hint (or "Bitte warten ...") and, at the outermost level, the busy cursor.
void WartenBeginn(TkelUiServices &ui, const QString &text = QString());
// Ends one level; the outermost end restores the cursor. The hint is emptied.
void WartenEnde(TkelUiServices &ui);
void HinweisSetzen(TkelUiServices &ui, const QString &text);
// Current nesting depth of WartenBeginn.
int WartenTiefe();
