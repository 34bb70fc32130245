#include "imaging/ke7_foto.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

// The picture area: draws the part of the decoded picture that is visible, unscaled (the
// loader has already brought it to its size), and reports clicks on itself. Without a
// background of its own, so the panel's colour shows around the picture.
class TkelFoto::Flaeche : public QWidget
{
public:
    explicit Flaeche(TkelFoto *foto)
        : QWidget(foto)
        , m_foto(foto)
    { }

    // The part teil of bild is drawn with its top-left corner at ort.
    void setBild(const QImage &bild, QRect teil, QPoint ort)
    {
        m_bild = bild;
        m_teil = teil;
        m_ort = ort;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_bild.isNull() || m_teil.isEmpty())
            return;
        QPainter maler(this);
        maler.drawImage(m_ort, m_bild, m_teil);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        m_gedrueckt = event->button() == Qt::LeftButton;
        QWidget::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        const bool klick = m_gedrueckt && event->button() == Qt::LeftButton && rect().contains(event->pos());
        m_gedrueckt = false;
        if (klick)
            emit m_foto->OnClick();
        else
            QWidget::mouseReleaseEvent(event);
    }

private:
    TkelFoto *m_foto;
    QImage m_bild;
    QRect m_teil;
    QPoint m_ort;
    bool m_gedrueckt = false;
};

TkelFoto::TkelFoto(QWidget *parent)
    : QFrame(parent)
    , m_flaeche(new Flaeche(this))
    , m_menue(new QMenu(this))
    , m_lader(new TkelFotoLader(this))
{
    setAutoFillBackground(true);
    // A click on the picture gives the view the focus, so that its two keys work.
    setFocusPolicy(Qt::ClickFocus);
    m_flaeche->setGeometry(contentsRect());

    m_stretchAktion = new QAction(QStringLiteral("Alle Bilder anpassen"), this);
    m_stretchAktion->setCheckable(true);
    m_stretchAktion->setShortcut(QKeySequence(Qt::Key_X));
    // The owner's window may hold several views; each reacts only while it has the focus.
    m_stretchAktion->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_stretchAktion, &QAction::triggered, this, &TkelFoto::ToggleStretch);

    m_grossAktion = new QAction(QStringLiteral("Zu große Bilder anpassen"), this);
    m_grossAktion->setCheckable(true);
    m_grossAktion->setShortcut(QKeySequence(Qt::Key_Y));
    m_grossAktion->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_grossAktion, &QAction::triggered, this, &TkelFoto::ToggleGrossanpassen);

    addAction(m_stretchAktion);
    addAction(m_grossAktion);
    m_menue->addAction(m_stretchAktion);
    m_menue->addAction(m_grossAktion);
}

TkelFoto::~TkelFoto() = default;

QWidget *TkelFoto::Bildflaeche() const
{
    return m_flaeche;
}

void TkelFoto::setStretch(bool wert)
{
    if (wert == m_stretch)
        return;
    m_stretch = wert;
    m_stretchAktion->setChecked(wert);
    Anzeigen();
}

void TkelFoto::setGrossanpassen(bool wert)
{
    if (wert == m_grossanpassen)
        return;
    m_grossanpassen = wert;
    m_grossAktion->setChecked(wert);
    Anzeigen();
}

void TkelFoto::setBildDateiname(const QString &pfad)
{
    m_dateiname = pfad;
    Anzeigen();
}

void TkelFoto::ToggleStretch()
{
    setStretch(!m_stretch);
    if (m_stretch)
        setGrossanpassen(false);
}

void TkelFoto::ToggleGrossanpassen()
{
    setGrossanpassen(!m_grossanpassen);
    if (m_grossanpassen)
        setStretch(false);
}

QAction *TkelFoto::AddAction(QAction *aktion)
{
    m_menue->addAction(aktion);
    return aktion;
}

QAction *TkelFoto::AddSeparator()
{
    return m_menue->addSeparator();
}

QColor TkelFoto::Hintergrundfarbe() const
{
    return palette().color(QPalette::Window);
}

void TkelFoto::setHintergrundfarbe(const QColor &farbe)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, farbe);
    setPalette(p);
}

TkelFotoZiel TkelFoto::ziel() const
{
    TkelFotoZiel z;
    z.flaeche = contentsRect().size();
    z.stretch = m_stretch;
    z.grossanpassen = m_grossanpassen;
    return z;
}

void TkelFoto::Vorbereiten(const QString &pfad)
{
    m_vorbereiten = pfad;
    // A hidden view has no size yet; a read-ahead for it would be wasted on the wrong size.
    // showEvent and resizeEvent ask again once the size is known.
    if (isVisible())
        m_lader->vorbereiten(pfad, ziel());
}

void TkelFoto::vorbereitenNachholen()
{
    if (isVisible() && !m_vorbereiten.isEmpty() && m_vorbereiten != m_dateiname)
        m_lader->vorbereiten(m_vorbereiten, ziel());
}

void TkelFoto::Anzeigen()
{
    m_flaeche->show();
    // A hidden view has no size worth decoding for yet; showEvent catches up.
    if (!isVisible()) {
        m_ausstehend = true;
        return;
    }
    m_ausstehend = false;
    if (!TkelDateiStand::lesen(m_dateiname).datei)
        return;
    const TkelFotoBild bild = m_lader->holen(m_dateiname, ziel());
    bildSetzen(bild.ok() ? bild : TkelFotoBild());
}

void TkelFoto::bildSetzen(const TkelFotoBild &bild)
{
    m_bild = bild;
    const QRect client = contentsRect();
    if (bild.ok() && bild.eingepasst) {
        m_flaeche->setGeometry(bild.rechteck.translated(client.topLeft()));
        m_flaeche->setBild(bild.anzeige, bild.anzeigeTeil, QPoint(0, 0));
    } else {
        m_flaeche->setGeometry(client);
        m_flaeche->setBild(bild.anzeige, bild.anzeigeTeil, bild.anzeigeOrt);
    }
}

void TkelFoto::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    Anzeigen();
    vorbereitenNachholen();
}

void TkelFoto::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    if (m_ausstehend)
        Anzeigen();
    vorbereitenNachholen();
}

void TkelFoto::contextMenuEvent(QContextMenuEvent *event)
{
    m_menue->popup(event->globalPos());
    event->accept();
}
