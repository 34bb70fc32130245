#include "framework/pexedit.h"

#include "framework/ke7_error.h"
#include "framework/ke7_qtuiservices.h"
#include "framework/ke7_str.h"
#include "framework/ke7_sys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QTimer>

#include <cmath>

namespace {

QLocale deutsch()
{
    QLocale l(QLocale::German, QLocale::Germany);
    l.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return l;
}

int alsInteger(const QString &text)
{
    const QString t = TrimBlanks(text);
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const int wert = t.toInt(&ok);
    if (!ok)
        throw TkelFehler(QLatin1Char('\'') + text + QStringLiteral("' ist kein gültiger Integerwert"));
    return wert;
}

double alsZahl(const QString &text)
{
    bool ok = false;
    const double wert = deutsch().toDouble(TrimBlanks(text), &ok);
    if (!ok || !std::isfinite(wert))
        throw TkelFehler(QLatin1Char('\'') + text + QStringLiteral("' ist kein gültiger Gleitkommawert"));
    return wert;
}

} // namespace

TpexEdit::TpexEdit(QWidget *parent, TkelUiServices *ui)
    : QLineEdit(parent)
    , m_ui(ui)
{ }

void TpexEdit::setUiServices(TkelUiServices *ui)
{
    m_ui = ui;
}

TkelUiServices &TpexEdit::ui()
{
    if (m_ui)
        return *m_ui;
    static TkelQtUiServices echt;
    return echt;
}

void TpexEdit::setDataType(TpexDataType typ)
{
    m_typ = typ;
    ausrichten();
}

int TpexEdit::IntegerWert() const
{
    return alsInteger(text());
}

void TpexEdit::setIntegerWert(int wert)
{
    if (m_typ == TpexDataType::pexdtWord && wert < 0)
        throw TkelFehler(QStringLiteral("Wert kann nicht nagativ sein"));
    setText(QString::number(wert));
}

QString TpexEdit::Normalform() const
{
    const QString t = text();
    if (TrimBlanks(t).isEmpty())
        return QString();
    switch (m_typ) {
    case TpexDataType::pexdtText:
        return t;
    case TpexDataType::pexdtWord: {
        const int wert = alsInteger(t);
        if (wert < 0)
            throw TkelFehler(QStringLiteral("Wert kann nicht nagativ sein"));
        return QString::number(wert);
    }
    case TpexDataType::pexdtInteger:
        return QString::number(alsInteger(t));
    case TpexDataType::pexdtFloat:
        return deutsch().toString(alsZahl(t), 'g', 15);
    case TpexDataType::pexdtCurrency: {
        // A currency keeps four decimals; trailing zeros are not shown.
        QString s = deutsch().toString(std::round(alsZahl(t) * 10000.0) / 10000.0, 'f', 4);
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(Dezimaltrenner()))
            s.chop(1);
        return s == QLatin1String("-0") ? QStringLiteral("0") : s;
    }
    }
    return t;
}

bool TpexEdit::zeichenErlaubt(QChar c) const
{
    if (c.unicode() < 0x20 || c.unicode() == 0x7f)
        return true;
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return true;
    if (m_typ == TpexDataType::pexdtWord)
        return false;
    if (c == QLatin1Char('+') || c == QLatin1Char('-'))
        return true;
    if (m_typ == TpexDataType::pexdtInteger)
        return false;
    if (c != Dezimaltrenner())
        return false;
    // A second separator is refused; one inside the selection is about to be replaced.
    QString rest = text();
    if (hasSelectedText())
        rest.remove(selectionStart(), selectedText().size());
    return !rest.contains(Dezimaltrenner());
}

void TpexEdit::keyPressEvent(QKeyEvent *event)
{
    if (istZahl() && !isReadOnly()) {
        const QString t = event->text();
        for (const QChar c : t) {
            if (!zeichenErlaubt(c)) {
                ui().beep();
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TpexEdit::ausrichten()
{
    setAlignment(istZahl() && !hasFocus() ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
}

void TpexEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    ausrichten();
}

void TpexEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Switching to another window or opening a menu does not leave the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    ausrichten();
    if (!istZahl())
        return;
    try {
        const QString normal = Normalform();
        if (normal != text())
            setText(normal);
    } catch (const TkelFehler &fehler) {
        // Not from inside the focus change: the message box would fight with it.
        const QString meldung = fehler.text();
        QTimer::singleShot(0, this, [this, meldung] {
            Fehlermeldung(ui(), meldung);
            setFocus(Qt::OtherFocusReason);
        });
    }
}
