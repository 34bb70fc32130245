#pragma once

#include "imaging/ke7_fotoloader.h"

#include <QColor>
#include <QFrame>
#include <QString>

class QAction;
class QMenu;

// Shows one photo file in a panel, at natural size centred (cropped when larger) or fitted
// into the panel with a margin of 5 pixels. The owner sets the file name; the view knows
// nothing about the archive. A missing file keeps the picture shown before, a file that
// cannot be read clears the panel; neither is reported. A right click opens the view's menu:
// "Alle Bilder anpassen" (X) and "Zu große Bilder anpassen" (Y), then the owner's entries.
class TkelFoto : public QFrame
{
    Q_OBJECT
public:
    explicit TkelFoto(QWidget *parent = nullptr);
    ~TkelFoto() override;

    // "Alle Bilder anpassen": every photo is scaled to fit, up or down. Setting a new value
    // ticks the menu entry and shows the photo again.
    bool Stretch() const { return m_stretch; }
    void setStretch(bool wert);
    // "Zu große Bilder anpassen": only photos larger than the panel are scaled down.
    bool Grossanpassen() const { return m_grossanpassen; }
    void setGrossanpassen(bool wert);

    // The photo file shown. Setting it always shows the file again, also the same name: a
    // picture in memory is used only while the file on disk is unchanged.
    QString BildDateiname() const { return m_dateiname; }
    void setBildDateiname(const QString &pfad);

    // The menu toggles: each switches its mode, and switching it on switches the other off.
    void ToggleStretch();
    void ToggleGrossanpassen();

    // Appends the owner's action to the menu (caption, key, tick, enabled state and visibility
    // follow the action) and returns it.
    QAction *AddAction(QAction *aktion);
    // Appends a separator line and returns it.
    QAction *AddSeparator();

    // Reads the file and lays it out; runs on every resize as well. While the view is hidden
    // the work waits until it is shown.
    void Anzeigen();

    // Read-ahead: prepares pfad for the view's current size and modes on a worker thread, so
    // that setting it as BildDateiname later shows it without decoding.
    void Vorbereiten(const QString &pfad);

    // The colour around the picture (the main window uses black).
    QColor Hintergrundfarbe() const;
    void setHintergrundfarbe(const QColor &farbe);

    QMenu *Menue() const { return m_menue; }
    QAction *StretchAktion() const { return m_stretchAktion; }
    QAction *GrossanpassenAktion() const { return m_grossAktion; }
    // The picture area: fitted pictures set its geometry, at natural size it fills the panel.
    QWidget *Bildflaeche() const;
    // What the picture area shows; anzeige is null while the panel is cleared.
    const TkelFotoBild &Bild() const { return m_bild; }
    TkelFotoLader *Lader() const { return m_lader; }

signals:
    // The user clicked the picture.
    void OnClick();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    class Flaeche;

    TkelFotoZiel ziel() const;
    void bildSetzen(const TkelFotoBild &bild);
    void vorbereitenNachholen();

    bool m_stretch = false;
    bool m_grossanpassen = false;
    QString m_dateiname;
    bool m_ausstehend = false;
    QString m_vorbereiten; // the photo last asked to be read ahead
    TkelFotoBild m_bild;
    Flaeche *m_flaeche = nullptr;
    QMenu *m_menue = nullptr;
    QAction *m_stretchAktion = nullptr;
    QAction *m_grossAktion = nullptr;
    TkelFotoLader *m_lader = nullptr;
};
