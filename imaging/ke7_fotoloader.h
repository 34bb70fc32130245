#pragma once

#include <QFuture>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <list>
#include <memory>

// Loading photos for the photo view: the fit rule, the decode at display size, and a small
// cache with read-ahead on a worker thread. Headless; the view (TkelFoto) only draws.

// Rectangle (in client coordinates) of a picture of size bild fitted into a client area of
// size flaeche with margin rand on every side: the aspect ratio is kept, the limiting side
// touches the margin, the other side is centred. Computed in double precision, every pixel
// value truncated toward zero. An empty picture gives a null QRect (the picture stays where it
// is); a client area smaller than the margins gives a zero-sized rectangle.
QRect BildEinpassen(QSize bild, QSize flaeche, int rand = 5);

// Whether the view scales the picture: always with stretch (for a non-empty picture), with
// grossanpassen only when the picture is wider or higher than the full client area.
bool FotoEinpassen(QSize bild, QSize flaeche, bool stretch, bool grossanpassen);

// What a view asks for: its client size and its two fit modes.
struct TkelFotoZiel
{
    QSize flaeche;
    bool stretch = false;
    bool grossanpassen = false;

    bool operator==(const TkelFotoZiel &o) const
    {
        return flaeche == o.flaeche && stretch == o.stretch && grossanpassen == o.grossanpassen;
    }
    bool operator!=(const TkelFotoZiel &o) const { return !(*this == o); }
};

// Where the whole picture lies in the client area: the fitted rectangle when the view fits
// it, otherwise the natural size centred (reaching beyond the client area when larger).
QRect FotoRechteck(QSize bild, const TkelFotoZiel &ziel);

// Identity of a file's content as far as the file system tells it: size, modification and
// status-change time in nanoseconds, device and inode. A rewrite, a rename over the file or a
// reset modification time all change it (the status-change time cannot be set back).
struct TkelDateiStand
{
    bool datei = false; // a regular file exists (a folder does not count)
    qint64 groesse = 0;
    qint64 geaendert = 0;
    qint64 statusGeaendert = 0;
    quint64 geraet = 0;
    quint64 knoten = 0;

    static TkelDateiStand lesen(const QString &pfad);
    bool operator==(const TkelDateiStand &o) const;
    bool operator!=(const TkelDateiStand &o) const { return !(*this == o); }
};

// One photo laid out for one target. Drawing it: the part anzeigeTeil of anzeige goes to
// anzeigeOrt in client coordinates, unscaled.
struct TkelFotoBild
{
    QString pfad;
    TkelDateiStand stand; // the file as it was when it was read
    TkelFotoZiel ziel;
    QSize original; // size as stored in the file (EXIF orientation is not applied)
    bool eingepasst = false;
    QRect rechteck; // FotoRechteck(original, ziel)
    QImage anzeige; // RGB32 (ARGB32 premultiplied for pictures with transparency)
    QRect anzeigeTeil;
    QPoint anzeigeOrt;
    QImage quelle; // decoded pixels kept for a layout for another size
    QRect quellRechteck; // the part of the picture, in stored pixels, that quelle shows
    QString fehler; // why the file cannot be shown; empty when it can
    bool abgebrochen = false;

    bool ok() const { return fehler.isEmpty() && !original.isEmpty(); }
    qint64 bytes() const
    {
        return anzeige.sizeInBytes() + (quelle.cacheKey() == anzeige.cacheKey() ? 0 : quelle.sizeInBytes());
    }
};

// Loads photos for one view and keeps the last few in memory. GUI thread only, except the
// static functions. A picture in memory counts as a fresh read as long as the file's
// TkelDateiStand is unchanged; any change of the file makes the next holen() decode it again.
class TkelFotoLader : public QObject
{
    Q_OBJECT
public:
    explicit TkelFotoLader(QObject *parent = nullptr);
    // Stops a running preparation and waits for the worker.
    ~TkelFotoLader() override;

    // The picture of pfad laid out for ziel. Served from memory when the file is unchanged and
    // the decoded pixels cover the target; waits for a preparation of this very photo and
    // target that is running; otherwise decodes on the calling thread. Never throws: a file
    // that cannot be read or decoded gives a picture with fehler set.
    TkelFotoBild holen(const QString &pfad, const TkelFotoZiel &ziel);

    // Prepares pfad for ziel on the worker thread, so that a later holen() finds it ready.
    // A preparation that is still running for anything else is abandoned; one for the same
    // photo and target is kept, and a picture already in memory is not decoded again.
    void vorbereiten(const QString &pfad, const TkelFotoZiel &ziel);

    // True when holen(pfad, ziel) would need no decode (prepared or in memory, file unchanged).
    bool istVorbereitet(const QString &pfad, const TkelFotoZiel &ziel) const;

    // Drops every picture held in memory (a running preparation goes on).
    void vergessen();

    // Counters for tests and the benchmark: decodes that read a file (on any thread), and
    // preparations abandoned because a newer one superseded them.
    int dekodierungen() const { return m_dekodierungen->load(); }
    int verworfen() const { return m_verworfen; }

    // For tests: runs on the worker thread at the start of every preparation, before the file
    // is looked at.
    void setArbeitsHaken(std::function<void(const QString &)> haken);

    // Reads pfad and lays it out for ziel: JPEG files (".jpg", ".jpeg", any case) through
    // libjpeg at the smallest DCT scale that still covers the fitted size, or only the visible
    // rows around the centre when the picture is shown at natural size; other files through
    // Qt's reader for their extension. Polls abbruch between rows and returns a picture with
    // abgebrochen set when it was raised. Never throws.
    static TkelFotoBild laden(
        const QString &pfad, const TkelFotoZiel &ziel, const std::atomic<bool> *abbruch = nullptr);

    // Lays an already decoded picture out for another target without reading the file.
    // Returns false (and leaves bild alone) when its decoded pixels do not cover the target.
    static bool umlegen(TkelFotoBild &bild, const TkelFotoZiel &ziel);
    // Whether umlegen(bild, ziel) would succeed.
    static bool deckt(const TkelFotoBild &bild, const TkelFotoZiel &ziel);

signals:
    // A preparation finished and its picture is in memory.
    void vorbereitet(const QString &pfad);

private:
    struct Auftrag
    {
        quint64 nummer = 0;
        QString pfad;
        TkelFotoZiel ziel;
        std::shared_ptr<std::atomic<bool>> abbruch;
        QFuture<TkelFotoBild> ergebnis;
    };

    void uebernehmen(const TkelFotoBild &bild);
    void auftragFertig(quint64 nummer);
    const TkelFotoBild *gespeichert(const QString &pfad) const;
    void abbrechen();

    QThreadPool m_arbeiter;
    std::unique_ptr<Auftrag> m_auftrag;
    quint64 m_naechsteNummer = 1;
    std::list<TkelFotoBild> m_speicher; // newest first, one entry per path
    std::shared_ptr<std::atomic<int>> m_dekodierungen = std::make_shared<std::atomic<int>>(0);
    int m_verworfen = 0;
    std::function<void(const QString &)> m_haken;
};
