#pragma once

#include "framework/dformf2.h"
#include "framework/ke7_parameterwerte.h"

#include <QFont>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class Tkel_Groupbox;
class TkelDirectoryKeyComboBox;
class TkelUiServices;
class TpexEdit;

// The program-wide settings of a project: the archive's base folder, the two display
// switches, the row count of the drop-down lists, the TV font and the folder for year
// publishing. Created once (invisibly, by the main window) and kept until the program ends;
// the settings are loaded in the constructor, saved on "Speichern" and again when the dialog
// is destroyed. The accessors read the controls as they are at the moment of the call, so a
// change left with "Abbruch" is still in effect.
class Tam_ParGlobal : public TdFormF2
{
    Q_OBJECT
public:
    explicit Tam_ParGlobal(TkelUiServices &ui, QWidget *parent = nullptr);
    // Saves the settings once more, whatever the last dialog ended with.
    ~Tam_ParGlobal() override;

    // Shows the dialog modally. "Speichern" is refused while the base folder is empty or the
    // HTML group is on without an existing folder; when it is accepted the settings are
    // saved at once (a refused write throws TkelFehler). True for "Speichern".
    bool Bearbeiten();

    // The base folder with a trailing '/', empty when none is selected.
    QString Grundpfad() const;
    bool GrosseFotosAnpassen() const;
    bool MitWochentag() const;
    // The rows of the drop-down lists; 10 when the field holds no number, at least 1.
    int Zeilenzahl() const;
    // The font for large text on a TV (the font of la_Font).
    QFont GrosseSchrift() const;
    // The HTML group is on and its folder exists.
    bool HtmlExportAktiv() const;
    // The HTML folder with a trailing '/' when HtmlExportAktiv, else empty.
    QString HtmlExportPfad() const;

    // Refuses "Speichern" (result Accepted) while the settings cannot be used; any other
    // result closes the dialog.
    void done(int ergebnis) override;

    QGroupBox *const gb_Grund;
    TkelDirectoryKeyComboBox *const ED_GRUNDPFAD;
    QCheckBox *const cx_GrosseFotosAnpassen;
    QCheckBox *const cx_DatumMitWochentag;
    QGroupBox *const gb_Zeilen;
    TpexEdit *const ed_DropDownCount;
    QGroupBox *const gb_Font;
    QPushButton *const bb_Font;
    QLabel *const la_Font;
    Tkel_Groupbox *const ED_EXPORTTOHTML_ENABLED;
    TkelDirectoryKeyComboBox *const ED_EXPORTTOHTML_PFAD;
    QLabel *const la_ini;
    QLabel *const la_exe;

    static constexpr int StandardZeilenzahl = 10;

private:
    void PARBeforeLaden();
    void PARLaden();
    void PARSpeichern();
    void bb_FontClick();
    void schriftZeigen();
    bool SpeichernErlaubt();

    TkelUiServices &m_ui;
    // The TV font with the colour stored beside it, so a stored colour survives a save.
    TkelSchrift m_schrift;
    // Where the font dialog starts: its own last choice of this run, not the TV font.
    QFont m_letzteWahl;
};
