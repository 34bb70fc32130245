#include "mainwindow/alb_browse.h"

#include "archive/alb_titel.h"
#include "archive/alb_titelstore.h"
#include "archive/alb_titelung.h"
#include "archive/alb_tools.h"
#include "framework/ke7_fortschritt.h"
#include "framework/ke7_keycombomodel.h"
#include "framework/ke7_uiservices.h"

#include <QFileInfo>
#include <QScopeGuard>

Tam_Browse::Tam_Browse(
    TkelUiServices &ui, TkelFortschritt &meter, TkelKeyComboModel *jahre, TkelKeyComboModel *tage, QObject *parent)
    : QObject(parent)
    , m_ui(ui)
    , m_meter(meter)
    , m_jahre(jahre ? jahre : new TkelKeyComboModel(this))
    , m_tage(tage ? tage : new TkelKeyComboModel(this))
{
    m_jahre->SetWraparound(false);
    m_tage->SetWraparound(false);
    connect(m_jahre, &TkelKeyComboModel::OnChange, this, &Tam_Browse::jahreChange);
    connect(m_tage, &TkelKeyComboModel::OnChange, this, &Tam_Browse::tageChange);
}

void Tam_Browse::setGrundpfad(const QString &grundpfad)
{
    m_grundpfad = grundpfad;
    if (!m_grundpfad.isEmpty() && !m_grundpfad.endsWith(QLatin1Char('/')))
        m_grundpfad += QLatin1Char('/');
}

QString Tam_Browse::VerzeichnisDat() const
{
    return m_grundpfad + kVerzeichnisDat;
}

QString Tam_Browse::NaechstesBild() const
{
    return m_fotos.value(m_fotoIndex + 1);
}

void Tam_Browse::JahreLaden()
{
    m_jahre->Clear();
    const TkelKeyItems jahre = JahresListe(m_grundpfad);
    for (const TkelKeyItem &j : jahre)
        m_jahre->AddKey(j.key, j.text);
}

void Tam_Browse::tageFuellen()
{
    m_jahresOrdner = m_jahre->Key();
    m_tage->Clear();
    if (m_jahresOrdner.isEmpty())
        return;
    TkelKeyItems tage;
    if (!::TageLaden(m_jahresOrdner, m_mitWochentag, tage)) {
        // A year without a title store gets one; a year folder gone from disk or a store that
        // cannot be written leaves the year without days after the store's message.
        const QString jahresText = QFileInfo(m_jahresOrdner).fileName();
        if (!TitelstoreNeuAufbauen(m_ui, m_meter, m_jahresOrdner, jahresText, VerzeichnisDat(), m_mitWochentag, tage))
            tage.clear();
    }
    for (const TkelKeyItem &t : std::as_const(tage))
        m_tage->AddKey(t.key, t.text);
}

void Tam_Browse::TageLaden()
{
    tageFuellen();
}

void Tam_Browse::RefreshVerzeichnisDat()
{
    const QString jahr = m_jahre->Key();
    if (jahr.isEmpty())
        return;
    m_jahresOrdner = jahr;
    TkelKeyItems tage;
    const QString jahresText = QFileInfo(jahr).fileName();
    if (!TitelstoreNeuAufbauen(m_ui, m_meter, jahr, jahresText, VerzeichnisDat(), m_mitWochentag, tage))
        return;
    m_tage->Clear();
    for (const TkelKeyItem &t : std::as_const(tage))
        m_tage->AddKey(t.key, t.text);
    // The newest day is what a camera download has just added; its change lists it.
    m_tage->KeyLast();
}

void Tam_Browse::TagLaden(const QString &tagOrdner)
{
    m_tagesOrdner = tagOrdner;
    m_tagesTitel = AlbumTitelLesen(tagOrdner);
    setCaption(Titelprefix() + tagOrdner);
    m_fotos = FotoListe(tagOrdner);
    m_fotoIndex = -1;
    emit FotosGeaendert();
    emit FotoIndexGeaendert(-1);
}

void Tam_Browse::TagWaehlen(const QString &key)
{
    if (key.isEmpty())
        return;
    TagLaden(key + QLatin1Char('/'));
    if (!m_fotos.isEmpty())
        FotoWaehlen(0);
    if (!m_startphase)
        emit FokusZurueck();
}

void Tam_Browse::BildAnzeigen(const QString &pfad)
{
    m_bild = pfad;
    emit BildGezeigt(pfad);
    setCaption(Titelprefix() + (m_diashow ? QStringLiteral(" Diashow ") : QString()) + pfad);
}

void Tam_Browse::FotoWaehlen(int index)
{
    if (index < 0 || index >= m_fotos.size())
        return;
    setFotoIndex(index);
    if (!m_stumm)
        BildAnzeigen(m_fotos.at(index));
}

void Tam_Browse::StartOhneAlbum(const QString &gespeichertesJahr, const QString &gespeicherterTag)
{
    const bool startphase = m_startphase;
    m_startphase = true;
    JahreLaden();
    if (m_jahre->KeyCount() > 0) {
        if (!m_jahre->KeyGoto(gespeichertesJahr))
            m_jahre->KeyLast();
        tageFuellen();
        if (m_tage->KeyCount() > 0) {
            if (!m_tage->KeyGoto(gespeicherterTag))
                m_tage->KeyLast();
            TagWaehlen(m_tage->Key());
        }
    }
    m_startphase = startphase;
}

void Tam_Browse::jahreChange()
{
    if (m_startphase || m_jahre->Key().isEmpty())
        return;
    tageFuellen();
    if (m_tage->KeyCount() > 0)
        m_tage->KeyLast();
}

void Tam_Browse::tageChange()
{
    if (m_startphase || m_tage->Key().isEmpty())
        return;
    TagWaehlen(m_tage->Key());
}

void Tam_Browse::setCaption(const QString &text)
{
    if (text == m_caption)
        return;
    m_caption = text;
    emit CaptionGeaendert(text);
}

void Tam_Browse::setFotoIndex(int index)
{
    m_fotoIndex = index;
    emit FotoIndexGeaendert(index);
}

void Tam_Browse::TitelSpeichern(const QString &titel)
{
    const QString key = m_tage->Key();
    if (key.isEmpty())
        return;
    const QString text = ::TitelSpeichern(
        m_grundpfad, m_jahresOrdner, QFileInfo(m_jahresOrdner).fileName(), key, titel, m_mitWochentag);
    m_tage->SetKeyText(key, text);
    m_tagesTitel = titel;
}

// ---- Navigation -------------------------------------------------------------------------

void Tam_Browse::BildVor()
{
    if (m_fotoIndex < m_fotos.size() - 1) {
        FotoWaehlen(m_fotoIndex + 1);
        return;
    }
    m_ui.beep();
    TagVor();
}

void Tam_Browse::TagVor()
{
    if (m_tage->KeyNext())
        return;
    m_ui.beep();
    JahrVor();
}

void Tam_Browse::JahrVor()
{
    if (!m_jahre->KeyNext())
        m_ui.beep();
}

void Tam_Browse::BildZur()
{
    if (m_fotoIndex > 0) {
        FotoWaehlen(m_fotoIndex - 1);
        return;
    }
    m_ui.beep();
    // The day change would show the first photo of the day only to replace it at once by the
    // last; that decode is skipped.
    bool bewegt = false;
    {
        m_stumm = true;
        const auto zurueck = qScopeGuard([this] { m_stumm = false; });
        bewegt = m_tage->KeyPrior();
        if (!bewegt) {
            m_ui.beep();
            bewegt = m_jahre->KeyPrior();
        }
    }
    if (!bewegt) {
        m_ui.beep();
        return;
    }
    if (!m_fotos.isEmpty())
        FotoWaehlen(int(m_fotos.size()) - 1);
}

void Tam_Browse::TagZur()
{
    if (m_tage->KeyPrior())
        return;
    m_ui.beep();
    JahrZur();
}

void Tam_Browse::JahrZur()
{
    if (!m_jahre->KeyPrior())
        m_ui.beep();
}

void Tam_Browse::BildFirst()
{
    if (!m_fotos.isEmpty())
        FotoWaehlen(0);
}

void Tam_Browse::BildLast()
{
    if (!m_fotos.isEmpty())
        FotoWaehlen(int(m_fotos.size()) - 1);
}

void Tam_Browse::TagesAnfang()
{
    if (m_fotoIndex > 0)
        FotoWaehlen(0);
}

void Tam_Browse::TagesEnde()
{
    if (m_fotoIndex < m_fotos.size() - 1)
        FotoWaehlen(int(m_fotos.size()) - 1);
}
