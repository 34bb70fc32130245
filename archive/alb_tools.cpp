#include "archive/alb_tools.h"

#include "archive/alb_titel.h"
#include "framework/ke7_date.h"
#include "framework/ke7_dir.h"
#include "framework/ke7_str.h"

#include <QSet>

#include <algorithm>

const QStringList &WochentagNamen()
{
    static const QStringList namen {
        QStringLiteral("Sonntag"),
        QStringLiteral("Montag"),
        QStringLiteral("Dienstag"),
        QStringLiteral("Mittwoch"),
        QStringLiteral("Donnerstag"),
        QStringLiteral("Freitag"),
        QStringLiteral("Samstag"),
    };
    return namen;
}

QString Wochentagname(const QDate &datum)
{
    if (!datum.isValid())
        return QString();
    // QDate counts Monday = 1 … Sunday = 7; the table starts with Sunday.
    return WochentagNamen().at(datum.dayOfWeek() % 7);
}

namespace {

bool NurZiffern(const QString &text)
{
    if (text.isEmpty())
        return false;
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QString Tagesanzeige(const QString &name, bool mitWochentag, bool mitSuffix)
{
    const QString mitBlank = name + QLatin1Char(' ');
    const QString kopf = Feld(mitBlank, QLatin1Char(' '), 0);
    const QString wort2 = Feld(mitBlank, QLatin1Char(' '), 1);

    QString ziffern = kopf;
    ziffern.remove(QLatin1Char('_'));
    ziffern.remove(QLatin1Char('-'));
    const QString suffix = ziffern.mid(8) + wort2;
    ziffern.truncate(8);
    // Only plain digits count: a sign or letters mean the name is no date.
    if (!NurZiffern(ziffern))
        return name;

    QString text;
    if (ziffern.size() == 6) {
        const int jj = ziffern.left(2).toInt();
        const int jahr = jj > 49 ? 1900 + jj : 2000 + jj;
        text = ziffern.mid(4, 2) + QLatin1Char('.') + ziffern.mid(2, 2) + QLatin1Char('.') + Vierstellig(jahr);
    } else if (ziffern.size() == 8) {
        text = ziffern.mid(6, 2) + QLatin1Char('.') + ziffern.mid(4, 2) + QLatin1Char('.') + ziffern.left(4);
    } else {
        text = ziffern;
    }

    const QDate datum = DatumLesen(text);
    if (mitWochentag && datum.isValid())
        text += QLatin1String(", ") + Wochentagname(datum);
    if (mitSuffix && !suffix.isEmpty())
        text += QLatin1String(" [") + suffix + QLatin1Char(']');
    return text;
}

QString TagAnzeige(const QString &name, bool mitWochentag)
{
    const QString text = Tagesanzeige(name, mitWochentag, true);
    return TrimBlanks(text).isEmpty() ? name : text;
}

QDate Tagesdatum(const QString &name)
{
    return DatumLesen(Tagesanzeige(name, false, true).left(10));
}

QString DatumsName(const QDate &datum, Datumsform form)
{
    switch (form) {
    case Datumsform::JJJJ_MM_TT:
        return DatumMitTrenner(QStringLiteral("_"), datum);
    case Datumsform::JJJJ_Strich_MM_TT:
        return DatumMitTrenner(QStringLiteral("-"), datum);
    case Datumsform::JJJJMMTT:
        break;
    }
    return DatumJJJJMMTT(datum);
}

namespace {

// Every run of underscores becomes a single one.
QString UnterstricheZusammenfassen(const QString &text)
{
    QString ergebnis;
    ergebnis.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('_') && ergebnis.endsWith(QLatin1Char('_')))
            continue;
        ergebnis.append(c);
    }
    return ergebnis;
}

} // namespace

QString ZielnamenStamm(const QString &grundpfad, const QString &relativerPfad, qint64 nummer, bool mitTitel)
{
    QString titel;
    if (mitTitel) {
        const qsizetype schnitt = relativerPfad.lastIndexOf(QLatin1Char('/'));
        const QString tagOrdner = MitSchraegstrich(grundpfad) + (schnitt < 0 ? QString() : relativerPfad.left(schnitt));
        const QString gelesen = AlbumTitelLesen(tagOrdner);
        if (!TextGleich(TrimBlanks(gelesen), kOhneTitel))
            titel = Umlautname(gelesen);
    }

    const QString tag = Tagesanzeige(Feld(relativerPfad, QLatin1Char('/'), 1), false, false);
    const QDate datum = DatumLesen(tag);
    QString name = datum.isValid() ? DatumsName(datum, Datumsform::JJJJ_MM_TT) : tag;
    name += QLatin1Char('_') + Vierstellig(nummer);
    if (!titel.isEmpty())
        name += QLatin1Char('_') + titel;
    return UnterstricheZusammenfassen(name);
}

QString Zielname(const QString &grundpfad, const QString &relativerPfad, qint64 nummer, bool mitTitel,
    const QString &praefix, const QString &zielordner)
{
    return MitSchraegstrich(zielordner) + Umlautname(praefix)
        + ZielnamenStamm(grundpfad, relativerPfad, nummer, mitTitel) + QLatin1String(".jpg");
}

bool IstJahresname(const QString &name)
{
    if (!NurZiffern(name))
        return false;
    bool ok = false;
    const int jahr = name.toInt(&ok);
    return ok && jahr > 0;
}

TkelKeyItems JahresListe(const QString &grundpfad)
{
    QStringList namen;
    VerzeichnisseToItems(grundpfad, namen);
    // Plain code order first, so names equal but for case come out the same on every file system.
    std::sort(namen.begin(), namen.end());
    TextSortieren(namen);

    const QString basis = MitSchraegstrich(grundpfad);
    TkelKeyItems jahre;
    QSet<QString> schluessel;
    for (const QString &name : std::as_const(namen)) {
        if (!IstJahresname(name))
            continue;
        const QString key = basis + name;
        const QString gefaltet = key.toCaseFolded();
        if (schluessel.contains(gefaltet))
            continue;
        schluessel.insert(gefaltet);
        jahre.append(TkelKeyItem { name, key });
    }
    return jahre;
}

QStringList FotoListe(const QString &tagOrdner)
{
    QStringList fotos;
    DateienMitPfadToItems(tagOrdner, QStringLiteral("*.jpg"), fotos, true);
    DateienMitPfadToItems(tagOrdner, QStringLiteral("*.jpeg"), fotos, false);
    std::sort(fotos.begin(), fotos.end());
    TextSortieren(fotos);
    return fotos;
}

QString RelativerFotoPfad(const QString &grundpfad, const QString &pfad)
{
    const QString basis = MitSchraegstrich(grundpfad);
    if (basis.isEmpty() || !pfad.startsWith(basis))
        return pfad;
    return pfad.mid(basis.size());
}
