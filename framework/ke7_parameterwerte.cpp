#include "framework/ke7_parameterwerte.h"

#include "framework/ke7_error.h"
#include "framework/ke7_str.h"

namespace {

enum StilBit { Fett = 1, Kursiv = 2, Unterstrichen = 4, Durchgestrichen = 8 };

// The toolkit's integer conversion: optional sign and decimal digits, nothing else.
int ganzzahl(const QString &feld)
{
    bool ok = false;
    const int wert = feld.toInt(&ok, 10);
    if (!ok)
        throw TkelFehler(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(feld));
    return wert;
}

struct Fontfelder
{
    QString name;
    int groesse = 0;
    int stil = 0;
    TkelFarbe farbe = 0;
};

// Every field is converted before anything is applied, so a bad string leaves the font alone.
Fontfelder fontfelderLesen(const QString &text)
{
    Fontfelder f;
    f.name = Feld(text, QLatin1Char(';'), 0);
    f.groesse = ganzzahl(Feld(text, QLatin1Char(';'), 1));
    f.stil = ganzzahl(Feld(text, QLatin1Char(';'), 2));
    f.farbe = ganzzahl(Feld(text, QLatin1Char(';'), 3));
    return f;
}

void fontfelderAnwenden(const Fontfelder &f, QFont *font)
{
    font->setFamily(f.name);
    if (f.groesse > 0)
        font->setPointSize(f.groesse);
    if (f.stil & Fett)
        font->setBold(true);
    if (f.stil & Kursiv)
        font->setItalic(true);
    if (f.stil & Unterstrichen)
        font->setUnderline(true);
    if (f.stil & Durchgestrichen)
        font->setStrikeOut(true);
}

int punktgroesse(const QFont &font)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    if (font.pointSizeF() > 0)
        return qRound(font.pointSizeF());
    // A font sized in pixels: the program works at 96 dpi.
    return qRound(font.pixelSize() * 72.0 / 96.0);
}

QString schriftText(const QFont &font, TkelFarbe farbe)
{
    int stil = 0;
    if (font.bold())
        stil |= Fett;
    if (font.italic())
        stil |= Kursiv;
    if (font.underline())
        stil |= Unterstrichen;
    if (font.strikeOut())
        stil |= Durchgestrichen;
    return font.family() + QLatin1Char(';') + QString::number(punktgroesse(font)) + QLatin1Char(';')
        + QString::number(stil) + QLatin1Char(';') + QString::number(farbe);
}

QString sauber(const QString &text)
{
    QString s = text;
    s.replace(QLatin1Char(';'), QLatin1Char(' '));
    return TrimBlanks(s) + QLatin1Char(';');
}

} // namespace

QString JaNein(bool wert)
{
    return wert ? QStringLiteral("Ja") : QStringLiteral("Nein");
}

bool IsJa(const QString &wert)
{
    static const QStringList ja = { QStringLiteral("J"), QStringLiteral("JA"), QStringLiteral("TRUE"),
        QStringLiteral("WAHR"), QStringLiteral("YES"), QStringLiteral("1") };
    return ja.contains(Grossbuchstaben(wert));
}

QString FontToString(const QFont *font)
{
    if (!font)
        return QStringLiteral("Arial;10;0;0;");
    return schriftText(*font, clWindowText);
}

QString FontToString(const TkelSchrift *schrift)
{
    if (!schrift)
        return FontToString(static_cast<const QFont *>(nullptr));
    return schriftText(schrift->font, schrift->farbe);
}

void StringToFont(const QString &text, QFont *font)
{
    if (text.isEmpty() || !font)
        return;
    fontfelderAnwenden(fontfelderLesen(text), font);
}

void StringToFont(const QString &text, TkelSchrift *schrift)
{
    if (text.isEmpty() || !schrift)
        return;
    const Fontfelder f = fontfelderLesen(text);
    fontfelderAnwenden(f, &schrift->font);
    schrift->farbe = f.farbe;
}

QColor FarbeZuQColor(TkelFarbe farbe, const QPalette &palette)
{
    const quint32 wert = quint32(farbe);
    if ((wert & 0xFF000000u) != 0xFF000000u)
        return QColor(int(wert & 0xFF), int((wert >> 8) & 0xFF), int((wert >> 16) & 0xFF));
    // System colours by their Windows index (COLOR_WINDOW = 5, COLOR_WINDOWTEXT = 8, ...).
    switch (wert & 0xFF) {
    case 4: // menu
    case 15: // button face
        return palette.color(QPalette::Button);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 16:
        return palette.color(QPalette::Dark);
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return palette.color(QPalette::ButtonText);
    case 20:
        return palette.color(QPalette::Light);
    case 21:
        return palette.color(QPalette::Shadow);
    case 22:
        return palette.color(QPalette::Midlight);
    case 23:
        return palette.color(QPalette::ToolTipText);
    case 24:
        return palette.color(QPalette::ToolTipBase);
    case 1: // desktop
    case 12: // application work space
        return palette.color(QPalette::Window);
    default: // window text, menu text, caption text and the rest
        return palette.color(QPalette::WindowText);
    }
}

TkelFarbe QColorZuFarbe(const QColor &farbe)
{
    const QColor c = farbe.toRgb();
    return TkelFarbe(c.red() | (c.green() << 8) | (c.blue() << 16));
}

QString KeyListKey(const QString &name, int index)
{
    return name + QLatin1String("_Keys_") + Zweistellig(index);
}

QString KeyListEntry(const QString &key, const QString &text)
{
    return sauber(key) + sauber(text);
}

void KeyListEntryLesen(const QString &wert, QString &key, QString &text)
{
    key = Feld(wert, QLatin1Char(';'), 0);
    text = Feld(wert, QLatin1Char(';'), 1);
}
