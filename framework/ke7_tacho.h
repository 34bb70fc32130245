#pragma once

#include "framework/ke7_fortschritt.h"
#include "framework/ke7_uiservices.h"

#include <QFlags>
#include <QObject>
#include <QPointer>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QWidget;
class TkelTachoFenster;

// Which parts the progress window has.
enum class TkelTachoOption {
    doCancel = 0x01, // an "Abbruch" button
    doLabel = 0x02, // the caption line, later the count line
    doModal = 0x04, // the program's other windows are disabled while it shows
    doSmooth = 0x08, // a continuous bar
    doAutomatic = 0x10, // a timer advances the bar by itself every Interval ms
    doZeit = 0x20, // remaining and elapsed time lines
};
Q_DECLARE_FLAGS(TkelTachoOptions, TkelTachoOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TkelTachoOptions)

// The progress meter of the long operations: a small window with caption or count line,
// remaining and elapsed time, a bar and "Abbruch". All meters share one window; when
// operations nest, only the outermost one shows and counts (the others' steps are ignored
// until the inner ones have ended). Every step lets pending events run, so the window
// repaints and "Abbruch" works; the operation polls Abgebrochen().
class TkelTacho : public QObject, public TkelFortschritt
{
    Q_OBJECT
public:
    // Milliseconds on any fixed scale; tests inject their own clock.
    using Uhr = std::function<qint64()>;

    static constexpr TkelTachoOptions StandardOptions = { TkelTachoOption::doCancel, TkelTachoOption::doLabel,
        TkelTachoOption::doModal, TkelTachoOption::doSmooth, TkelTachoOption::doZeit };

    // The window is placed over `owner`'s window (or the active window) and the cancel
    // question and closing message go through `ui`.
    TkelTacho(QObject *owner, TkelUiServices &ui);
    // Ends a running operation first.
    ~TkelTacho() override;

    // Title, total, fresh options (doLabel, doModal, doSmooth, doZeit, plus doCancel when
    // asked for); shows the window unless already active.
    void Start(const QString &titel, int gesamt, bool mitAbbruch) override;
    void Neustart(const QString &fensterTitel, int gesamt) override;
    // Nothing unless exactly one operation runs. Updates bar and count line
    // ("5 / 20 = 25,00 %"), the time lines at most once a second, then lets events run.
    void SchrittUm(int n) override;
    void SchrittMitTitel(const QString &text) override;
    // With message: "<title> nach hh:mm:ss beendet." or "... abgebrochen." (a beep first
    // when the window is not visible). Then the window goes when this was the outermost one.
    void Beenden(bool mitMeldung) override;

    bool Abgebrochen() const override { return m_abgebrochen; }
    void setAbgebrochen(bool wert) override { m_abgebrochen = wert; }
    int Position() const override { return m_position; }
    void setPosition(int wert) override;
    int Max() const override { return m_max; }
    void setMax(int wert) override;
    QString Caption() const override { return m_caption; }
    void setCaption(const QString &text) override;

    // Ignored while a nested operation runs; changes the window title while active.
    QString FormCaption() const { return m_formCaption; }
    void setFormCaption(const QString &text);
    // Can change only while the meter is not active.
    TkelTachoOptions Options() const { return m_options; }
    void setOptions(TkelTachoOptions options);
    int Interval() const { return m_interval; }
    void setInterval(int ms);

    bool Aktiv() const { return m_aktiv; }
    void setUhr(Uhr uhr);

    // The shared window while an operation runs, else nullptr.
    static QWidget *Fortschrittsfenster();
    // -1: no operation; 0: one; each nested operation adds 1.
    static int Ebene();

    static QString AbbruchFrage() { return QStringLiteral("Soll die Verarbeitung wirklich abgebrochen werden ?"); }

private:
    void setAktiv(bool wert);
    void FensterBauen();
    static void FensterSchliessen();
    void BalkenSetzen();
    void AbbruchGeklickt();
    qint64 jetzt() const;

    TkelUiServices &m_ui;
    Uhr m_uhr;
    QString m_caption;
    QString m_formCaption;
    QString m_titel;
    TkelTachoOptions m_options = StandardOptions;
    int m_interval = 1000;
    int m_max = 100;
    int m_position = 0;
    bool m_aktiv = false;
    bool m_abgebrochen = false;
    qint64 m_aktivZeit;
    qint64 m_schaetzBasis = 0;
    qint64 m_zeitAnzeige; // last refresh of the time lines
    // The parts of the window this meter built (null otherwise or once it is gone).
    QPointer<TkelTachoFenster> m_fenster;
};
