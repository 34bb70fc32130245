#include "framework/ke7_date.h"

#include "framework/ke7_str.h"

QString DatumMitTrenner(const QString &trenner, const QDate &datum)
{
    if (!datum.isValid())
        return QString();
    return FuehrendeNullen(datum.year(), 4) + trenner + Zweistellig(datum.month()) + trenner + Zweistellig(datum.day());
}

QString DatumJJJJMMTT(const QDate &datum)
{
    return DatumMitTrenner(QString(), datum);
}

QString JahrText(const QDate &datum)
{
    return datum.isValid() ? QString::number(datum.year()) : QString();
}

QDate JahresAnfang(int jahr)
{
    return QDate(jahr, 1, 1);
}

QString DatumText(const QDate &datum)
{
    if (!datum.isValid())
        return QString();
    return Zweistellig(datum.day()) + QLatin1Char('.') + Zweistellig(datum.month()) + QLatin1Char('.')
        + FuehrendeNullen(datum.year(), 4);
}

namespace {

// Value of `anzahl` ASCII digits from `start`, or -1 when one of them is no digit.
int Ziffern(const QString &text, int start, int anzahl)
{
    int wert = 0;
    for (int i = start; i < start + anzahl; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        wert = wert * 10 + (c - u'0');
    }
    return wert;
}

} // namespace

QDate DatumLesen(const QString &text)
{
    if (text.size() != 10 || text.at(2) != QLatin1Char('.') || text.at(5) != QLatin1Char('.'))
        return QDate();
    const int tag = Ziffern(text, 0, 2);
    const int monat = Ziffern(text, 3, 2);
    const int jahr = Ziffern(text, 6, 4);
    if (tag < 0 || monat < 0 || jahr < 0)
        return QDate();
    // QDate(0, …) is already invalid: there is no year 0.
    return QDate(jahr, monat, tag);
}
