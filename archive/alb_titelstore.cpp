#include "archive/alb_titelstore.h"

#include "archive/alb_titel.h"
#include "archive/alb_tools.h"
#include "framework/ke7_date.h"
#include "framework/ke7_dir.h"
#include "framework/ke7_error.h"
#include "framework/ke7_fortschritt.h"
#include "framework/ke7_str.h"
#include "framework/ke7_sys.h"
#include "framework/pex_ini.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

const QString kTitel = QStringLiteral("TITEL");
const QString kTitelname = QStringLiteral("TITELNAME");

[[noreturn]] void schreibFehler(const QString &datei)
{
    throw TkelFehler(QLatin1String("Die Datei\r") + datei + QLatin1String("\rkann nicht geschrieben werden."));
}

void schreiben(const QString &datei, const QString &section, const QString &key, const QString &wert)
{
    if (!PexIni::schreiben(datei, section, key, wert))
        schreibFehler(datei);
}

QString ohneSchraegstrich(const QString &ordner)
{
    QString o = ordner;
    while (o.size() > 1 && o.endsWith(QLatin1Char('/')))
        o.chop(1);
    return o;
}

struct Satz
{
    QString tage; // 255
    QString titel; // 1024
    QString sortierungnach;
};

} // namespace

void AlbumTitelSchreiben(const QString &tagOrdner, const QString &titel)
{
    schreiben(TitelDateiPfad(tagOrdner, kAlbumDat), kTitel, kTitelname, titel);
}

void JahresTitelSchreiben(const QString &jahresOrdner, const QString &tag, const QString &titel)
{
    schreiben(TitelDateiPfad(jahresOrdner, kVerzeichnisDat), tag, kTitelname, titel);
}

void GrundTitelSchreiben(const QString &grundpfad, int jahr, const QString &tag, const QString &titel)
{
    schreiben(MitSchraegstrich(grundpfad) + kVerzeichnisDat, QString::number(jahr), tag, titel);
}

QString Sortierschluessel(const QString &tagName, const QString &titel)
{
    const QDate d = Tagesdatum(tagName);
    const QString datum = d.isValid() ? DatumJJJJMMTT(d) : QStringLiteral("99999999");
    return (datum + QLatin1String(" - ") + titel).left(20);
}

static QString tagesText(const QString &tag, const QString &titel, bool mitWochentag)
{
    return TagAnzeige(tag, mitWochentag) + QLatin1String(" - ") + titel;
}

bool TitelstoreNeuAufbauen(TkelUiServices &ui, TkelFortschritt &meter, const QString &jahresKey,
    const QString &jahresText, const QString &verzeichnisDat, bool mitWochentag, TkelKeyItems &tage)
{
    if (jahresKey.isEmpty())
        return false;
    const QString jahr = ohneSchraegstrich(jahresKey);
    const QString f = jahr + QLatin1Char('/') + kVerzeichnisDat;
    if (!DateiBeschreibbar(f, &ui))
        return false;
    // The base file must take the year's new section too; find out before the year file is gone.
    if (!DateiBeschreibbar(verzeichnisDat, &ui))
        return false;

    QStringList namen;
    VerzeichnisseToItems(jahr, namen);

    // Read every title before anything is deleted, so a failure here changes nothing.
    QList<Satz> saetze;
    saetze.reserve(namen.size());

    meter.StartEinfach(false);
    try {
        meter.NeustartWarten(2 * int(namen.size()));
        for (const QString &n : std::as_const(namen)) {
            const QString titel = AlbumTitelLesen(jahr + QLatin1Char('/') + n);
            meter.SchrittMitTitel(
                TagAnzeige(n, mitWochentag) + (titel.isEmpty() ? QString() : QLatin1String(" - ") + titel));
            saetze.append({ n.left(255), titel.left(1024), Sortierschluessel(n, titel.left(1024)) });
        }
        std::stable_sort(saetze.begin(), saetze.end(),
            [](const Satz &a, const Satz &b) { return TextVergleich(a.sortierungnach, b.sortierungnach) < 0; });

        if (QFileInfo::exists(f) && !QFile::remove(f))
            schreibFehler(f);
        if (!PexIni::sektionLoeschen(verzeichnisDat, jahresText))
            schreibFehler(verzeichnisDat);

        QList<PexIni::Eintrag> jahresDatei;
        QList<PexIni::Eintrag> grundDatei;
        jahresDatei.reserve(saetze.size());
        grundDatei.reserve(saetze.size());
        for (const Satz &s : std::as_const(saetze)) {
            jahresDatei.append({ s.tage, kTitelname, s.titel });
            grundDatei.append({ jahresText, s.tage, s.titel });
        }
        if (!PexIni::schreibenMehrere(f, jahresDatei))
            schreibFehler(f);
        if (!PexIni::schreibenMehrere(verzeichnisDat, grundDatei))
            schreibFehler(verzeichnisDat);

        tage.clear();
        QSet<QString> keys;
        for (const Satz &s : std::as_const(saetze)) {
            const QString key = jahr + QLatin1Char('/') + s.tage;
            const QString text = tagesText(s.tage, s.titel, mitWochentag);
            if (!keys.contains(key.toCaseFolded())) {
                keys.insert(key.toCaseFolded());
                tage.append({ text, key });
            }
            meter.SchrittMitTitel(text);
        }
    } catch (...) {
        meter.Beenden(false);
        throw;
    }
    meter.Beenden(false);
    return true;
}

bool TageLaden(const QString &jahresKey, bool mitWochentag, TkelKeyItems &tage)
{
    const QString jahr = ohneSchraegstrich(jahresKey);
    const QString f = jahr + QLatin1Char('/') + kVerzeichnisDat;
    if (!QFileInfo(f).isFile())
        return false;
    tage.clear();
    QSet<QString> keys;
    const QList<PexIni::Eintrag> eintraege = PexIni::alleWerte(f, kTitelname);
    for (const PexIni::Eintrag &e : eintraege) {
        const QString key = jahr + QLatin1Char('/') + e.section;
        if (keys.contains(key.toCaseFolded()))
            continue;
        keys.insert(key.toCaseFolded());
        tage.append({ tagesText(e.section, e.wert, mitWochentag), key });
    }
    return true;
}
