#include "archive/alb_titelexport.h"

#include "archive/alb_titel.h"
#include "archive/alb_tools.h"
#include "framework/ke7_fortschritt.h"
#include "framework/ke7_str.h"
#include "framework/ke7_sys.h"
#include "framework/ke7_textdatei.h"
#include "framework/pex_ini.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString kTitelname = QStringLiteral("TITELNAME");

QString ohneSchraegstrich(const QString &pfad)
{
    QString p = pfad;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

// The file the day list reads; another spelling (VERZEICHNIS.DAT from a Windows disk) only
// when that one is missing, as a case-insensitive file system would find it.
QString jahresDatei(const QString &jahresKey)
{
    const QString genau = jahresKey + QLatin1Char('/') + kVerzeichnisDat;
    return QFileInfo(genau).isFile() ? genau : TitelDateiPfad(jahresKey, kVerzeichnisDat);
}

} // namespace

QStringList TitelExportZeilen(TkelFortschritt &meter, const TkelKeyItems &jahre)
{
    QStringList zeilen;
    meter.StartWarten(int(jahre.size()), false);
    try {
        for (const TkelKeyItem &jahr : jahre) {
            const QString key = ohneSchraegstrich(jahr.key);
            zeilen.append(key);
            const QString f = jahresDatei(key);
            meter.SchrittMitTitel(f);
            QList<PexIni::Eintrag> tage = PexIni::alleWerte(f, kTitelname);
            std::stable_sort(tage.begin(), tage.end(), [](const PexIni::Eintrag &a, const PexIni::Eintrag &b) {
                return TextVergleich(a.section, b.section) < 0;
            });
            for (const PexIni::Eintrag &t : std::as_const(tage))
                zeilen.append(TagAnzeige(t.section, false) + QLatin1String(" - ") + t.wert);
        }
    } catch (...) {
        meter.Beenden(false);
        throw;
    }
    meter.Beenden(false);
    return zeilen;
}

bool TitelExportieren(TkelUiServices &ui, TkelFortschritt &meter, const TkelKeyItems &jahre, QString &exportDatei)
{
    QString pfad = exportDatei;
    if (!DateiSpeichernDialog(ui, QStringLiteral("Alle Titel exportieren nach:"), QStringLiteral("*.txt"), pfad))
        return false;
    if (!DateiBeschreibbar(pfad, &ui))
        return false;
    exportDatei = pfad;
    // Collected first and written in one go: a failure on the way leaves the old file whole.
    TextdateiSchreiben(pfad, TitelExportZeilen(meter, jahre));
    return true;
}
