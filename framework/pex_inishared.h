#pragma once

#include "framework/pex_ini.h"

#include <QString>

// The settings folder and the program's one settings file (the shared ini).
//
// The folder is $XDG_CONFIG_HOME/<company>/<product>/ (else ~/.config/...), or, when the
// marker file "Roaming.pex" lies beside the program, $XDG_DATA_HOME/<company>/<product>/
// (else ~/.local/share/...). It always ends with '/'.

// Decides the roaming flag: true when `programmOrdner` holds a file "Roaming.pex". The
// program calls this once at start; without that call the flag is decided on the first
// IniFolder() from the program's own folder. Calling it again decides anew.
void RoamingFestlegen(const QString &programmOrdner);
bool IstRoaming();

// Folder names below the application-data folder. They start as "tarnel" and "kelAlbum".
void SetCompanyFolderName(const QString &name);
QString CompanyFolderName();
void SetProductFolderName(const QString &name);
QString ProductFolderName();

// base + company + "/" + product + "/", created with all missing levels on every call.
// An empty company gives base + "/" (nothing created); an empty product base/company/.
// When no application-data folder can be determined, the program's own folder.
QString IniFolder();

// The shared settings file, created on first use on the current shared file name (by
// default IniFolder() + the program's file name with the extension ".ini").
TpexIniFile &SharedIniFile();
// Full path of the shared settings file (decided now when still unset).
QString SharedIniFileName();
// Discards the current shared object and makes IniFolder() + the file-name part of `path`
// (any folder in it is ignored) the shared file name; a path without a file name gives
// the default name again.
void SetSharedIniFileName(const QString &path);

// Settings file name of a project: "kelAlbum.ini", or "kelAlbum_" + the lower-cased file
// name (without folder and extension) of the /Projekt= value + ".ini".
QString ProjektIniDateiName(const QString &projekt);
