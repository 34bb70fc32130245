// Arbitrary bytes as an ini file: every reader, then a write, a key delete and a section
// erase. Besides crashes, hangs and sanitizer reports, a broken invariant aborts: a written
// value must read back, a write must not change the names of the other sections, a refused
// write must leave the bytes alone, and no temporary file may stay behind.

#include "framework/pex_ini.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void Pruefen(bool bedingung)
{
    if (!bedingung)
        std::abort();
}

// fsync is nearly free on tmpfs, so the fuzzer spends its time in the parser.
const QString &Ordner()
{
    static QTemporaryDir dir((QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
        + QLatin1String("/fuzz_ini-XXXXXX"));
    static const QString pfad = dir.path() + QLatin1Char('/');
    return pfad;
}

QByteArray Lesen(const QString &pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Leer(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x0B) || c == QChar(0x0C) || c == QChar(0x1A);
}

// A value the reader hands back unchanged: no blanks at the ends, no enclosing quotes, not
// longer than the read limit.
bool Lesbar(const QString &v)
{
    if (v.size() > 2047 || v.contains(QLatin1Char('\r')) || v.contains(QLatin1Char('\n')))
        return false;
    if (!v.isEmpty() && (Leer(v.front()) || Leer(v.back())))
        return false;
    return !(
        v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) && v.back() == v.front());
}

int ErsteStelle(const QStringList &liste, const QString &name)
{
    for (int i = 0; i < liste.size(); ++i) {
        if (liste[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    if (groesse > 65536)
        return 0;
    const QByteArray inhalt(reinterpret_cast<const char *>(daten), qsizetype(groesse));
    const QString datei = Ordner() + QLatin1String("t.ini");
    {
        QFile f(datei);
        Pruefen(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        Pruefen(f.write(inhalt) == inhalt.size());
    }

    const QStringList vorher = PexIni::sektionen(datei);
    for (const QString &s : vorher.mid(0, 8)) {
        Pruefen(PexIni::sektionVorhanden(datei, s));
        const QStringList keys = PexIni::schluessel(datei, s);
        for (const QString &k : keys.mid(0, 8)) {
            Pruefen(PexIni::schluesselVorhanden(datei, s, k));
            Pruefen(PexIni::lesen(datei, s, k).size() <= 2047);
        }
    }

    // Names taken from the file can always be written; the value comes from the input's
    // tail, or holds characters outside Windows-1252 to force the change to UTF-16.
    const uint8_t wahl = groesse > 0 ? daten[0] : 0;
    const QString s = vorher.isEmpty() ? QStringLiteral("s") : vorher[wahl % vorher.size()];
    const QStringList keys = PexIni::schluessel(datei, s);
    const QString k = keys.isEmpty() ? QStringLiteral("k") : keys[(wahl / 7) % keys.size()];
    const QString wert = (wahl & 1) ? QString::fromLatin1(inhalt.right(24)) : QStringLiteral("Čapek 漢");
    const bool sektionNeu = !PexIni::sektionVorhanden(datei, s);
    const QStringList keysVorher = PexIni::schluessel(datei, s);

    const bool ok = PexIni::schreiben(datei, s, k, wert);
    Pruefen(ok == !(wert.contains(QLatin1Char('\r')) || wert.contains(QLatin1Char('\n'))));
    if (!ok) {
        Pruefen(Lesen(datei) == inhalt);
    } else {
        if (Lesbar(wert))
            Pruefen(PexIni::lesen(datei, s, k) == wert);
        Pruefen(PexIni::sektionen(datei) == (sektionNeu ? vorher + QStringList { s } : vorher));
        const QStringList keysNachher = PexIni::schluessel(datei, s);
        Pruefen(keysNachher.size() == keysVorher.size() + (keysVorher.contains(k, Qt::CaseInsensitive) ? 0 : 1));
    }
    const QStringList nachSchreiben = PexIni::sektionen(datei);

    const QStringList keysVorLoeschen = PexIni::schluessel(datei, s);
    Pruefen(PexIni::schluesselLoeschen(datei, s, k));
    Pruefen(PexIni::sektionen(datei) == nachSchreiben);
    Pruefen(PexIni::schluessel(datei, s).size()
        == keysVorLoeschen.size() - (keysVorLoeschen.contains(k, Qt::CaseInsensitive) ? 1 : 0));

    Pruefen(PexIni::sektionLoeschen(datei, s));
    QStringList erwartet = nachSchreiben;
    const int stelle = ErsteStelle(erwartet, s);
    if (stelle >= 0)
        erwartet.removeAt(stelle);
    Pruefen(PexIni::sektionen(datei) == erwartet);

    Pruefen(QDir(Ordner()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
        == QStringList { QStringLiteral("t.ini") });
    return 0;
}
