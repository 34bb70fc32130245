#include "archive/alb_titelung.h"

#include "archive/alb_titelstore.h"
#include "archive/alb_tools.h"
#include "framework/ke7_error.h"

namespace {

QString ohneSchraegstrich(const QString &pfad)
{
    QString p = pfad;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

} // namespace

QString TitelSpeichern(const QString &grundpfad, const QString &jahresOrdner, const QString &jahresText,
    const QString &tagKey, const QString &titel, bool mitWochentag)
{
    // Checked first: a year that cannot name its base section must not leave the day and
    // year stores ahead of the base store.
    bool ok = false;
    const int jahr = jahresText.trimmed().toInt(&ok);
    if (!ok)
        throw TkelFehler(QLatin1Char('\'') + jahresText + QLatin1String("' ist kein gültiger Integerwert"));

    const QString key = ohneSchraegstrich(tagKey);
    // The whole folder name, dots included: "2012.03.15 Fest" is one section, not a path.
    const QString name = key.mid(key.lastIndexOf(QLatin1Char('/')) + 1);

    AlbumTitelSchreiben(key + QLatin1Char('/'), titel);
    JahresTitelSchreiben(jahresOrdner, name, titel);
    GrundTitelSchreiben(grundpfad, jahr, name, titel);
    return TagAnzeige(name, mitWochentag) + QLatin1String(" - ") + titel;
}
