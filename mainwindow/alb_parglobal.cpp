#include "mainwindow/alb_parglobal.h"

#include "framework/ke7_directorykeycombobox.h"
#include "framework/ke7_error.h"
#include "framework/ke7_groupbox.h"
#include "framework/ke7_parameter.h"
#include "framework/ke7_sys.h"
#include "framework/ke7_uiservices.h"
#include "framework/pexedit.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

Q_LOGGING_CATEGORY(lcParGlobal, "kelalbum.mainwindow.parglobal")

const QString GrosseSchriftKey = QStringLiteral("GROSSE_SCHRIFT");

// The dialog font of the original design; the TV font and the font dialog start with it.
QFont StandardSchrift()
{
    return QFont(QStringLiteral("MS Sans Serif"), 8);
}

template <typename T> T *benannt(T *control, const char *name, bool persistiert = false)
{
    control->setObjectName(QString::fromLatin1(name));
    if (persistiert)
        setTag(control, 99);
    return control;
}

// A path label at the bottom: long paths must not widen the dialog, and the user may want
// to copy them.
QLabel *pfadLabel(QWidget *eltern, const char *name)
{
    auto *l = benannt(new QLabel(eltern), name);
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

Tam_ParGlobal::Tam_ParGlobal(TkelUiServices &ui, QWidget *parent)
    : TdFormF2(parent)
    , gb_Grund(benannt(new QGroupBox(QStringLiteral("Grundverzeichnis"), pa_Client), "gb_Grund"))
    , ED_GRUNDPFAD(benannt(new TkelDirectoryKeyComboBox(gb_Grund, &ui), "ED_GRUNDPFAD", true))
    , cx_GrosseFotosAnpassen(
          benannt(new QCheckBox(QStringLiteral("Große Fotos anpassen"), pa_Client), "cx_GrosseFotosAnpassen", true))
    , cx_DatumMitWochentag(benannt(
          new QCheckBox(QStringLiteral("Datum mit Wochentag anzeigen"), pa_Client), "cx_DatumMitWochentag", true))
    , gb_Zeilen(benannt(new QGroupBox(QStringLiteral("Anzahl der Zeilen in Comboboxen"), pa_Client), "gb_Zeilen"))
    , ed_DropDownCount(benannt(new TpexEdit(gb_Zeilen, &ui), "ed_DropDownCount", true))
    , gb_Font(benannt(new QGroupBox(QStringLiteral("Font für große Schrift am TV"), pa_Client), "gb_Font"))
    , bb_Font(benannt(new QPushButton(QStringLiteral("Auswählen"), gb_Font), "bb_Font"))
    , la_Font(benannt(
          new QLabel(QStringLiteral("ÄÖÜß äöüß §$% Wer das lesen kann hat die richtige Schrift gewählt."), gb_Font),
          "la_Font"))
    , ED_EXPORTTOHTML_ENABLED(benannt(
          new Tkel_Groupbox(QStringLiteral("Bilder in einem HTML-Verzeichnis zur Verfügung stellen"), pa_Client),
          "ED_EXPORTTOHTML_ENABLED", true))
    , ED_EXPORTTOHTML_PFAD(
          benannt(new TkelDirectoryKeyComboBox(ED_EXPORTTOHTML_ENABLED, &ui), "ED_EXPORTTOHTML_PFAD", true))
    , la_ini(pfadLabel(pa_Client, "la_ini"))
    , la_exe(pfadLabel(pa_Client, "la_exe"))
    , m_ui(ui)
    , m_letzteWahl(StandardSchrift())
{
    setWindowTitle(QStringLiteral("Einstellungen für kelAlbum"));

    ed_DropDownCount->setDataType(TpexDataType::pexdtWord);
    ed_DropDownCount->setFixedWidth(60);
    cx_DatumMitWochentag->setChecked(true);
    // Both folder lists keep their entries: a stored folder is selected on loading only when
    // it is among the remembered entries.
    ED_EXPORTTOHTML_PFAD->setKelPAR_Save_Keys(true);
    m_schrift.font = StandardSchrift();
    // A large TV font must not blow up the dialog; the sample is clipped instead.
    la_Font->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    la_Font->setMinimumHeight(40);
    la_Font->setWordWrap(true);
    la_Font->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *grund = new QVBoxLayout(gb_Grund);
    grund->addWidget(ED_GRUNDPFAD);

    auto *schalter = new QHBoxLayout;
    schalter->addWidget(cx_GrosseFotosAnpassen);
    schalter->addWidget(cx_DatumMitWochentag);
    schalter->addStretch(1);

    auto *zeilen = new QVBoxLayout(gb_Zeilen);
    zeilen->addWidget(ed_DropDownCount);
    zeilen->addStretch(1);

    auto *font = new QHBoxLayout(gb_Font);
    font->addWidget(bb_Font, 0, Qt::AlignTop);
    font->addWidget(la_Font, 1);

    auto *mitte = new QHBoxLayout;
    mitte->addWidget(gb_Zeilen);
    mitte->addWidget(gb_Font, 1);

    auto *html = new QVBoxLayout(ED_EXPORTTOHTML_ENABLED);
    html->addWidget(ED_EXPORTTOHTML_PFAD);

    auto *client = new QVBoxLayout(pa_Client);
    client->addWidget(gb_Grund);
    client->addLayout(schalter);
    client->addLayout(mitte, 1);
    client->addWidget(ED_EXPORTTOHTML_ENABLED);
    client->addWidget(la_ini);
    client->addWidget(la_exe);

    resize(608, 329);
    PAR->setFormPosSizeSave(false);
    PAR->setTagInclusive(99);
    connect(PAR, &TkelParameter::OnBeforeLaden, this, &Tam_ParGlobal::PARBeforeLaden);
    connect(PAR, &TkelParameter::OnLaden, this, &Tam_ParGlobal::PARLaden);
    connect(PAR, &TkelParameter::OnSpeichern, this, &Tam_ParGlobal::PARSpeichern);
    connect(bb_Font, &QPushButton::clicked, this, &Tam_ParGlobal::bb_FontClick);

    // The main window asks for the base folder right after creating the dialog.
    EinstellungenLaden();
    la_ini->setText(PAR->IniDateiName());
    la_exe->setText(QCoreApplication::applicationFilePath());
    la_ini->setToolTip(la_ini->text());
    la_exe->setToolTip(la_exe->text());

    // A main window that is never deleted still gets the settings saved at the end.
    if (QCoreApplication *app = QCoreApplication::instance()) {
        connect(app, &QCoreApplication::aboutToQuit, this, [this] {
            try {
                PAR->Speichern();
            } catch (const TkelFehler &fehler) {
                Fehlermeldung(m_ui, fehler.text());
            }
        });
    }
}

Tam_ParGlobal::~Tam_ParGlobal()
{
    if (!EinstellungenGeladen())
        return;
    try {
        PAR->Speichern();
    } catch (const TkelFehler &fehler) {
        qCWarning(lcParGlobal) << fehler.text();
    } catch (const std::exception &fehler) {
        qCWarning(lcParGlobal) << fehler.what();
    }
}

void Tam_ParGlobal::PARBeforeLaden()
{
    ED_GRUNDPFAD->Combo()->SetKey(QString());
    ED_GRUNDPFAD->setKelPAR_Save_Keys(true);
    ed_DropDownCount->setIntegerWert(StandardZeilenzahl);
    cx_GrosseFotosAnpassen->setChecked(true);
}

void Tam_ParGlobal::PARLaden()
{
    try {
        PAR->LoadFont(GrosseSchriftKey, &m_schrift);
    } catch (const TkelFehler &fehler) {
        // A damaged font entry must not stop the program from starting; the font stays
        // as designed and is written anew at the next save.
        Fehlermeldung(m_ui, fehler.text());
    }
    schriftZeigen();
}

void Tam_ParGlobal::PARSpeichern()
{
    PAR->SaveFont(GrosseSchriftKey, &m_schrift);
}

void Tam_ParGlobal::bb_FontClick()
{
    QFont wahl = m_letzteWahl;
    if (!m_ui.schriftWaehlen(wahl))
        return;
    m_letzteWahl = wahl;
    m_schrift.font = wahl;
    // The font dialog offers no colour; its colour is the default text colour.
    m_schrift.farbe = clWindowText;
    schriftZeigen();
}

void Tam_ParGlobal::schriftZeigen()
{
    la_Font->setFont(m_schrift.font);
    QPalette farben = la_Font->palette();
    farben.setColor(QPalette::WindowText, FarbeZuQColor(m_schrift.farbe, farben));
    la_Font->setPalette(farben);
}

bool Tam_ParGlobal::Bearbeiten()
{
    const bool gespeichert = exec() == QDialog::Accepted;
    if (gespeichert)
        PAR->Speichern();
    return gespeichert;
}

void Tam_ParGlobal::done(int ergebnis)
{
    if (ergebnis == QDialog::Accepted && !SpeichernErlaubt())
        return;
    // Not TFormF2Basis::done: that saves on every close, this dialog saves on "Speichern"
    // (in Bearbeiten, where a refused write reaches the caller) and at the program's end.
    TPexForm::done(ergebnis);
}

bool Tam_ParGlobal::SpeichernErlaubt()
{
    // Without a base folder the year folders would be created relative to the working folder.
    if (Grundpfad().isEmpty()) {
        Fehlermeldung(m_ui, QStringLiteral("Bitte wählen Sie ein Grundverzeichnis aus."));
        ED_GRUNDPFAD->setFocus();
        return false;
    }
    if (ED_EXPORTTOHTML_ENABLED->isChecked()) {
        const QString pfad = ED_EXPORTTOHTML_PFAD->Directory();
        if (!VerzeichnisVorhanden(pfad, nullptr)) {
            VerzeichnisFehltMeldung(m_ui, pfad);
            ED_EXPORTTOHTML_PFAD->setFocus();
            return false;
        }
    }
    return true;
}

QString Tam_ParGlobal::Grundpfad() const
{
    return ED_GRUNDPFAD->Directory();
}

bool Tam_ParGlobal::GrosseFotosAnpassen() const
{
    return cx_GrosseFotosAnpassen->isChecked();
}

bool Tam_ParGlobal::MitWochentag() const
{
    return cx_DatumMitWochentag->isChecked();
}

int Tam_ParGlobal::Zeilenzahl() const
{
    // The field refuses anything but digits while typing, but a damaged settings file can
    // still put text into it; the lists then keep their usual height.
    try {
        return qMax(1, ed_DropDownCount->IntegerWert());
    } catch (const TkelFehler &) {
        return StandardZeilenzahl;
    }
}

QFont Tam_ParGlobal::GrosseSchrift() const
{
    return la_Font->font();
}

bool Tam_ParGlobal::HtmlExportAktiv() const
{
    return ED_EXPORTTOHTML_ENABLED->isChecked() && VerzeichnisVorhanden(ED_EXPORTTOHTML_PFAD->Directory(), nullptr);
}

QString Tam_ParGlobal::HtmlExportPfad() const
{
    return HtmlExportAktiv() ? ED_EXPORTTOHTML_PFAD->Directory() : QString();
}
