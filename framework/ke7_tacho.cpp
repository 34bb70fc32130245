#include "framework/ke7_tacho.h"

#include "framework/ke7_sys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QTimer>
#include <QWindow>

#include <limits>

// The shared progress window. The user cannot close it; it keeps the windows it disabled,
// so whichever meter removes it gives them back.
class TkelTachoFenster : public QWidget
{
public:
    TkelTachoFenster()
        : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    { }

    QLabel *caption = nullptr;
    QLabel *restzeit = nullptr;
    QLabel *verstrichen = nullptr;
    QProgressBar *balken = nullptr;
    QPushButton *abbruch = nullptr;
    QTimer *timer = nullptr;
    QList<QPointer<QWidget>> deaktiviert;
    QPointer<QWidget> vorherAktiv;

protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};

namespace {

QPointer<TkelTachoFenster> s_fenster;
int s_ebene = -1;
constexpr qint64 Nie = std::numeric_limits<qint64>::min() / 2;
constexpr int Breite = 364;
constexpr int ZeilenBreite = 337;
constexpr int ZeilenHoehe = 13;
constexpr int Links = 14;

// Durations of 24 hours or more show the part below 24 hours, as a time of day would.
QString Dauer(qint64 ms)
{
    constexpr qint64 Tag = 24 * 3600 * 1000;
    ms = qMax<qint64>(ms, 0) % Tag;
    return QTime(0, 0).addMSecs(int(ms)).toString(QStringLiteral("HH:mm:ss"));
}

QLabel *zeile(QWidget *eltern, const char *name, int y, const QColor &farbe, const QString &text)
{
    auto *la = new QLabel(text, eltern);
    la->setObjectName(QLatin1String(name));
    la->setGeometry(Links, y, ZeilenBreite, ZeilenHoehe);
    la->setAlignment(Qt::AlignCenter);
    QFont f = la->font();
    f.setBold(true);
    // The lines are 13 pixels high by design.
    f.setPixelSize(11);
    la->setFont(f);
    QPalette p = la->palette();
    p.setColor(QPalette::WindowText, farbe);
    la->setPalette(p);
    return la;
}

} // namespace

TkelTacho::TkelTacho(QObject *owner, TkelUiServices &ui)
    : QObject(owner)
    , m_ui(ui)
    , m_uhr([] { return QDateTime::currentMSecsSinceEpoch(); })
    , m_aktivZeit(Nie)
    , m_zeitAnzeige(Nie)
{ }

TkelTacho::~TkelTacho()
{
    setAktiv(false);
}

QWidget *TkelTacho::Fortschrittsfenster()
{
    return s_fenster.data();
}

int TkelTacho::Ebene()
{
    return s_ebene;
}

void TkelTacho::setUhr(Uhr uhr)
{
    m_uhr = std::move(uhr);
}

qint64 TkelTacho::jetzt() const
{
    return m_uhr();
}

void TkelTacho::Start(const QString &titel, int gesamt, bool mitAbbruch)
{
    m_titel = titel;
    setFormCaption(m_caption);
    TkelTachoOptions o
        = TkelTachoOption::doLabel | TkelTachoOption::doModal | TkelTachoOption::doSmooth | TkelTachoOption::doZeit;
    if (mitAbbruch)
        o |= TkelTachoOption::doCancel;
    setOptions(o);
    setPosition(0);
    setMax(gesamt);
    if (!m_aktiv)
        setAktiv(true);
}

void TkelTacho::Neustart(const QString &fensterTitel, int gesamt)
{
    setFormCaption(fensterTitel);
    setPosition(0);
    setMax(gesamt);
    m_schaetzBasis = jetzt();
    if (m_aktiv) {
        if (m_fenster && m_fenster->abbruch)
            m_fenster->abbruch->setEnabled(true);
    } else {
        setAktiv(true);
    }
}

void TkelTacho::SchrittUm(int n)
{
    if (s_ebene != 0)
        return;
    setPosition(m_position + n);
    if (m_options.testFlag(TkelTachoOption::doLabel) && m_fenster && m_fenster->caption) {
        const double prozent = m_max > 0 ? double(m_position) / m_max * 100.0 : 0.0;
        const QLocale deutsch(QLocale::German, QLocale::Germany);
        m_fenster->caption->setText(
            QStringLiteral("%1 / %2 = %3 %").arg(m_position).arg(m_max).arg(deutsch.toString(prozent, 'f', 2)));
    }
    if (m_options.testFlag(TkelTachoOption::doZeit) && m_fenster && m_fenster->restzeit) {
        const qint64 t = jetzt();
        const qint64 vergangen = t - m_schaetzBasis;
        const double proStueck = m_position > 0 ? double(vergangen) / m_position : double(vergangen);
        const qint64 rest = qint64(qMax(0, m_max - m_position) * proStueck);
        if (t - m_zeitAnzeige > 1000) {
            m_zeitAnzeige = t;
            m_fenster->restzeit->setText(QStringLiteral("verbleibende Zeit = %1 ").arg(Dauer(rest)));
            m_fenster->verstrichen->setText(QStringLiteral("verstrichene Zeit = %1 ").arg(Dauer(vergangen)));
        }
    }
    QCoreApplication::processEvents();
}

void TkelTacho::SchrittMitTitel(const QString &text)
{
    setFormCaption(text);
    SchrittUm(1);
}

void TkelTacho::Beenden(bool mitMeldung)
{
    const qint64 dauer = m_aktivZeit == Nie ? 0 : jetzt() - m_aktivZeit;
    if (mitMeldung) {
        if (!s_fenster || !s_fenster->isVisible())
            m_ui.beep();
        Meldung(m_ui,
            m_titel + QStringLiteral(" nach ") + Dauer(dauer)
                + (m_abgebrochen ? QStringLiteral(" abgebrochen.") : QStringLiteral(" beendet.")));
    }
    setAktiv(false);
}

void TkelTacho::setPosition(int wert)
{
    m_position = wert;
    if (m_aktiv)
        BalkenSetzen();
}

void TkelTacho::setMax(int wert)
{
    m_max = wert;
    if (m_aktiv)
        BalkenSetzen();
}

void TkelTacho::BalkenSetzen()
{
    if (!m_fenster || !m_fenster->balken)
        return;
    // A range of 0..0 would turn the bar into a busy indicator.
    const int oben = qMax(m_max, 1);
    m_fenster->balken->setRange(0, oben);
    m_fenster->balken->setValue(m_max > 0 ? qBound(0, m_position, oben) : 0);
}

void TkelTacho::setCaption(const QString &text)
{
    if (text == m_caption)
        return;
    m_caption = text;
    if (m_aktiv && m_fenster && m_fenster->caption) {
        m_fenster->caption->setText(text);
        QCoreApplication::processEvents();
    }
}

void TkelTacho::setFormCaption(const QString &text)
{
    if (s_ebene > 0)
        return;
    m_formCaption = text;
    if (m_aktiv && s_fenster)
        s_fenster->setWindowTitle(text);
}

void TkelTacho::setOptions(TkelTachoOptions options)
{
    if (!m_aktiv)
        m_options = options;
}

void TkelTacho::setInterval(int ms)
{
    m_interval = ms;
    if (m_aktiv && m_fenster && m_fenster->timer)
        m_fenster->timer->setInterval(ms);
}

void TkelTacho::setAktiv(bool wert)
{
    if (wert == m_aktiv)
        return;
    m_aktiv = wert;
    if (wert) {
        m_abgebrochen = false;
        m_aktivZeit = jetzt();
        m_schaetzBasis = m_aktivZeit;
        if (s_ebene < 0)
            FensterBauen();
        ++s_ebene;
        QCoreApplication::processEvents();
    } else {
        if (s_ebene == 0)
            FensterSchliessen();
        --s_ebene;
    }
}

void TkelTacho::FensterBauen()
{
    auto *f = new TkelTachoFenster;
    f->setObjectName(QStringLiteral("Fortschrittsfenster"));
    f->setWindowTitle(m_titel);

    auto *panel = new QFrame(f);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    int y = 14;
    if (m_options.testFlag(TkelTachoOption::doLabel)) {
        f->caption = zeile(f, "la_Caption", 14, Qt::blue, m_caption);
        y = ZeilenHoehe + 19;
    }
    if (m_options.testFlag(TkelTachoOption::doZeit)) {
        const QString vorbereitung = QStringLiteral("Vorbereitung ...");
        f->restzeit = zeile(f, "la_Restzeit", y, Qt::darkRed, vorbereitung);
        f->verstrichen = zeile(f, "la_Verstrichen", y + ZeilenHoehe + 5, Qt::darkGreen, vorbereitung);
        y += 2 * ZeilenHoehe + 10;
    }
    f->balken = new QProgressBar(f);
    f->balken->setObjectName(QStringLiteral("pb_Fortschritt"));
    f->balken->setGeometry(Links, y, ZeilenBreite, 15);
    f->balken->setTextVisible(false);
    y += 15 + 5;
    if (m_options.testFlag(TkelTachoOption::doCancel)) {
        f->abbruch = new QPushButton(QStringLiteral("Abbruch"), f);
        f->abbruch->setObjectName(QStringLiteral("bb_Abbruch"));
        f->abbruch->setGeometry(145, y + 5, 75, 25);
        connect(f->abbruch, &QPushButton::clicked, this, &TkelTacho::AbbruchGeklickt);
        y += 25 + 5;
    }
    if (m_options.testFlag(TkelTachoOption::doAutomatic)) {
        f->timer = new QTimer(f);
        f->timer->setInterval(m_interval);
        QProgressBar *balken = f->balken;
        connect(f->timer, &QTimer::timeout, balken, [balken] {
            balken->setValue(balken->value() >= balken->maximum() ? balken->minimum() : balken->value() + 1);
        });
        f->timer->start();
    }
    const int hoehe = y + 9;
    f->setFixedSize(Breite, hoehe);
    panel->setGeometry(0, 0, Breite, hoehe);
    panel->lower();

    m_fenster = f;
    s_fenster = f;
    BalkenSetzen();

    // Centred over the window the meter belongs to.
    QWidget *haupt = nullptr;
    if (auto *w = qobject_cast<QWidget *>(parent()))
        haupt = w->window();
    if (!haupt || !haupt->isVisible())
        haupt = QApplication::activeWindow();
    QRect bereich;
    if (haupt)
        bereich = haupt->frameGeometry();
    else if (QScreen *s = QGuiApplication::primaryScreen())
        bereich = s->availableGeometry();
    if (bereich.isValid())
        f->move(bereich.center() - QPoint(Breite / 2, hoehe / 2));
    if (haupt) {
        f->winId();
        if (QWindow *eigen = f->windowHandle(); eigen && haupt->windowHandle())
            eigen->setTransientParent(haupt->windowHandle());
    }

    if (m_options.testFlag(TkelTachoOption::doModal)) {
        f->vorherAktiv = QApplication::activeWindow();
        const QWidgetList fenster = QApplication::topLevelWidgets();
        for (QWidget *w : fenster) {
            if (w == f || !w->isVisible() || !w->isEnabled())
                continue;
            if (w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip)
                continue;
            w->setEnabled(false);
            f->deaktiviert.append(w);
        }
        // Boxes opened while the meter shows (the cancel question) then belong to it.
        f->setWindowModality(Qt::ApplicationModal);
    }
    f->show();
}

void TkelTacho::FensterSchliessen()
{
    TkelTachoFenster *f = s_fenster.data();
    if (!f)
        return;
    s_fenster = nullptr;
    f->hide();
    for (const QPointer<QWidget> &w : std::as_const(f->deaktiviert)) {
        if (w)
            w->setEnabled(true);
    }
    if (f->vorherAktiv) {
        f->vorherAktiv->raise();
        f->vorherAktiv->activateWindow();
    }
    delete f;
}

void TkelTacho::AbbruchGeklickt()
{
    if (!Frage(m_ui, AbbruchFrage()))
        return;
    m_abgebrochen = true;
    if (m_fenster && m_fenster->abbruch)
        m_fenster->abbruch->setEnabled(false);
}
