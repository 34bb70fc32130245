#include "framework/ke7_fortschritt.h"

TkelFortschritt::~TkelFortschritt() = default;

void TkelFortschrittStumm::Start(const QString &titel, int gesamt, bool abbruch)
{
    startTitel.append(titel);
    mitAbbruch = abbruch;
    m_position = 0;
    m_max = gesamt;
    if (!m_aktiv) {
        m_aktiv = true;
        m_abgebrochen = false;
    }
}

void TkelFortschrittStumm::Neustart(const QString &fensterTitel, int gesamt)
{
    neustartTitel.append(fensterTitel);
    m_position = 0;
    m_max = gesamt;
    if (!m_aktiv) {
        m_aktiv = true;
        m_abgebrochen = false;
    }
}

void TkelFortschrittStumm::SchrittUm(int n)
{
    // Like the window, an inactive meter counts nothing.
    if (!m_aktiv)
        return;
    m_position += n;
    schritte += n;
    if (abbrechenNach >= 0 && schritte >= abbrechenNach)
        m_abgebrochen = true;
    if (beiSchritt)
        beiSchritt(m_position);
}

void TkelFortschrittStumm::SchrittMitTitel(const QString &text)
{
    schrittTitel.append(text);
    SchrittUm(1);
}

void TkelFortschrittStumm::Beenden(bool mitMeldung)
{
    ++beendet;
    if (mitMeldung)
        ++meldungen;
    m_aktiv = false;
}
