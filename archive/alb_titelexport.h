#pragma once

#include "framework/ke7_keyitem.h"

#include <QString>
#include <QStringList>

class TkelFortschritt;
class TkelUiServices;

// The export of every title of the archive into one text file, read from the year title
// stores only (days added on disk since the last rebuild are missing).

// The file's lines: per year of `jahre` (in that order) its key (the year folder's path
// without trailing '/'), then per section of its Verzeichnis.dat, sorted as text ignoring
// letter case: day display without weekday + " - " + TITELNAME (empty when missing). A year
// without store gives just its line. Reports on the meter: StartWarten(years, no cancel
// button), one SchrittMitTitel(year store path) per year, Beenden(false) on every path.
QStringList TitelExportZeilen(TkelFortschritt &meter, const TkelKeyItems &jahre);

// The command: asks for the target ("Alle Titel exportieren nach:", *.txt, starting at
// `exportDatei`), probes it with DateiBeschreibbar (message on failure), then sets
// `exportDatei` to the chosen path and replaces that file atomically by the lines above
// (Windows-1252 + CR LF, UTF-8 with BOM when a title needs it). False, with nothing written,
// on cancel or a failed probe; a failed write throws TkelFehler and leaves the old file.
bool TitelExportieren(TkelUiServices &ui, TkelFortschritt &meter, const TkelKeyItems &jahre, QString &exportDatei);
