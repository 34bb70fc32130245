#include "framework/pex_ini.h"

#include "framework/ke7_error.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSet>
#include <QStringView>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

Q_LOGGING_CATEGORY(lcIni, "kel.framework")

// Windows hands out at most nSize-1 characters for the buffer of 2048 the program passes.
constexpr qsizetype kWertGrenze = 2047;
// Settings files and title stores are small; a bigger file is not read, so a stray huge file
// can neither exhaust memory nor be rewritten by us.
constexpr qint64 kDateiGrenze = qint64(256) * 1024 * 1024;

// Windows-1252 for 0x80..0x9F; the five bytes the code page leaves open stand for the C1
// control characters of the same number, as Windows' own conversion does.
constexpr char16_t kCp1252Hoch[32] = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

const QString kCrLf = QStringLiteral("\r\n");

// The byte for a character, or -1 when Windows-1252 has none.
int cp1252Byte(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    if (u <= 0x9F)
        return (u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D) ? int(u) : -1;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252Hoch[i] == u)
            return 0x80 + i;
    }
    return -1;
}

// The blanks the profile reader trims around names and values.
bool istLeer(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x20 || u == 0x09 || u == 0x0B || u == 0x0C || u == 0x1A;
}

QStringView leerTrimmen(QStringView s)
{
    qsizetype a = 0;
    qsizetype e = s.size();
    while (a < e && istLeer(s[a]))
        ++a;
    while (e > a && istLeer(s[e - 1]))
        --e;
    return s.mid(a, e - a);
}

// Names from the caller lose spaces only; a tab is part of the name.
QString leerzeichenTrimmen(const QString &s)
{
    qsizetype a = 0;
    qsizetype e = s.size();
    while (a < e && s[a] == QLatin1Char(' '))
        ++a;
    while (e > a && s[e - 1] == QLatin1Char(' '))
        --e;
    return s.mid(a, e - a);
}

bool gleicheNamen(QStringView a, QStringView b)
{
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value that ends inside a surrogate pair would hand a broken character to the caller.
QString aufGrenzeKuerzen(QString s)
{
    if (s.size() > kWertGrenze) {
        s.truncate(kWertGrenze);
        if (s.back().isHighSurrogate())
            s.chop(1);
    }
    return s;
}

enum class Art { Leer, Kopf, Kommentar, Schluessel, Eintrag };
enum class Kodierung { Cp1252, Utf16 };
enum class Zustand { Fehlt, Gelesen, Unlesbar };

// One line of the decoded text; positions are character offsets into Ini::text.
struct Zeile
{
    qsizetype anfang;
    qsizetype inhaltEnde; // before the line end
    qsizetype ende; // after the line end
    Art art;
    qsizetype nameAnfang; // header name or key, trimmed
    qsizetype nameEnde;
    qsizetype gleich; // first '=' of a key line
};

struct Aenderung
{
    qsizetype von;
    qsizetype bis;
    QString neu;
};

// A file as read from disk. Decoding is lossless in both encodings, so a character offset
// maps straight back to the byte offset `vorspann + einheit * offset`, and an edit is a
// splice of the original bytes.
struct Ini
{
    Zustand zustand = Zustand::Fehlt;
    Kodierung kodierung = Kodierung::Cp1252;
    QByteArray roh;
    QString text;
    std::vector<Zeile> zeilen;

    QStringView name(const Zeile &z) const { return QStringView(text).mid(z.nameAnfang, z.nameEnde - z.nameAnfang); }

    // First header with that name, or -1.
    qsizetype sektion(QStringView gesucht) const
    {
        for (size_t i = 0; i < zeilen.size(); ++i) {
            if (zeilen[i].art == Art::Kopf && gleicheNamen(name(zeilen[i]), gesucht))
                return qsizetype(i);
        }
        return -1;
    }

    // Index after the last line of the section whose header is at `kopf`.
    qsizetype sektionEnde(qsizetype kopf) const
    {
        qsizetype i = kopf + 1;
        while (i < qsizetype(zeilen.size()) && zeilen[size_t(i)].art != Art::Kopf)
            ++i;
        return i;
    }

    // First key line of the section with that key, or -1. An empty key never matches, just
    // as a line "=x" is no key.
    qsizetype schluessel(qsizetype kopf, QStringView gesucht) const
    {
        if (gesucht.isEmpty())
            return -1;
        const qsizetype ende = sektionEnde(kopf);
        for (qsizetype i = kopf + 1; i < ende; ++i) {
            const Zeile &z = zeilen[size_t(i)];
            if (z.art == Art::Schluessel && gleicheNamen(name(z), gesucht))
                return i;
        }
        return -1;
    }

    QString wert(const Zeile &z) const
    {
        QStringView w = leerTrimmen(QStringView(text).mid(z.gleich + 1, z.inhaltEnde - z.gleich - 1));
        if (w.size() >= 2 && (w.front() == QLatin1Char('"') || w.front() == QLatin1Char('\'')) && w.back() == w.front())
            w = w.mid(1, w.size() - 2);
        QString ergebnis = w.left(kWertGrenze + 1).toString();
        if (ergebnis.isNull())
            ergebnis = QStringLiteral("");
        return aufGrenzeKuerzen(ergebnis);
    }
};

Zeile zeileEinordnen(const QString &text, qsizetype anfang, qsizetype inhaltEnde, qsizetype ende)
{
    Zeile z { anfang, inhaltEnde, ende, Art::Leer, anfang, anfang, -1 };
    const QChar *d = text.constData();
    qsizetype p = anfang;
    while (p < inhaltEnde && istLeer(d[p]))
        ++p;
    if (p == inhaltEnde)
        return z;
    auto nameSetzen = [&](qsizetype a, qsizetype e) {
        while (a < e && istLeer(d[a]))
            ++a;
        while (e > a && istLeer(d[e - 1]))
            --e;
        z.nameAnfang = a;
        z.nameEnde = e;
    };
    if (d[p] == QLatin1Char('[')) {
        z.art = Art::Kopf;
        qsizetype e = p + 1;
        while (e < inhaltEnde && d[e] != QLatin1Char(']'))
            ++e;
        nameSetzen(p + 1, e);
    } else if (d[p] == QLatin1Char(';')) {
        z.art = Art::Kommentar;
    } else {
        qsizetype g = p;
        while (g < inhaltEnde && d[g] != QLatin1Char('='))
            ++g;
        if (g < inhaltEnde) {
            z.art = Art::Schluessel;
            z.gleich = g;
            nameSetzen(p, g);
        } else {
            z.art = Art::Eintrag;
            nameSetzen(p, inhaltEnde);
        }
    }
    return z;
}

void zerlegen(Ini &ini)
{
    const QString &t = ini.text;
    const QChar *d = t.constData();
    const qsizetype n = t.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype anfang = i;
        while (i < n && d[i] != QLatin1Char('\r') && d[i] != QLatin1Char('\n'))
            ++i;
        const qsizetype inhaltEnde = i;
        if (i < n) {
            if (d[i] == QLatin1Char('\r') && i + 1 < n && d[i + 1] == QLatin1Char('\n'))
                i += 2;
            else
                ++i;
        }
        ini.zeilen.push_back(zeileEinordnen(t, anfang, inhaltEnde, i));
    }
}

bool istUtf16(const QByteArray &roh)
{
    return roh.size() >= 2 && uchar(roh[0]) == 0xFF && uchar(roh[1]) == 0xFE;
}

// An odd last byte of a UTF-16 file is read as if its high byte were 0; a write then stores
// that missing 0, so the file has whole characters again.
QString vonUtf16(const QByteArray &roh, qsizetype ab)
{
    const qsizetype n = (roh.size() - ab + 1) / 2;
    QString text(n, Qt::Uninitialized);
    QChar *d = text.data();
    const uchar *b = reinterpret_cast<const uchar *>(roh.constData());
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype p = ab + 2 * i;
        const char16_t hoch = p + 1 < roh.size() ? b[p + 1] : 0;
        d[i] = QChar(char16_t(b[p] | (hoch << 8)));
    }
    return text;
}

void nachUtf16(QByteArray &ziel, QStringView text)
{
    const qsizetype alt = ziel.size();
    ziel.resize(alt + 2 * text.size());
    char *d = ziel.data() + alt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        d[2 * i] = char(u & 0xFF);
        d[2 * i + 1] = char(u >> 8);
    }
}

void dekodieren(Ini &ini)
{
    ini.zeilen.clear();
    if (istUtf16(ini.roh)) {
        ini.kodierung = Kodierung::Utf16;
        ini.text = vonUtf16(ini.roh, 2);
    } else {
        ini.kodierung = Kodierung::Cp1252;
        ini.text = PexIni::vonCp1252(ini.roh);
    }
    zerlegen(ini);
}

Ini laden(const QString &datei)
{
    Ini ini;
    const QFileInfo info(datei);
    if (!info.exists())
        return ini;
    ini.zustand = Zustand::Unlesbar;
    // Only regular files: a FIFO or device could block the reader or never end.
    if (!info.isFile() || info.size() > kDateiGrenze)
        return ini;
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly))
        return ini;
    ini.roh = f.readAll();
    if (f.error() != QFileDevice::NoError || ini.roh.size() > kDateiGrenze) {
        ini.roh.clear();
        return ini;
    }
    ini.zustand = Zustand::Gelesen;
    if (ini.roh.startsWith("\xEF\xBB\xBF"))
        qCWarning(lcIni, "UTF-8 byte-order mark read as Windows-1252 text: %s", qUtf8Printable(datei));
    dekodieren(ini);
    return ini;
}

// The new file: the old bytes with the edits spliced in (sorted, not overlapping). When an
// edit of a Windows-1252 file holds a character that code page lacks, the whole file becomes
// UTF-16LE with BOM instead, so nothing is lost.
QByteArray zusammensetzen(const Ini &ini, const std::vector<Aenderung> &aenderungen)
{
    bool umstellen = false;
    if (ini.kodierung == Kodierung::Cp1252) {
        for (const Aenderung &a : aenderungen)
            umstellen = umstellen || !PexIni::inCp1252(a.neu);
    }
    QByteArray neu;
    if (umstellen) {
        QString text;
        text.reserve(ini.text.size());
        qsizetype pos = 0;
        for (const Aenderung &a : aenderungen) {
            text += QStringView(ini.text).mid(pos, a.von - pos);
            text += a.neu;
            pos = a.bis;
        }
        text += QStringView(ini.text).mid(pos);
        neu = QByteArray("\xFF\xFE", 2);
        nachUtf16(neu, text);
        return neu;
    }
    const bool utf16 = ini.kodierung == Kodierung::Utf16;
    QByteArray roh = ini.roh;
    if (utf16 && roh.size() % 2 != 0)
        roh.append('\0');
    const qsizetype vorspann = utf16 ? 2 : 0;
    const qsizetype einheit = utf16 ? 2 : 1;
    neu.reserve(roh.size() + 64);
    neu.append(roh.constData(), vorspann);
    qsizetype pos = 0;
    for (const Aenderung &a : aenderungen) {
        neu.append(roh.constData() + vorspann + einheit * pos, einheit * (a.von - pos));
        if (utf16)
            nachUtf16(neu, a.neu);
        else
            neu.append(PexIni::nachCp1252(a.neu));
        pos = a.bis;
    }
    neu.append(roh.constData() + vorspann + einheit * pos, roh.size() - vorspann - einheit * pos);
    return neu;
}

bool ordnerSynchronisieren(const QString &ordner)
{
    const int fd = ::open(QFile::encodeName(ordner).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        qCWarning(lcIni, "folder %s cannot be opened for fsync: %s", qUtf8Printable(ordner), std::strerror(errno));
        return true;
    }
    const int ergebnis = ::fsync(fd);
    const int fehler = errno;
    ::close(fd);
    // Some file systems cannot sync a folder; the rename is then as durable as they allow.
    if (ergebnis != 0 && fehler != EINVAL) {
        qCWarning(lcIni, "fsync of folder %s failed: %s", qUtf8Printable(ordner), std::strerror(fehler));
        return false;
    }
    return true;
}

// Replaces the file by `neu` atomically and durably. Refuses a missing folder (nothing is
// created) and a file without any write permission bit: root ignores those bits, and a
// rename would bypass them, so they are checked here.
bool speichern(const QString &datei, const Ini &ini, const QByteArray &neu)
{
    if (ini.zustand == Zustand::Gelesen && neu == ini.roh)
        return true;
    const QFileInfo info(datei);
    if (!QFileInfo(info.absolutePath()).isDir()) {
        qCWarning(lcIni, "folder missing, %s not written", qUtf8Printable(datei));
        return false;
    }
    if (info.exists()) {
        const auto schreibRechte = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if (!(info.permissions() & schreibRechte)) {
            qCWarning(lcIni, "read-only file %s not written", qUtf8Printable(datei));
            return false;
        }
    }
    QSaveFile f(datei);
    if (!f.open(QIODevice::WriteOnly)) {
        qCWarning(lcIni, "cannot write %s: %s", qUtf8Printable(datei), qUtf8Printable(f.errorString()));
        return false;
    }
    if (f.write(neu) != neu.size() || !f.flush() || ::fsync(f.handle()) != 0) {
        qCWarning(lcIni, "cannot write %s: %s", qUtf8Printable(datei), std::strerror(errno));
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        qCWarning(lcIni, "cannot replace %s: %s", qUtf8Printable(datei), qUtf8Printable(f.errorString()));
        return false;
    }
    const QFileInfo ziel(info.exists() ? info.canonicalFilePath() : info.absoluteFilePath());
    return ordnerSynchronisieren(ziel.absolutePath());
}

bool enthaeltZeilenende(const QString &s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

// Names that the reader would find again under the same name.
bool sektionSchreibbar(const QString &s)
{
    return leerTrimmen(s).size() == s.size() && !s.contains(QLatin1Char(']')) && !enthaeltZeilenende(s);
}

bool schluesselSchreibbar(const QString &k)
{
    return !k.isEmpty() && leerTrimmen(k).size() == k.size() && k[0] != QLatin1Char(';') && k[0] != QLatin1Char('[')
        && !k.contains(QLatin1Char('=')) && !enthaeltZeilenende(k);
}

} // namespace

namespace PexIni {

QString lesen(const QString &datei, const QString &section, const QString &key, const QString &def)
{
    const Ini ini = laden(datei);
    const qsizetype kopf = ini.sektion(leerzeichenTrimmen(section));
    if (kopf >= 0) {
        const qsizetype z = ini.schluessel(kopf, leerzeichenTrimmen(key));
        if (z >= 0)
            return ini.wert(ini.zeilen[size_t(z)]);
    }
    qsizetype e = def.size();
    while (e > 0 && def[e - 1] == QLatin1Char(' '))
        --e;
    return aufGrenzeKuerzen(def.left(e));
}

QStringList schluessel(const QString &datei, const QString &section)
{
    QStringList liste;
    const Ini ini = laden(datei);
    const qsizetype kopf = ini.sektion(leerzeichenTrimmen(section));
    if (kopf < 0)
        return liste;
    const qsizetype ende = ini.sektionEnde(kopf);
    for (qsizetype i = kopf + 1; i < ende; ++i) {
        const Zeile &z = ini.zeilen[size_t(i)];
        if (z.art == Art::Schluessel && z.nameEnde > z.nameAnfang)
            liste.append(ini.name(z).toString());
    }
    return liste;
}

QStringList sektionen(const QString &datei)
{
    QStringList liste;
    const Ini ini = laden(datei);
    for (const Zeile &z : ini.zeilen) {
        if (z.art == Art::Kopf)
            liste.append(ini.name(z).isEmpty() ? QStringLiteral("") : ini.name(z).toString());
    }
    return liste;
}

bool sektionVorhanden(const QString &datei, const QString &section)
{
    return laden(datei).sektion(leerzeichenTrimmen(section)) >= 0;
}

bool schluesselVorhanden(const QString &datei, const QString &section, const QString &key)
{
    const Ini ini = laden(datei);
    const qsizetype kopf = ini.sektion(leerzeichenTrimmen(section));
    return kopf >= 0 && ini.schluessel(kopf, leerzeichenTrimmen(key)) >= 0;
}

} // namespace PexIni

namespace {

// The edit W(s,k,v) makes to `ini`; false for names or values the rules refuse. An empty
// list means the value is there already.
bool schreibAenderung(const Ini &ini, const QString &section, const QString &key, const QString &value,
    std::vector<Aenderung> &aenderungen)
{
    const QString s = leerzeichenTrimmen(section);
    const QString k = leerzeichenTrimmen(key);
    if (!sektionSchreibbar(s) || !schluesselSchreibbar(k) || enthaeltZeilenende(value))
        return false;

    const qsizetype kopf = ini.sektion(s);
    if (kopf < 0) {
        QString neu;
        if (!ini.roh.isEmpty() && (ini.text.isEmpty() || ini.text.back() != QLatin1Char('\n')))
            neu += kCrLf;
        neu += QLatin1Char('[') + s + QLatin1Char(']') + kCrLf + k + QLatin1Char('=') + value + kCrLf;
        aenderungen.push_back({ ini.text.size(), ini.text.size(), neu });
    } else if (const qsizetype z = ini.schluessel(kopf, k); z >= 0) {
        const Zeile &zeile = ini.zeilen[size_t(z)];
        const QStringView alt = QStringView(ini.text).mid(zeile.gleich + 1, zeile.inhaltEnde - zeile.gleich - 1);
        if (alt == value)
            return true;
        aenderungen.push_back({ zeile.gleich + 1, zeile.ende, value + kCrLf });
    } else {
        qsizetype letzte = kopf;
        const qsizetype ende = ini.sektionEnde(kopf);
        for (qsizetype i = kopf + 1; i < ende; ++i) {
            const Art art = ini.zeilen[size_t(i)].art;
            if (art == Art::Schluessel || art == Art::Eintrag)
                letzte = i;
        }
        const Zeile &zeile = ini.zeilen[size_t(letzte)];
        QString neu;
        if (zeile.ende == zeile.inhaltEnde)
            neu += kCrLf;
        neu += k + QLatin1Char('=') + value + kCrLf;
        aenderungen.push_back({ zeile.ende, zeile.ende, neu });
    }
    return true;
}

} // namespace

namespace PexIni {

bool schreiben(const QString &datei, const QString &section, const QString &key, const QString &value)
{
    return schreibenMehrere(datei, { { section, key, value } });
}

// Writes into sections the file does not hold yet: the separate writes would append each
// section at the end and each key at the end of its section, a repeated key replacing the
// value in place. Built here in one pass, so rebuilding a large store stays linear.
static bool neueSektionenAnhaengen(const Ini &alt, const QString &datei, const QList<Eintrag> &eintraege)
{
    struct Block
    {
        QString name;
        QStringList keys;
        QStringList werte;
        QHash<QString, qsizetype> index;
    };
    std::vector<Block> bloecke;
    QHash<QString, size_t> sektionIndex;
    for (const Eintrag &e : eintraege) {
        const QString s = leerzeichenTrimmen(e.section);
        const QString k = leerzeichenTrimmen(e.key);
        if (!sektionSchreibbar(s) || !schluesselSchreibbar(k) || enthaeltZeilenende(e.wert))
            return false;
        const QString sf = s.toCaseFolded();
        auto it = sektionIndex.constFind(sf);
        if (it == sektionIndex.constEnd()) {
            it = sektionIndex.insert(sf, bloecke.size());
            bloecke.push_back({ s, {}, {}, {} });
        }
        Block &b = bloecke[it.value()];
        const QString kf = k.toCaseFolded();
        if (const auto ki = b.index.constFind(kf); ki != b.index.constEnd()) {
            b.werte[ki.value()] = e.wert;
        } else {
            b.index.insert(kf, b.keys.size());
            b.keys.append(k);
            b.werte.append(e.wert);
        }
    }
    QString neu;
    if (!alt.roh.isEmpty() && (alt.text.isEmpty() || alt.text.back() != QLatin1Char('\n')))
        neu += kCrLf;
    for (const Block &b : bloecke) {
        neu += QLatin1Char('[') + b.name + QLatin1Char(']') + kCrLf;
        for (qsizetype i = 0; i < b.keys.size(); ++i)
            neu += b.keys[i] + QLatin1Char('=') + b.werte[i] + kCrLf;
    }
    return speichern(datei, alt, zusammensetzen(alt, { { alt.text.size(), alt.text.size(), neu } }));
}

bool schreibenMehrere(const QString &datei, const QList<Eintrag> &eintraege)
{
    const Ini alt = laden(datei);
    if (alt.zustand == Zustand::Unlesbar)
        return false;
    if (eintraege.isEmpty())
        return true;
    QSet<QString> vorhanden;
    for (const Zeile &z : alt.zeilen) {
        if (z.art == Art::Kopf)
            vorhanden.insert(alt.name(z).toString().toCaseFolded());
    }
    const bool alleNeu = std::none_of(eintraege.begin(), eintraege.end(),
        [&](const Eintrag &e) { return vorhanden.contains(leerzeichenTrimmen(e.section).toCaseFolded()); });
    if (alleNeu)
        return neueSektionenAnhaengen(alt, datei, eintraege);
    // Each write sees the file as the previous one left it, exactly as separate calls would;
    // only the disk is touched once.
    Ini ini = alt;
    for (const Eintrag &e : eintraege) {
        std::vector<Aenderung> aenderungen;
        if (!schreibAenderung(ini, e.section, e.key, e.wert, aenderungen))
            return false;
        if (aenderungen.empty())
            continue;
        ini.roh = zusammensetzen(ini, aenderungen);
        ini.zustand = Zustand::Gelesen;
        dekodieren(ini);
    }
    if (alt.zustand == Zustand::Fehlt && ini.zustand == Zustand::Fehlt)
        return true;
    return speichern(datei, alt, ini.roh);
}

QList<Eintrag> alleWerte(const QString &datei, const QString &key)
{
    const Ini ini = laden(datei);
    const QString k = leerzeichenTrimmen(key);
    QList<Eintrag> ergebnis;
    QHash<QString, QString> erste; // a duplicate section reads like its first occurrence
    for (size_t i = 0; i < ini.zeilen.size(); ++i) {
        const Zeile &z = ini.zeilen[i];
        if (z.art != Art::Kopf)
            continue;
        const QString name = ini.name(z).toString();
        const QString gefaltet = name.toCaseFolded();
        QString wert;
        if (const auto it = erste.constFind(gefaltet); it != erste.constEnd()) {
            wert = it.value();
        } else {
            const qsizetype zk = ini.schluessel(qsizetype(i), k);
            wert = zk >= 0 ? ini.wert(ini.zeilen[size_t(zk)]) : QString();
            erste.insert(gefaltet, wert);
        }
        ergebnis.append({ name, k, wert });
    }
    return ergebnis;
}

bool schluesselLoeschen(const QString &datei, const QString &section, const QString &key)
{
    const Ini ini = laden(datei);
    if (ini.zustand != Zustand::Gelesen)
        return ini.zustand == Zustand::Fehlt;
    const qsizetype kopf = ini.sektion(leerzeichenTrimmen(section));
    if (kopf < 0)
        return true;
    const qsizetype z = ini.schluessel(kopf, leerzeichenTrimmen(key));
    if (z < 0)
        return true;
    const Zeile &zeile = ini.zeilen[size_t(z)];
    return speichern(datei, ini, zusammensetzen(ini, { { zeile.anfang, zeile.ende, QString() } }));
}

bool sektionLoeschen(const QString &datei, const QString &section)
{
    const Ini ini = laden(datei);
    if (ini.zustand != Zustand::Gelesen)
        return ini.zustand == Zustand::Fehlt;
    const qsizetype kopf = ini.sektion(leerzeichenTrimmen(section));
    if (kopf < 0)
        return true;
    // Comments stay where they are: Windows never deletes a line that starts with ';'.
    std::vector<Aenderung> aenderungen;
    const qsizetype ende = ini.sektionEnde(kopf);
    for (qsizetype i = kopf; i < ende; ++i) {
        const Zeile &z = ini.zeilen[size_t(i)];
        if (z.art == Art::Kommentar)
            continue;
        if (!aenderungen.empty() && aenderungen.back().bis == z.anfang)
            aenderungen.back().bis = z.ende;
        else
            aenderungen.push_back({ z.anfang, z.ende, QString() });
    }
    return speichern(datei, ini, zusammensetzen(ini, aenderungen));
}

QString vonCp1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *d = text.data();
    const uchar *b = reinterpret_cast<const uchar *>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = (b[i] >= 0x80 && b[i] <= 0x9F) ? QChar(kCp1252Hoch[b[i] - 0x80]) : QChar(char16_t(b[i]));
    return text;
}

QByteArray nachCp1252(const QString &text, bool *ok)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bool alle = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = cp1252Byte(text[i].unicode());
        if (b < 0)
            alle = false;
        bytes[i] = char(b < 0 ? '?' : b);
    }
    if (ok)
        *ok = alle;
    return bytes;
}

bool inCp1252(const QString &text)
{
    for (const QChar c : text) {
        if (cp1252Byte(c.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace PexIni

namespace {

// Decimal, or hexadecimal after "$", "0x" or "0X", with an optional sign; hexadecimal takes
// the full 32 bits ("$FFFFFFFF" is -1).
bool ganzzahlLesen(QStringView s, int &ergebnis)
{
    qsizetype i = 0;
    bool negativ = false;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
        negativ = s[i] == QLatin1Char('-');
        ++i;
    }
    int basis = 10;
    if (s.mid(i).startsWith(QLatin1Char('$'))) {
        basis = 16;
        i += 1;
    } else if (s.mid(i).startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        basis = 16;
        i += 2;
    }
    if (i >= s.size())
        return false;
    const quint64 grenze = basis == 16 ? 0xFFFFFFFFu : (negativ ? 0x80000000u : 0x7FFFFFFFu);
    quint64 wert = 0;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        int ziffer = -1;
        if (c >= u'0' && c <= u'9')
            ziffer = c - u'0';
        else if (basis == 16 && c >= u'a' && c <= u'f')
            ziffer = c - u'a' + 10;
        else if (basis == 16 && c >= u'A' && c <= u'F')
            ziffer = c - u'A' + 10;
        if (ziffer < 0)
            return false;
        wert = wert * quint64(basis) + quint64(ziffer);
        if (wert > grenze)
            return false;
    }
    const quint32 bits = negativ ? quint32(0u - quint32(wert)) : quint32(wert);
    ergebnis = int(bits);
    return true;
}

} // namespace

TpexIniFile::TpexIniFile(const QString &fileName)
    : m_fileName(fileName)
{ }

QString TpexIniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    return PexIni::lesen(m_fileName, section, key, def);
}

int TpexIniFile::readInteger(const QString &section, const QString &key, int def) const
{
    int wert = def;
    return ganzzahlLesen(readString(section, key, QString()), wert) ? wert : def;
}

QStringList TpexIniFile::readSection(const QString &section) const
{
    return PexIni::schluessel(m_fileName, section);
}

QStringList TpexIniFile::readSections() const
{
    return PexIni::sektionen(m_fileName);
}

bool TpexIniFile::sectionExists(const QString &section) const
{
    return PexIni::sektionVorhanden(m_fileName, section);
}

bool TpexIniFile::valueExists(const QString &section, const QString &key) const
{
    return PexIni::schluesselVorhanden(m_fileName, section, key);
}

void TpexIniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    if (m_sammeln) {
        m_gesammelt.append({ section, key, value });
        return;
    }
    if (!PexIni::schreiben(m_fileName, section, key, value))
        schreibFehler();
}

void TpexIniFile::SammelnBeginnen()
{
    m_sammeln = true;
    m_gesammelt.clear();
}

void TpexIniFile::SammelnAbschliessen()
{
    gesammeltesSchreiben();
    m_sammeln = false;
}

void TpexIniFile::SammelnVerwerfen()
{
    m_gesammelt.clear();
    m_sammeln = false;
}

void TpexIniFile::gesammeltesSchreiben()
{
    const QList<PexIni::Eintrag> eintraege = std::exchange(m_gesammelt, {});
    if (!eintraege.isEmpty() && !PexIni::schreibenMehrere(m_fileName, eintraege)) {
        m_sammeln = false;
        schreibFehler();
    }
}

void TpexIniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void TpexIniFile::deleteKey(const QString &section, const QString &key)
{
    gesammeltesSchreiben();
    if (!PexIni::schluesselLoeschen(m_fileName, section, key))
        schreibFehler();
}

void TpexIniFile::eraseSection(const QString &section)
{
    gesammeltesSchreiben();
    if (!PexIni::sektionLoeschen(m_fileName, section))
        schreibFehler();
}

void TpexIniFile::schreibFehler() const
{
    throw TkelFehler(QStringLiteral("In %1 kann nicht geschrieben werden").arg(m_fileName));
}
