#pragma once

#include <QString>
#include <QStringList>

// Ini files with the Windows profile-file rules (GetPrivateProfileString /
// WritePrivateProfileString): case-insensitive names, first section and first key win,
// quotes stripped on reading, values cut to 2047 characters, edits made in place so every
// other byte of the file survives, Windows-1252 or UTF-16LE text. There is no cache: every
// call reads the file from disk, and every write is atomic and durable before it returns.
// Used for the settings file and the title stores.
namespace PexIni {

// R(s,k,def). Missing file, section or key give `def` (trailing blanks of def removed).
QString lesen(const QString &datei, const QString &section, const QString &key, const QString &def = QString());
// Keys of the first matching section in file order (comments and lines without '=' left out).
QStringList schluessel(const QString &datei, const QString &section);
// Every section header in file order, duplicates included.
QStringList sektionen(const QString &datei);
// A header of that name exists (also with no key under it).
bool sektionVorhanden(const QString &datei, const QString &section);
bool schluesselVorhanden(const QString &datei, const QString &section, const QString &key);

// W(s,k,v). False when the folder is missing, the file is read-only or cannot be replaced,
// a name could not be read back, or the value holds CR or LF. On false the file is unchanged.
// A value, section or key that Windows-1252 cannot hold turns the file into UTF-16LE.
bool schreiben(const QString &datei, const QString &section, const QString &key, const QString &value);
struct Eintrag
{
    QString section;
    QString key;
    QString wert;
};
// Several W(s,k,v) in order, with the result of separate calls but one read and one write
// of the file. False, with the file unchanged, when any one of them would be refused.
bool schreibenMehrere(const QString &datei, const QList<Eintrag> &eintraege);
// For every section header in file order: its name, and the value of `key` in the first
// section of that name as R(s,k,"") would give it (empty when missing).
QList<Eintrag> alleWerte(const QString &datei, const QString &key);

// W(s,k,NULL)
bool schluesselLoeschen(const QString &datei, const QString &section, const QString &key);
// E(s): true also when file or section is missing (then nothing is created).
bool sektionLoeschen(const QString &datei, const QString &section);

// Windows-1252 with the undefined bytes mapped to U+0081 etc., so decode/encode round-trips.
QString vonCp1252(const QByteArray &bytes);
// Returns false in *ok when a character has no Windows-1252 byte.
QByteArray nachCp1252(const QString &text, bool *ok = nullptr);
bool inCp1252(const QString &text);

} // namespace PexIni

// The settings file of one project: the same rules, but a refused write raises
// TkelFehler("In <path> kann nicht geschrieben werden").
class TpexIniFile
{
public:
    explicit TpexIniFile(const QString &fileName);

    QString fileName() const { return m_fileName; }

    QString readString(const QString &section, const QString &key, const QString &def) const;
    // Integer rule of the settings file: decimal, "0x"/"0X"/"$" hexadecimal; otherwise `def`.
    int readInteger(const QString &section, const QString &key, int def) const;
    QStringList readSection(const QString &section) const;
    QStringList readSections() const;
    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void deleteKey(const QString &section, const QString &key);
    void eraseSection(const QString &section);

    // Between these two calls, writeString/writeInteger are collected and then made as one
    // durable write with the result of separate writes (a window saves dozens of keys at
    // once). Reads in between do not see the collected values; a delete or erase first
    // writes what was collected. Abschliessen throws like a write; a collection that is
    // dropped (destructor, exception) writes nothing.
    void SammelnBeginnen();
    void SammelnAbschliessen();
    void SammelnVerwerfen();

private:
    [[noreturn]] void schreibFehler() const;
    void gesammeltesSchreiben();
    QString m_fileName;
    bool m_sammeln = false;
    QList<PexIni::Eintrag> m_gesammelt;
};
