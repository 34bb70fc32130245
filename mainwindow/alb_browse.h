#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class TkelFortschritt;
class TkelKeyComboModel;
class TkelUiServices;

// The browse position of the main window without the window: the year list, the day list
// of the selected year, the photo list of the listed day, the selected photo and the photo
// shown, with every navigation rule (the beep chains at the ends of a day, a year and the
// archive). The window mirrors it: it passes the models of its two selectors, shows the
// photo list, and turns keys and buttons into the calls below.
//
// Keys: a year is base folder + year folder name, a day year key + '/' + day folder name,
// a photo its full path. Boundaries are reported by beeps only.
class Tam_Browse : public QObject
{
    Q_OBJECT
public:
    // The caption's fixed beginning; note the trailing blank.
    static QString Titelprefix() { return QStringLiteral("kelAlbum [9.30] "); }

    // `jahre` and `tage` are the models of the window's selectors; without them the object
    // keeps its own. `meter` reports a title store rebuild.
    Tam_Browse(TkelUiServices &ui, TkelFortschritt &meter, TkelKeyComboModel *jahre = nullptr,
        TkelKeyComboModel *tage = nullptr, QObject *parent = nullptr);

    TkelKeyComboModel &Jahre() { return *m_jahre; }
    TkelKeyComboModel &Tage() { return *m_tage; }

    // Base folder with trailing '/'; VerzeichnisDat follows it.
    QString Grundpfad() const { return m_grundpfad; }
    void setGrundpfad(const QString &grundpfad);
    QString VerzeichnisDat() const;
    bool MitWochentag() const { return m_mitWochentag; }
    void setMitWochentag(bool wert) { m_mitWochentag = wert; }

    // While true the selectors' change events do nothing: start-up positions them directly.
    bool Startphase() const { return m_startphase; }
    void setStartphase(bool wert) { m_startphase = wert; }
    // While the slide show runs every shown photo puts " Diashow " into the caption.
    bool Diashow() const { return m_diashow; }
    void setDiashow(bool wert) { m_diashow = wert; }

    // The listed day: folder with '/', its title, its photos (full paths) and the selected
    // index (-1 for none). JahresOrdner is the selected year's key.
    QString JahresOrdner() const { return m_jahresOrdner; }
    QString TagesOrdner() const { return m_tagesOrdner; }
    QString TagesTitel() const { return m_tagesTitel; }
    const QStringList &Fotos() const { return m_fotos; }
    int FotoIndex() const { return m_fotoIndex; }
    // The photo shown last (empty until the first one); the current photo of every command.
    QString Bild() const { return m_bild; }
    // The photo after the selected one in the list, worth reading ahead; empty at the end.
    QString NaechstesBild() const;
    QString Caption() const { return m_caption; }

    // Empties the year list and fills it from the base folder.
    void JahreLaden();
    // Fills the day list from the selected year's title store, rebuilding the store when the
    // year has none.
    void TageLaden();
    // Rebuilds the selected year's title stores and lists its days again; the selected day
    // stays selected when it is still listed (no change event).
    void RefreshVerzeichnisDat();
    // Lists the day folder (with '/'): title, caption, photo list, no photo selected.
    void TagLaden(const QString &tagOrdner);
    // Lists the day of that key and shows its first photo; nothing for an empty key.
    void TagWaehlen(const QString &key);
    // Shows the photo (BildGezeigt) and sets the caption.
    void BildAnzeigen(const QString &pfad);
    // Selects photo `index` of the list and shows it; nothing for an index out of range.
    void FotoWaehlen(int index);

    // The first position: the remembered year when listed, else the newest; its days; the
    // remembered day when listed, else the newest; its first photo. Change events do not
    // run (Startphase must be set).
    void StartOhneAlbum(const QString &gespeichertesJahr, const QString &gespeicherterTag);

    // Writes the title of the selected day into its three title stores, shows it in the day
    // list at once and makes it TagesTitel. Nothing without a selected day. A refused write
    // throws TkelFehler (stores written before stay written).
    void TitelSpeichern(const QString &titel);

    // Navigation commands.
    void BildVor();
    void BildZur();
    void TagVor();
    void TagZur();
    void JahrVor();
    void JahrZur();
    void BildFirst();
    void BildLast();
    void TagesAnfang();
    void TagesEnde();

signals:
    // The photo list was refilled (no selection yet).
    void FotosGeaendert();
    // The selected index changed (-1 for none).
    void FotoIndexGeaendert(int index);
    // The photo to show now.
    void BildGezeigt(const QString &pfad);
    void CaptionGeaendert(const QString &caption);
    // A day change wants the keyboard focus back on the ">" button.
    void FokusZurueck();

private:
    void jahreChange();
    void tageChange();
    void setCaption(const QString &text);
    void setFotoIndex(int index);
    void tageFuellen();

    TkelUiServices &m_ui;
    TkelFortschritt &m_meter;
    TkelKeyComboModel *m_jahre;
    TkelKeyComboModel *m_tage;
    QString m_grundpfad;
    bool m_mitWochentag = false;
    bool m_startphase = true;
    bool m_diashow = false;
    bool m_stumm = false;
    QString m_jahresOrdner;
    QString m_tagesOrdner;
    QString m_tagesTitel;
    QStringList m_fotos;
    int m_fotoIndex = -1;
    QString m_bild;
    QString m_caption;
};
