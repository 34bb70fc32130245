#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The progress interface through which every long operation reports. Protocol of a caller:
//   1. Start / StartWarten / StartEinfach (later optionally Neustart / NeustartWarten to
//      count a second phase with a new total);
//   2. for each item: stop when Abgebrochen(); do the work; Schritt() or SchrittMitTitel(text);
//   3. on every path, also on error or cancel: Beenden(false), or Beenden(true) for the
//      closing message.
// The widgets layer shows it as a small window (TkelTacho); core tests use TkelFortschrittStumm.
class TkelFortschritt
{
public:
    virtual ~TkelFortschritt();

    // Starts an operation titled `titel` with `gesamt` items; `mitAbbruch` asks for the
    // "Abbruch" button. Position goes back to 0.
    virtual void Start(const QString &titel, int gesamt, bool mitAbbruch) = 0;
    void StartWarten(int gesamt, bool mitAbbruch) { Start(BitteWarten(), gesamt, mitAbbruch); }
    void StartEinfach(bool mitAbbruch) { Start(BitteWarten(), 1, mitAbbruch); }

    // Counts a new phase: window title, new total, position 0, time estimate from now on.
    // Re-enables a disabled "Abbruch" button; the cancelled flag stays as it is.
    virtual void Neustart(const QString &fensterTitel, int gesamt) = 0;
    void NeustartWarten(int gesamt) { Neustart(BitteWarten(), gesamt); }

    // Advances by n items and lets pending window events run.
    virtual void SchrittUm(int n) = 0;
    void Schritt() { SchrittUm(1); }
    // Shows `text` as window title, then one step.
    virtual void SchrittMitTitel(const QString &text) = 0;

    // Ends the operation; with `mitMeldung` the user is told how long it took and whether
    // it was cancelled.
    virtual void Beenden(bool mitMeldung) = 0;

    // True once the user confirmed "Abbruch"; reset by the next fresh start.
    virtual bool Abgebrochen() const = 0;
    virtual void setAbgebrochen(bool wert) = 0;

    virtual int Position() const = 0;
    virtual void setPosition(int wert) = 0;
    virtual int Max() const = 0;
    virtual void setMax(int wert) = 0;
    // The caption line's text until the first step.
    virtual QString Caption() const = 0;
    virtual void setCaption(const QString &text) = 0;

    static QString BitteWarten() { return QStringLiteral("Bitte warten..."); }
};

// A meter without window for headless use and tests: keeps the state and records what the
// operation reported. `abbrechenNach` >= 0 plays a user who confirms "Abbruch" once that
// many steps were counted.
class TkelFortschrittStumm : public TkelFortschritt
{
public:
    void Start(const QString &titel, int gesamt, bool mitAbbruch) override;
    void Neustart(const QString &fensterTitel, int gesamt) override;
    void SchrittUm(int n) override;
    void SchrittMitTitel(const QString &text) override;
    void Beenden(bool mitMeldung) override;
    bool Abgebrochen() const override { return m_abgebrochen; }
    void setAbgebrochen(bool wert) override { m_abgebrochen = wert; }
    int Position() const override { return m_position; }
    void setPosition(int wert) override { m_position = wert; }
    int Max() const override { return m_max; }
    void setMax(int wert) override { m_max = wert; }
    QString Caption() const override { return m_caption; }
    void setCaption(const QString &text) override { m_caption = text; }

    bool Aktiv() const { return m_aktiv; }

    // Recorded calls.
    QStringList startTitel; // titles of Start, in order
    QStringList neustartTitel; // window titles of Neustart, in order
    QStringList schrittTitel; // texts of SchrittMitTitel, in order
    int schritte = 0; // items counted while active, over all operations
    int beendet = 0; // calls of Beenden
    int meldungen = 0; // calls of Beenden(true)
    bool mitAbbruch = false; // the last start asked for the cancel button
    int abbrechenNach = -1;
    std::function<void(int position)> beiSchritt; // runs after each counted step

private:
    bool m_aktiv = false;
    bool m_abgebrochen = false;
    int m_position = 0;
    int m_max = 100;
    QString m_caption;
};
