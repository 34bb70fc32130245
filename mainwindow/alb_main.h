#pragma once

#include "framework/pexform.h"

#include <QDate>
#include <QString>
#include <QStringList>

class QAction;
class QListWidget;
class QSplitter;
class QTimer;
class QToolButton;
class Tam_Browse;
class Tam_ParGlobal;
class TkelFoto;
class TkelFortschritt;
class TkelKeyComboBox;
class TkelParameter;
class TkelUiServices;

// The main window: year and day selectors with the navigation buttons, the optional photo
// list, the photo view on black and the (still hidden) copy panel. It wires keys, buttons
// and menus to the browse position (Tam_Browse), which holds the navigation rules, and runs
// the start-up: switches, the project's settings file, the base folder, the first photo.
//
// Construction may decide that the program ends (EndeCode() >= 0): the refused /Grundpfad=
// switch (code 1), or a base folder the user did not give (code 0).
class Tam_Main : public TPexMainForm
{
    Q_OBJECT
public:
    // `argumente` are the program's arguments without the program itself.
    Tam_Main(TkelUiServices &ui, const QStringList &argumente, QWidget *parent = nullptr);
    // Saves the window's state (when it was loaded) and empties the work folder.
    ~Tam_Main() override;

    // -1 while the program runs on; else the exit code it ends with.
    int EndeCode() const { return m_endeCode; }

    // Start-up values.
    QString Projekt() const { return m_projekt; }
    QDate Arbeitsdatum() const { return m_arbeitsdatum; }
    QString Grundpfad() const { return m_grundpfad; }
    QString VerzeichnisDat() const;
    QString Albumordner() const { return m_albumordner; }
    QString Arbeitsordner() const { return m_arbeitsordner; }
    QString JpegtranDatei() const { return m_jpegtranDatei; }
    // An album file named as first argument; opened once the copy list exists.
    QString StartAlbum() const { return m_startAlbum; }
    QString AlbumDatei() const { return m_albumDatei; }
    QString TitelExportDatei() const { return m_titelExportDatei; }
    QString DropboxOrdner() const { return m_dropboxOrdner; }
    bool Startphase() const;
    bool DiashowLaeuft() const;

    // Switch parsing, as the start-up reads the command line: the value of the last
    // argument beginning with `schalter` (ignoring letter case), trimmed of blanks; a null
    // string when no argument matches.
    static QString SchalterWert(const QStringList &argumente, const QString &schalter);
    // The project of a /Projekt= value: file name without folder and last extension, lower case.
    static QString ProjektName(const QString &wert);

    Tam_Browse &Browse() { return *m_browse; }
    Tam_ParGlobal *ParGlobal() const { return m_par; }
    TkelParameter *const PAR;

    // Applies the settings dialog's values to the window.
    void EinstellungenUebernehmen();
    void SchriftAnpassen();
    void BilderlisteAnpassen();

    // Controls.
    QWidget *pa_Top = nullptr;
    TkelKeyComboBox *cb_Jahre = nullptr;
    QWidget *pa_Tage = nullptr;
    TkelKeyComboBox *cb_Tage = nullptr;
    QToolButton *bb_BildVor = nullptr;
    QSplitter *sp_Haupt = nullptr;
    QWidget *pa_L = nullptr;
    QListWidget *lb_Fotos = nullptr;
    TkelFoto *foto = nullptr;
    QWidget *pa_Copy = nullptr;
    QTimer *Timer = nullptr;

    // Commands (names as in the command table).
    QAction *ax_JahrZur, *ax_TagZur, *ax_BildZur, *ax_BildVor, *ax_TagVor, *ax_JahrVor;
    QAction *ax_RefreshVerzeichnisDat, *ax_Einstellungen, *ax_Suche;
    QAction *ax_BildFirst, *ax_BildLast, *ax_TagesAnfang, *ax_TagesEnde;
    QAction *ax_TitelEingeben, *ax_DiaShow_Start, *ax_DiaShow_Stop, *ax_Kamera;
    QAction *ax_Rotate_R, *ax_Rotate_L, *ax_SaveAs, *ax_BildLoeschen, *ax_ExportTitelToTxt;
    QAction *ax_kelAlbumOeffnen, *ax_DateinameToClipboard, *ax_GrosseSchrift, *ax_Bilderliste;
    QAction *ax_AlleBilderAuswaehlen, *ax_BildAuswaehlen, *ax_HTMLCreator, *ax_HTMLCreator_All;
    QAction *ax_MailTo, *ax_SaveForMail, *ax_SaveAs1920, *ax_AlleBilderInDropbox;
    QAction *ax_kelAlbumKopieren, *ax_kelAlbumSpeichern, *ax_kelAlbumHTML, *ax_kelAlbumGalleria, *ax_kelAlbumDel;
    QAction *ax_Beenden;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *objekt, QEvent *event) override;

private:
    template <class F> QAction *aktion(const char *name, const QString &caption, const QString &hint, F &&handler);
    void oberflaecheBauen();
    void aktionenBauen();
    bool starten(const QStringList &argumente);
    void menueBauen();
    void PARBeforeLaden();
    void PARLaden();
    void PARSpeichern();
    void ersteAktivierung();
    void splitterSetzen();

    void fotosSpiegeln();
    void fotoIndexSpiegeln(int index);
    void bildZeigen(const QString &pfad);
    void bildJetztZeigen(const QString &pfad);
    void fokusZurueck();

    void ax_EinstellungenExecute();
    void ax_DiaShow_StartExecute();
    void ax_DiaShow_StopExecute();
    void ax_BeendenExecute();
    void ax_TitelEingebenExecute();
    void ax_ExportTitelToTxtExecute();
    void TimerTimer();

    TkelUiServices &m_ui;
    TkelFortschritt *m_meter = nullptr;
    Tam_Browse *m_browse = nullptr;
    Tam_ParGlobal *m_par = nullptr;
    int m_endeCode = -1;
    bool m_geladen = false;
    bool m_spiegeln = false;
    // A held key: photos are shown once the repeated presses waiting in the queue are done.
    bool m_wiederholung = false;
    bool m_anzeigeGeplant = false;
    QString m_ausstehendesBild;

    QString m_projekt;
    QDate m_arbeitsdatum;
    QString m_grundpfad;
    QString m_albumordner;
    QString m_speicherordner;
    QString m_arbeitsordner;
    QString m_jpegtranDatei;
    QString m_startAlbum;
    QString m_albumDatei;
    QString m_titelExportDatei;
    QString m_dropboxOrdner;
    QString m_gespeichertesJahr;
    QString m_gespeicherterTag;
    int m_zeilenzahl = 10;
    int m_paLBreite = 185;
    int m_paCopyBreite = 182;
    int m_fotoCopyHoehe = 111;
};
