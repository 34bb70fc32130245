#include "framework/ke7_keycombopanel.h"

#include "framework/ke7_qtuiservices.h"
#include "framework/pex_ini.h"

#include <QPushButton>

TkelKeyComboPanel::TkelKeyComboPanel(const QString &hinweis, QWidget *parent, TkelUiServices *ui)
    : QWidget(parent)
    , m_combo(new TkelKeyComboBox(this))
    , m_knopf(new QPushButton(QStringLiteral("..."), this))
    , m_ui(ui)
{
    m_knopf->setToolTip(hinweis);
    m_knopf->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_combo);
    connect(m_knopf, &QPushButton::clicked, this, &TkelKeyComboPanel::Waehlen);
    connect(m_combo, &TkelKeyComboBox::OnChange, this, &TkelKeyComboPanel::OnChange);
    setFixedHeight(m_combo->sizeHint().height());
    anordnen();
}

TkelUiServices &TkelKeyComboPanel::ui()
{
    if (m_ui)
        return *m_ui;
    static TkelQtUiServices echt;
    return echt;
}

void TkelKeyComboPanel::Waehlen()
{
    QString pfad = m_combo->Key();
    if (!Auswaehlen(pfad))
        return;
    m_combo->AddKey(pfad, pfad);
    m_combo->KeyGoto(pfad);
}

void TkelKeyComboPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    anordnen();
}

void TkelKeyComboPanel::anordnen()
{
    const int hoehe = m_combo->sizeHint().height();
    const int seite = hoehe - 2;
    m_combo->setGeometry(0, 0, qMax(0, width() - seite - 2), hoehe);
    m_knopf->setGeometry(width() - seite, 0, seite, seite);
}

void TkelKeyComboPanel::parSpeichern(TpexIniFile &ini, const QString &section, const QString &name)
{
    ini.writeString(section, name, Wert());
    m_combo->EintraegeSpeichern(ini, section, name);
}

void TkelKeyComboPanel::parLaden(TpexIniFile &ini, const QString &section, const QString &name)
{
    const QString vorher = Wert();
    m_combo->EintraegeLaden(ini, section, name);
    WertSetzen(ini.readString(section, name, vorher));
}
