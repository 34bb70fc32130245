#include "mainwindow/alb_main.h"

#include "archive/alb_titelexport.h"
#include "framework/ke7_date.h"
#include "framework/ke7_keycombobox.h"
#include "framework/ke7_parameter.h"
#include "framework/ke7_str.h"
#include "framework/ke7_sys.h"
#include "framework/ke7_tacho.h"
#include "framework/ke7_uiservices.h"
#include "framework/pex_inishared.h"
#include "imaging/ke7_foto.h"
#include "mainwindow/alb_befehl.h"
#include "mainwindow/alb_browse.h"
#include "mainwindow/alb_parglobal.h"
#include "mainwindow/alb_titeleingabe.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {
const int kDiashowIntervall = 5000;
const int kTopHoehe = 33;
const int kJahreBreite = 111;
const int kTagesAbstand = 8;
const int kDropDownMaximum = 20;
const int kKleinstesMass = 20;
} // namespace

Tam_Main::Tam_Main(TkelUiServices &ui, const QStringList &argumente, QWidget *parent)
    : TPexMainForm(parent)
    , PAR(new TkelParameter(this))
    , m_ui(ui)
{
    setObjectName(QStringLiteral("Tam_Main"));
    setWindowTitle(QStringLiteral("kelAlbum"));
    QFont schrift(QStringLiteral("Tahoma"));
    schrift.setPointSize(8);
    setFont(schrift);

    m_meter = new TkelTacho(this, m_ui);
    oberflaecheBauen();
    m_browse = new Tam_Browse(m_ui, *m_meter, &cb_Jahre->Modell(), &cb_Tage->Modell(), this);
    aktionenBauen();

    connect(m_browse, &Tam_Browse::FotosGeaendert, this, &Tam_Main::fotosSpiegeln);
    connect(m_browse, &Tam_Browse::FotoIndexGeaendert, this, &Tam_Main::fotoIndexSpiegeln);
    connect(m_browse, &Tam_Browse::BildGezeigt, this, &Tam_Main::bildZeigen);
    connect(m_browse, &Tam_Browse::CaptionGeaendert, this, &QWidget::setWindowTitle);
    connect(m_browse, &Tam_Browse::FokusZurueck, this, &Tam_Main::fokusZurueck);
    connect(this, &TPexMainForm::OnFirstActivate, this, &Tam_Main::ersteAktivierung);
    qApp->installEventFilter(this);

    PAR->setFormPosSizeSave(true);
    connect(PAR, &TkelParameter::OnBeforeLaden, this, &Tam_Main::PARBeforeLaden);
    connect(PAR, &TkelParameter::OnLaden, this, &Tam_Main::PARLaden);
    connect(PAR, &TkelParameter::OnSpeichern, this, &Tam_Main::PARSpeichern);

    // The normal size before any remembered one: the whole screen, which is also what a bare
    // X server without window manager shows instead of the maximised state.
    if (QScreen *bildschirm = screen())
        setGeometry(bildschirm->availableGeometry());

    bool gestartet = false;
    BefehlAusfuehren(m_ui, [&] { gestartet = starten(argumente); });
    if (!gestartet && m_endeCode < 0)
        m_endeCode = 0;
    if (m_endeCode < 0)
        HauptfensterSetzen(this);
}

Tam_Main::~Tam_Main()
{
    Timer->stop();
    if (m_geladen)
        BefehlAusfuehren(m_ui, [this] { PAR->Speichern(); });
    if (!m_arbeitsordner.isEmpty())
        AlleDateienLoeschen(m_arbeitsordner);
    if (Hauptfenster() == this)
        HauptfensterSetzen(nullptr);
}

QString Tam_Main::VerzeichnisDat() const
{
    return m_browse->VerzeichnisDat();
}

bool Tam_Main::Startphase() const
{
    return m_browse->Startphase();
}

bool Tam_Main::DiashowLaeuft() const
{
    return Timer->isActive();
}

QString Tam_Main::SchalterWert(const QStringList &argumente, const QString &schalter)
{
    QString wert;
    for (const QString &a : argumente) {
        if (a.startsWith(schalter, Qt::CaseInsensitive))
            wert = TrimBlanks(a.mid(schalter.size()));
    }
    return wert;
}

QString Tam_Main::ProjektName(const QString &wert)
{
    if (TrimBlanks(wert).isEmpty())
        return QString();
    QString pfad = TrimBlanks(wert);
    pfad.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return Kleinbuchstaben(QFileInfo(pfad).completeBaseName());
}

// ---- Layout -----------------------------------------------------------------------------

void Tam_Main::oberflaecheBauen()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("pa_Client"));
    auto *spalte = new QVBoxLayout(client);
    spalte->setContentsMargins(0, 0, 0, 0);
    spalte->setSpacing(0);

    pa_Top = new QWidget(client);
    pa_Top->setObjectName(QStringLiteral("pa_Top"));
    pa_Top->setFixedHeight(kTopHoehe);
    auto *zeile = new QHBoxLayout(pa_Top);
    zeile->setContentsMargins(0, 0, 0, 0);
    zeile->setSpacing(0);
    cb_Jahre = new TkelKeyComboBox(pa_Top);
    cb_Jahre->setObjectName(QStringLiteral("cb_Jahre"));
    cb_Jahre->setFixedWidth(kJahreBreite);
    cb_Jahre->SetErsterEintrag(QString());
    zeile->addWidget(cb_Jahre);
    // The day selector keeps its offset on both sides at every width through the layout.
    pa_Tage = new QWidget(pa_Top);
    pa_Tage->setObjectName(QStringLiteral("pa_Tage"));
    auto *tageZeile = new QHBoxLayout(pa_Tage);
    tageZeile->setContentsMargins(kTagesAbstand, 0, kTagesAbstand, 0);
    cb_Tage = new TkelKeyComboBox(pa_Tage);
    cb_Tage->setObjectName(QStringLiteral("cb_Tage"));
    tageZeile->addWidget(cb_Tage);
    zeile->addWidget(pa_Tage, 1);
    // An archive without years never fills the day selector.
    cb_Tage->lineEdit()->setText(QStringLiteral("Keine Fotos gefunden"));
    spalte->addWidget(pa_Top);

    sp_Haupt = new QSplitter(Qt::Horizontal, client);
    sp_Haupt->setObjectName(QStringLiteral("sp_Haupt"));
    sp_Haupt->setChildrenCollapsible(false);
    pa_L = new QWidget(sp_Haupt);
    pa_L->setObjectName(QStringLiteral("pa_L"));
    auto *links = new QVBoxLayout(pa_L);
    links->setContentsMargins(0, 0, 0, 0);
    lb_Fotos = new QListWidget(pa_L);
    lb_Fotos->setObjectName(QStringLiteral("lb_Fotos"));
    QFont mono(QStringLiteral("Liberation Mono"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPointSize(10);
    lb_Fotos->setFont(mono);
    lb_Fotos->setUniformItemSizes(true);
    links->addWidget(lb_Fotos);
    foto = new TkelFoto(sp_Haupt);
    foto->setObjectName(QStringLiteral("foto"));
    foto->setHintergrundfarbe(Qt::black);
    foto->setFocusPolicy(Qt::StrongFocus);
    pa_Copy = new QWidget(sp_Haupt);
    pa_Copy->setObjectName(QStringLiteral("pa_Copy"));
    pa_Copy->hide();
    sp_Haupt->addWidget(pa_L);
    sp_Haupt->addWidget(foto);
    sp_Haupt->addWidget(pa_Copy);
    sp_Haupt->setStretchFactor(1, 1);
    pa_L->hide();
    spalte->addWidget(sp_Haupt, 1);
    setCentralWidget(client);

    // The row count of the settings, also after every fill (the box sets its own on AddKey).
    for (TkelKeyComboBox *box : { cb_Jahre, cb_Tage })
        connect(&box->Modell(), &TkelKeyComboModel::dropDownCountGeaendert, box,
            [this, box] { box->setMaxVisibleItems(m_zeilenzahl); });

    connect(sp_Haupt, &QSplitter::splitterMoved, this, [this] {
        if (pa_L->isVisible())
            m_paLBreite = pa_L->width();
    });
    connect(lb_Fotos, &QListWidget::currentRowChanged, this, [this](int reihe) {
        if (!m_spiegeln && reihe >= 0 && reihe != m_browse->FotoIndex())
            BefehlAusfuehren(m_ui, [&] { m_browse->FotoWaehlen(reihe); });
    });
    connect(lb_Fotos, &QListWidget::itemClicked, this,
        [this](QListWidgetItem *item) { BefehlAusfuehren(m_ui, [&] { m_browse->FotoWaehlen(lb_Fotos->row(item)); }); });

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(kDiashowIntervall);
    connect(Timer, &QTimer::timeout, this, &Tam_Main::TimerTimer);
}

template <class F> QAction *Tam_Main::aktion(const char *name, const QString &caption, const QString &hint, F &&handler)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(QLatin1String(name));
    if (!hint.isEmpty()) {
        a->setToolTip(hint);
        a->setStatusTip(hint);
    }
    addAction(a);
    connect(a, &QAction::triggered, this, [this, h = std::forward<F>(handler)] { BefehlAusfuehren(m_ui, h); });
    return a;
}

void Tam_Main::aktionenBauen()
{
    Tam_Browse *b = m_browse;
    auto nochNicht = [] {};

    ax_JahrZur = aktion("ax_JahrZur", QStringLiteral("<<<"), QStringLiteral("vorheriges Jahr"), [b] { b->JahrZur(); });
    ax_TagZur = aktion("ax_TagZur", QStringLiteral("<<"), QStringLiteral("vorheriger Tag "), [b] { b->TagZur(); });
    ax_BildZur = aktion("ax_BildZur", QStringLiteral("<"), QStringLiteral("vorheriges Bild"), [b] { b->BildZur(); });
    ax_BildVor = aktion("ax_BildVor", QStringLiteral(">"), QStringLiteral("nächstes Bild"), [b] { b->BildVor(); });
    ax_TagVor = aktion("ax_TagVor", QStringLiteral(">>"), QStringLiteral("nächster Tag"), [b] { b->TagVor(); });
    ax_JahrVor = aktion("ax_JahrVor", QStringLiteral(">>>"), QStringLiteral("nächstes Jahr"), [b] { b->JahrVor(); });
    ax_RefreshVerzeichnisDat = aktion("ax_RefreshVerzeichnisDat", QStringLiteral("*"),
        QStringLiteral("Refresh Verzeichnisse des Jahres"), [b] { b->RefreshVerzeichnisDat(); });
    ax_Einstellungen = aktion("ax_Einstellungen", QStringLiteral("#"), QStringLiteral("Einstellungen"),
        [this] { ax_EinstellungenExecute(); });
    ax_Suche = aktion("ax_Suche", QStringLiteral("?"), QStringLiteral("Suche nach Bildern"), nochNicht);
    ax_BildFirst = aktion("ax_BildFirst", QStringLiteral("Erstes Bild des Tages"),
        QStringLiteral("Erstes Bild des Tages"), [b] { b->BildFirst(); });
    ax_BildLast = aktion("ax_BildLast", QStringLiteral("Letztes Bild des Tages"),
        QStringLiteral("Letztes Bild des Tages"), [b] { b->BildLast(); });
    ax_TagesAnfang = aktion("ax_TagesAnfang", QStringLiteral("Tagesanfang"), QString(), [b] { b->TagesAnfang(); });
    ax_TagesEnde = aktion("ax_TagesEnde", QStringLiteral("TagesEnde"), QString(), [b] { b->TagesEnde(); });
    ax_TitelEingeben = aktion(
        "ax_TitelEingeben", QStringLiteral("Titel eingeben"), QString(), [this] { ax_TitelEingebenExecute(); });
    ax_DiaShow_Start = aktion(
        "ax_DiaShow_Start", QStringLiteral("Diashow starten"), QString(), [this] { ax_DiaShow_StartExecute(); });
    ax_DiaShow_Stop
        = aktion("ax_DiaShow_Stop", QStringLiteral("Diashow beenden"), QString(), [this] { ax_DiaShow_StopExecute(); });
    ax_Kamera = aktion(
        "ax_Kamera", QStringLiteral("Kamera"), QStringLiteral("Bilder von der Kamera herunterladen"), nochNicht);
    ax_Rotate_R = aktion("ax_Rotate_R", QStringLiteral("nach Rechts drehen"), QString(), nochNicht);
    ax_Rotate_L = aktion("ax_Rotate_L", QStringLiteral("nach Linnks drehen"), QString(), nochNicht);
    ax_SaveAs = aktion("ax_SaveAs", QStringLiteral("Bild speichern unter"), QString(), nochNicht);
    ax_BildLoeschen = aktion("ax_BildLoeschen", QStringLiteral("Bild löschen"), QString(), nochNicht);
    ax_ExportTitelToTxt = aktion("ax_ExportTitelToTxt", QStringLiteral("Export Titel in Textdatei"), QString(),
        [this] { ax_ExportTitelToTxtExecute(); });
    ax_kelAlbumOeffnen = aktion("ax_kelAlbumOeffnen", QStringLiteral("Kopierliste öffnen"), QString(), nochNicht);
    ax_DateinameToClipboard
        = aktion("ax_DateinameToClipboard", QStringLiteral("Dateiname in die Zwischenablage"), QString(), [this, b] {
              if (!b->Bild().isEmpty())
                  ZwischenablageText(m_ui, b->Bild());
          });
    ax_GrosseSchrift = aktion("ax_GrosseSchrift", QStringLiteral("Große Schrift zur Anzeige am TV"), QString(),
        [this] { SchriftAnpassen(); });
    ax_GrosseSchrift->setCheckable(true);
    ax_Bilderliste = aktion(
        "ax_Bilderliste", QStringLiteral("Bilderliste anzeigen"), QString(), [this] { BilderlisteAnpassen(); });
    ax_Bilderliste->setCheckable(true);
    ax_AlleBilderAuswaehlen = aktion(
        "ax_AlleBilderAuswaehlen", QStringLiteral("Alle Bilder in Kopierliste übernehmen"), QString(), nochNicht);
    ax_BildAuswaehlen
        = aktion("ax_BildAuswaehlen", QStringLiteral("Bild in Kopierliste übernehmen"), QString(), nochNicht);
    ax_HTMLCreator
        = aktion("ax_HTMLCreator", QStringLiteral("Das Jahr im www Verzeichnis veröffentlichen"), QString(), nochNicht);
    ax_HTMLCreator_All = aktion(
        "ax_HTMLCreator_All", QStringLiteral("Alle Jahre im www Verzeichnis veröffentlichen"), QString(), nochNicht);
    ax_MailTo = aktion("ax_MailTo", QStringLiteral("Bild an Email-Programm übergeben"), QString(), nochNicht);
    ax_SaveForMail = aktion(
        "ax_SaveForMail", QStringLiteral("Bild auf 1280 Pixel verkleinern und speichern unter"), QString(), nochNicht);
    ax_SaveAs1920 = aktion(
        "ax_SaveAs1920", QStringLiteral("Bild auf 1920 Pixel verkleinern und speichern unter"), QString(), nochNicht);
    ax_AlleBilderInDropbox = aktion(
        "ax_AlleBilderInDropbox", QStringLiteral("Alle Bilder des Tages in Dropbox kopieren"), QString(), nochNicht);
    ax_kelAlbumKopieren = aktion("ax_kelAlbumKopieren", QStringLiteral("Kopieren"), QString(), nochNicht);
    ax_kelAlbumSpeichern = aktion("ax_kelAlbumSpeichern", QStringLiteral("Speichern"), QString(), nochNicht);
    ax_kelAlbumHTML = aktion("ax_kelAlbumHTML", QStringLiteral("HTML"), QString(), nochNicht);
    ax_kelAlbumGalleria = aktion("ax_kelAlbumGalleria", QStringLiteral("Galleria / Malihu"), QString(), nochNicht);
    ax_kelAlbumDel = aktion("ax_kelAlbumDel", QStringLiteral("Eintrag aus Album entfernen"), QString(), nochNicht);
    ax_Beenden = aktion("ax_Beenden", QStringLiteral("Beenden"), QString(), [this] { ax_BeendenExecute(); });

    // Keys of the window definition.
    ax_RefreshVerzeichnisDat->setShortcut(QKeySequence(Qt::Key_F5));
    ax_Einstellungen->setShortcut(QKeySequence(Qt::Key_NumberSign));
    ax_TagesAnfang->setShortcut(QKeySequence(Qt::Key_A));
    ax_TagesEnde->setShortcut(QKeySequence(Qt::Key_E));
    ax_TitelEingeben->setShortcut(QKeySequence(Qt::Key_F4));
    ax_DiaShow_Start->setShortcut(QKeySequence(Qt::Key_F8));
    ax_Kamera->setShortcut(QKeySequence(Qt::Key_F9));
    ax_Rotate_R->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    ax_Rotate_L->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    ax_SaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ax_BildLoeschen->setShortcut(QKeySequence(Qt::Key_Delete));
    ax_BildAuswaehlen->setShortcut(QKeySequence(Qt::Key_Insert));
    // Keys assigned at start. Esc belongs to ax_Beenden alone, which ends a running slide
    // show first (two actions on one key would both stay silent).
    ax_Beenden->setShortcut(QKeySequence(Qt::Key_Escape));
    ax_BildVor->setShortcut(QKeySequence(Qt::Key_Space));
    ax_BildFirst->setShortcut(QKeySequence(Qt::Key_Home));
    ax_BildLast->setShortcut(QKeySequence(Qt::Key_End));
    ax_BildZur->setShortcut(QKeySequence(Qt::Key_Backspace));
    ax_TagVor->setShortcut(QKeySequence(Qt::Key_PageDown));
    ax_TagZur->setShortcut(QKeySequence(Qt::Key_PageUp));

    // Commands whose work comes with the copy list, the photo commands, the search, the
    // camera and the publishing: present, but neither offered nor reachable by key yet.
    const QList<QAction *> spaeter = { ax_Suche, ax_Kamera, ax_SaveAs, ax_BildLoeschen, ax_kelAlbumOeffnen,
        ax_AlleBilderAuswaehlen, ax_BildAuswaehlen, ax_MailTo, ax_SaveForMail, ax_SaveAs1920, ax_AlleBilderInDropbox,
        ax_kelAlbumKopieren, ax_kelAlbumSpeichern, ax_kelAlbumHTML, ax_kelAlbumGalleria, ax_kelAlbumDel };
    for (QAction *a : spaeter) {
        a->setEnabled(false);
        if (a != ax_Suche)
            a->setVisible(false);
    }
    ax_Rotate_R->setEnabled(false);
    ax_Rotate_L->setEnabled(false);
    ax_HTMLCreator->setEnabled(false);
    ax_HTMLCreator_All->setEnabled(false);

    // The nine buttons of the top bar.
    auto *zeile = static_cast<QHBoxLayout *>(pa_Top->layout());
    const QList<QPair<QAction *, const char *>> knoepfe = { { ax_JahrZur, "bb_JahrZur" }, { ax_TagZur, "bb_TagZur" },
        { ax_BildZur, "bb_BildZur" }, { ax_RefreshVerzeichnisDat, "bb_RefreshVerzeichnisDat" },
        { ax_Einstellungen, "bb_Einstellungen" }, { ax_Suche, "bb_Suche" }, { ax_BildVor, "bb_BildVor" },
        { ax_TagVor, "bb_TagVor" }, { ax_JahrVor, "bb_JahrVor" } };
    for (const auto &k : knoepfe) {
        auto *knopf = new QToolButton(pa_Top);
        knopf->setObjectName(QLatin1String(k.second));
        knopf->setDefaultAction(k.first);
        knopf->setFocusPolicy(Qt::StrongFocus);
        knopf->setAutoRaise(false);
        zeile->addWidget(knopf);
        if (k.first == ax_BildVor)
            bb_BildVor = knopf;
    }
}

void Tam_Main::menueBauen()
{
    const QList<QAction *> eintraege = { ax_TagesAnfang, ax_TagesEnde, ax_TitelEingeben, ax_DiaShow_Start, ax_Kamera,
        nullptr, ax_Rotate_R, ax_Rotate_L, nullptr, ax_SaveAs, ax_BildLoeschen, nullptr, ax_ExportTitelToTxt,
        ax_kelAlbumOeffnen, ax_DateinameToClipboard, ax_GrosseSchrift, ax_Bilderliste, ax_AlleBilderAuswaehlen, nullptr,
        ax_HTMLCreator, ax_HTMLCreator_All, ax_MailTo, ax_SaveForMail, ax_SaveAs1920, ax_AlleBilderInDropbox };
    for (QAction *a : eintraege) {
        if (a)
            foto->AddAction(a);
        else
            foto->AddSeparator();
    }
}

// ---- Start-up ---------------------------------------------------------------------------

bool Tam_Main::starten(const QStringList &argumente)
{
    m_browse->setStartphase(true);
    if (!TrimBlanks(SchalterWert(argumente, QStringLiteral("/Grundpfad="))).isEmpty()) {
        Meldung(m_ui,
            QStringLiteral("Der Startparameter /Grundpfad= wird nicht mehr unterstützt.\rBenutzen Sie stattdessen den "
                           "Startparameter /Projekt="));
        m_endeCode = 1;
        return false;
    }
    m_projekt = ProjektName(SchalterWert(argumente, QStringLiteral("/Projekt=")));
    const QDate systemdatum = DatumLesen(SchalterWert(argumente, QStringLiteral("/Systemdatum=")));
    m_arbeitsdatum = systemdatum.isValid() ? systemdatum : QDate::currentDate();
    TkelParameter::setKommandozeile(argumente);
    SetCompanyFolderName(QStringLiteral("tarnel"));
    SetProductFolderName(QStringLiteral("kelAlbum"));
    SetSharedIniFileName(ProjektIniDateiName(m_projekt));
    if (!argumente.isEmpty()
        && QFileInfo(TrimBlanks(argumente.first())).suffix().compare(QLatin1String("kelAlbum"), Qt::CaseInsensitive)
            == 0)
        m_startAlbum = TrimBlanks(argumente.first());

    m_albumordner = ProgrammUnterordner(QStringLiteral("kelAlbum"));
    m_speicherordner = BilderOrdner();
    const QString beiProgramm = ProgrammOrdner() + QStringLiteral("jpegtran");
    m_jpegtranDatei = QFileInfo(beiProgramm).isExecutable()
        ? beiProgramm
        : QStandardPaths::findExecutable(QStringLiteral("jpegtran"));

    PAR->Laden();
    m_geladen = true;

    m_par = new Tam_ParGlobal(m_ui, this);
    m_grundpfad = m_par->Grundpfad();
    if (!VerzeichnisVorhanden(m_grundpfad, nullptr)) {
        if (!m_par->Bearbeiten())
            return false;
        m_grundpfad = m_par->Grundpfad();
        // The dialog refuses an empty base folder; a relative one would depend on the
        // folder the program was started in.
        if (m_grundpfad.isEmpty() || QFileInfo(m_grundpfad).isRelative())
            return false;
        if (!VerzeichnisVorhanden(m_grundpfad, nullptr)
            && !VerzeichnisErstellen(m_grundpfad + JahrText(m_arbeitsdatum), &m_ui))
            return false;
    }
    m_browse->setGrundpfad(m_grundpfad);

    menueBauen();
    setWindowTitle(Tam_Browse::Titelprefix());
    ax_Rotate_R->setVisible(!m_jpegtranDatei.isEmpty());
    ax_Rotate_L->setVisible(!m_jpegtranDatei.isEmpty());
    EinstellungenUebernehmen();
    m_browse->StartOhneAlbum(m_gespeichertesJahr, m_gespeicherterTag);
    return true;
}

void Tam_Main::PARBeforeLaden()
{
    TkelKeyComboBox::SetDropDownMaximum(kDropDownMaximum);
    m_arbeitsordner
        = TempOrdner() + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QLatin1Char('/');
    VerzeichnisErstellen(m_arbeitsordner, nullptr);
}

void Tam_Main::PARLaden()
{
    m_titelExportDatei = PAR->ReadString(
        QStringLiteral("Titel exportieren nach"), m_albumordner + QStringLiteral("kelAlbumAlleTitel.txt"));
    m_albumDatei
        = PAR->ReadString(QStringLiteral("kelAlbum speichern in"), m_albumordner + QStringLiteral("Album.kelAlbum"));
    m_gespeichertesJahr = PAR->ReadString(QStringLiteral("cb_Jahre"), QString());
    m_gespeicherterTag = PAR->ReadString(QStringLiteral("cb_Tage"), QString());
    ax_GrosseSchrift->setChecked(PAR->ReadBool(QStringLiteral("ax_GrosseSchrift"), false));
    ax_Bilderliste->setChecked(PAR->ReadBool(QStringLiteral("ax_Bilderliste"), false));
    // A damaged settings file must not leave a panel of no width that cannot be dragged open.
    const auto mass = [this](const char *key, int vorgabe) {
        const int wert = PAR->ReadInteger(QLatin1String(key), vorgabe);
        return wert >= kKleinstesMass ? wert : vorgabe;
    };
    m_paCopyBreite = mass("pa_Copy", m_paCopyBreite);
    m_paLBreite = mass("pa_L", m_paLBreite);
    m_fotoCopyHoehe = mass("foto_copy", m_fotoCopyHoehe);
    m_dropboxOrdner = PAR->ReadString(QStringLiteral("ax_AlleBilderInDropbox"), DokumenteOrdner());
}

void Tam_Main::PARSpeichern()
{
    PAR->WriteString(QStringLiteral("Titel exportieren nach"), m_titelExportDatei);
    PAR->WriteString(QStringLiteral("kelAlbum speichern in"), m_albumDatei);
    PAR->WriteString(QStringLiteral("cb_Jahre"), cb_Jahre->Key());
    PAR->WriteString(QStringLiteral("cb_Tage"), cb_Tage->Key());
    PAR->WriteBool(QStringLiteral("ax_GrosseSchrift"), ax_GrosseSchrift->isChecked());
    PAR->WriteBool(QStringLiteral("ax_Bilderliste"), ax_Bilderliste->isChecked());
    PAR->WriteInteger(QStringLiteral("pa_Copy"), m_paCopyBreite);
    PAR->WriteInteger(QStringLiteral("pa_L"), m_paLBreite);
    PAR->WriteInteger(QStringLiteral("foto_copy"), m_fotoCopyHoehe);
    PAR->WriteString(QStringLiteral("ax_AlleBilderInDropbox"), m_dropboxOrdner);
}

void Tam_Main::showEvent(QShowEvent *event)
{
    TPexMainForm::showEvent(event);
    // Without a window manager (a bare X server) the window may never be activated; the
    // browse handlers must not stay switched off then.
    if (m_browse->Startphase())
        QTimer::singleShot(0, this, &Tam_Main::ersteAktivierung);
}

void Tam_Main::ersteAktivierung()
{
    if (m_endeCode >= 0 || !m_browse->Startphase())
        return;
    m_browse->setStartphase(false);
    showMaximized();
    BilderlisteAnpassen();
    SchriftAnpassen();
    bb_BildVor->setFocus();
}

// ---- Settings and display switches ------------------------------------------------------

void Tam_Main::EinstellungenUebernehmen()
{
    foto->setGrossanpassen(m_par->GrosseFotosAnpassen());
    m_zeilenzahl = m_par->Zeilenzahl();
    m_browse->setMitWochentag(m_par->MitWochentag());
    ax_HTMLCreator->setVisible(m_par->HtmlExportAktiv());
    ax_HTMLCreator_All->setVisible(m_par->HtmlExportAktiv());
    cb_Jahre->setMaxVisibleItems(m_zeilenzahl);
    cb_Tage->setMaxVisibleItems(m_zeilenzahl);
    BilderlisteAnpassen();
    SchriftAnpassen();
}

void Tam_Main::SchriftAnpassen()
{
    QFont jahre = cb_Jahre->font();
    QFont tage = cb_Tage->font();
    if (ax_GrosseSchrift->isChecked() && m_par) {
        jahre = tage = m_par->GrosseSchrift();
    } else {
        jahre.setPointSize(font().pointSize());
        tage.setPointSize(font().pointSize());
    }
    cb_Jahre->setFont(jahre);
    cb_Tage->setFont(tage);
    pa_Top->setFixedHeight(cb_Tage->sizeHint().height() + 10);
}

void Tam_Main::BilderlisteAnpassen()
{
    pa_L->setVisible(ax_Bilderliste->isChecked());
    splitterSetzen();
}

void Tam_Main::splitterSetzen()
{
    if (!pa_L->isVisible())
        return;
    QList<int> breiten = sp_Haupt->sizes();
    const int gesamt = breiten.value(0) + breiten.value(1);
    breiten[0] = m_paLBreite;
    breiten[1] = qMax(1, gesamt - m_paLBreite);
    sp_Haupt->setSizes(breiten);
}

void Tam_Main::ax_EinstellungenExecute()
{
    // Values left with "Abbruch" stay in effect too, so they are applied either way.
    m_par->Bearbeiten();
    EinstellungenUebernehmen();
}

// ---- Browse position mirrored -----------------------------------------------------------

void Tam_Main::fotosSpiegeln()
{
    m_spiegeln = true;
    lb_Fotos->clear();
    lb_Fotos->addItems(m_browse->Fotos());
    m_spiegeln = false;
}

void Tam_Main::fotoIndexSpiegeln(int index)
{
    m_spiegeln = true;
    lb_Fotos->setCurrentRow(index);
    m_spiegeln = false;
}

bool Tam_Main::eventFilter(QObject *objekt, QEvent *event)
{
    // Every key reaches the shortcuts through this event first, so it tells whether the
    // command about to run comes from a held key.
    if (event->type() == QEvent::ShortcutOverride
        || (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent *>(event)->isAutoRepeat()))
        m_wiederholung = event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->isAutoRepeat();
    return TPexMainForm::eventFilter(objekt, event);
}

void Tam_Main::bildZeigen(const QString &pfad)
{
    if (!m_wiederholung) {
        m_ausstehendesBild.clear();
        bildJetztZeigen(pfad);
        return;
    }
    // Holding Space must not decode every photo it passes: the presses already queued move
    // the position on, and only the photo reached when they are done is decoded.
    m_ausstehendesBild = pfad;
    if (m_anzeigeGeplant)
        return;
    m_anzeigeGeplant = true;
    QTimer::singleShot(0, this, [this] {
        m_anzeigeGeplant = false;
        if (!m_ausstehendesBild.isEmpty())
            bildJetztZeigen(std::exchange(m_ausstehendesBild, QString()));
    });
}

void Tam_Main::bildJetztZeigen(const QString &pfad)
{
    foto->setBildDateiname(pfad);
    // While this photo is looked at, the next one of the day is decoded for the ">" to come.
    const QString naechstes = m_browse->NaechstesBild();
    if (!naechstes.isEmpty())
        foto->Vorbereiten(naechstes);
}

void Tam_Main::fokusZurueck()
{
    if (pa_Top->isVisible())
        bb_BildVor->setFocus();
}

// ---- Slide show and end -----------------------------------------------------------------

void Tam_Main::ax_DiaShow_StartExecute()
{
    if (Timer->isActive())
        return;
    setWindowFlag(Qt::FramelessWindowHint, true);
    showMaximized();
    pa_Top->hide();
    foto->setFocus();
    activateWindow();
    m_browse->BildVor();
    m_ui.ereignisseVerarbeiten();
    Timer->start();
    m_browse->setDiashow(true);
}

void Tam_Main::ax_DiaShow_StopExecute()
{
    if (!Timer->isActive())
        return;
    Timer->stop();
    m_browse->setDiashow(false);
    m_ui.ereignisseVerarbeiten();
    setWindowFlag(Qt::FramelessWindowHint, false);
    showMaximized();
    activateWindow();
    m_browse->BildVor();
    pa_Top->show();
    bb_BildVor->setFocus();
}

void Tam_Main::TimerTimer()
{
    BefehlAusfuehren(m_ui, [this] { m_browse->BildVor(); });
}

void Tam_Main::ax_BeendenExecute()
{
    if (Timer->isActive())
        ax_DiaShow_StopExecute();
    else
        close();
}

// ---- Titles -----------------------------------------------------------------------------

void Tam_Main::ax_TitelEingebenExecute()
{
    if (cb_Tage->Key().isEmpty())
        return;
    QString titel = m_browse->TagesTitel();
    if (!am_TitelEingabe()->TitelAbfragen(m_browse->TagesOrdner(), titel))
        return;
    m_browse->TitelSpeichern(titel);
}

void Tam_Main::ax_ExportTitelToTxtExecute()
{
    TkelKeyItems jahre;
    for (int i = 0; i < cb_Jahre->KeyCount(); ++i)
        jahre.append({ cb_Jahre->Items().at(i), cb_Jahre->KeyList().at(i) });
    TitelExportieren(m_ui, *m_meter, jahre, m_titelExportDatei);
}
