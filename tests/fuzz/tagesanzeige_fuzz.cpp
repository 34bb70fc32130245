// Arbitrary bytes as day-folder names (read as UTF-8 and as raw UTF-16) into the day display,
// the day date, the export names and the safe-name functions. Besides crashes and sanitizer
// reports, a broken invariant of these functions aborts.

#include "archive/alb_tools.h"
#include "framework/ke7_date.h"
#include "framework/ke7_str.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void Pruefen(bool bedingung)
{
    if (!bedingung)
        std::abort();
}

bool NurSichereZeichen(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'z') || u == u'_'))
            return false;
    }
    return true;
}

// A base folder that exists and holds one day with an Album.dat, so titles are read too.
const QString &Grundpfad()
{
    static QTemporaryDir dir(QDir::tempPath() + QLatin1String("/fuzz_tagesanzeige-XXXXXX"));
    static const QString pfad = [] {
        const QString p = dir.path() + QLatin1Char('/');
        QDir().mkpath(p + QLatin1String("2012/20120315"));
        QFile f(p + QLatin1String("2012/20120315/Album.dat"));
        if (f.open(QIODevice::WriteOnly))
            f.write("[TITEL]\r\nTITELNAME=Urlaub \xe4n der  Ostsee\r\n");
        return p;
    }();
    return pfad;
}

void NamePruefen(const QString &name, bool mitTitel)
{
    const QString nackt = Tagesanzeige(name, false, false);
    const QString voll = Tagesanzeige(name, true, true);
    Pruefen(voll.startsWith(nackt));
    Pruefen(Tagesanzeige(name, false, true).startsWith(nackt));
    Pruefen(Tagesanzeige(name, true, false).startsWith(nackt));
    // A name that is no date comes back unchanged, else the date part has 10 characters or
    // is made of the (fewer or more than 6 or 8) digits.
    Pruefen(nackt == name || nackt.size() <= 10);

    const QString anzeige = TagAnzeige(name, true);
    Pruefen(anzeige.isEmpty() == name.isEmpty());

    const QDate datum = Tagesdatum(name);
    if (datum.isValid()) {
        Pruefen(datum.year() >= 1 && datum.year() <= 9999);
        Pruefen(DatumLesen(DatumText(datum)) == datum);
        Pruefen(Tagesanzeige(name, false, true).left(10) == DatumText(datum));
    }

    Pruefen(NurSichereZeichen(Umlautname(name)));
    const QString datei = Dateiname(name);
    Pruefen(!datei.contains(QLatin1Char(' ')));
    Pruefen(ZeichenErsetzen(datei, QLatin1Char('#')) == datei);

    // The day name lands in field 1 of the relative path; whatever it holds, the target
    // stays a file directly in the target folder.
    const QString ziel = QStringLiteral("/ziel/");
    const QString relativ = QLatin1String("2012/") + name + QLatin1String("/IMG 1.JPG");
    const QString z = Zielname(Grundpfad(), relativ, 7, mitTitel, name, ziel);
    Pruefen(z.startsWith(ziel));
    Pruefen(z.endsWith(QLatin1String(".jpg")));
    Pruefen(!z.mid(ziel.size()).contains(QLatin1Char('/')));
    Pruefen(!ZielnamenStamm(Grundpfad(), relativ, 7, mitTitel).contains(QLatin1String("__")));

    const int n = name.isEmpty() ? 0 : name.at(0).unicode() % 5;
    const QString feld = Feld(name, QLatin1Char(' '), n);
    Pruefen(n == 0 || (!feld.startsWith(QLatin1Char(' ')) && !feld.endsWith(QLatin1Char(' '))));
    Pruefen(TrimBlanks(TrimBlanks(name)) == TrimBlanks(name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    if (groesse > 4096)
        return 0;
    const bool mitTitel = groesse > 0 && (daten[0] & 1);
    NamePruefen(QString::fromUtf8(reinterpret_cast<const char *>(daten), qsizetype(groesse)), mitTitel);

    // The same bytes as UTF-16, lone surrogates and all.
    QString utf16(qsizetype(groesse / 2), Qt::Uninitialized);
    if (!utf16.isEmpty())
        std::memcpy(utf16.data(), daten, (groesse / 2) * 2);
    NamePruefen(utf16, mitTitel);
    return 0;
}
