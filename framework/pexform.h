#pragma once

#include <QDialog>
#include <QMainWindow>
#include <QString>

// The base of every window: Enter moves the focus on like Tab (ActivReturn), OnAfterCreate
// fires once after the creating code has finished, OnFirstActivate at the first
// activation, and MainFormSize gives the window the main window's place and size.
// TPexForm is the base of the dialogs and the other windows, TPexMainForm the same for a
// window built on QMainWindow. Unlike a plain QDialog, Esc does not close a TPexForm; a
// window that wants that binds Esc to an action of its own.

// The program's main window; nullptr until the main window registers itself at the end of
// its construction.
QWidget *Hauptfenster();
void HauptfensterSetzen(QWidget *fenster);

// Control kinds on which Enter keeps its own meaning. QPushButton (with its subclasses) is
// registered from the start.
void EnterKlasseRegistrieren(const QMetaObject *klasse);
bool EnterBehalten(const QWidget *control);

class TPexForm : public QDialog
{
    Q_OBJECT
public:
    explicit TPexForm(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    // Enter moves the focus to the next control (default true).
    bool ActivReturn() const { return m_activReturn; }
    void setActivReturn(bool an) { m_activReturn = an; }
    // Free text for the window's own use.
    QString TagString() const { return m_tagString; }
    void setTagString(const QString &text) { m_tagString = text; }
    // When switched on (by the window's constructor) and a main window other than this one
    // exists: on a desktop wider than 800 pixels the window takes the main window's place
    // and size, else it is maximised.
    bool MainFormSize() const { return m_mainFormSize; }
    void setMainFormSize(bool an);

signals:
    // Once, after construction and the events pending then; the place to load settings.
    void OnAfterCreate();
    void OnFirstActivate();
    // Asked before Enter is turned into Tab; set `erlauben` to false to keep Enter.
    void OnTestReturn(QWidget *control, bool &erlauben);

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    bool m_activReturn = true;
    QString m_tagString;
    bool m_mainFormSize = false;
    bool m_erstAktiviert = false;
};

class TPexMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TPexMainForm(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    bool ActivReturn() const { return m_activReturn; }
    void setActivReturn(bool an) { m_activReturn = an; }
    QString TagString() const { return m_tagString; }
    void setTagString(const QString &text) { m_tagString = text; }
    bool MainFormSize() const { return m_mainFormSize; }
    void setMainFormSize(bool an);

signals:
    void OnAfterCreate();
    void OnFirstActivate();
    void OnTestReturn(QWidget *control, bool &erlauben);

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    bool m_activReturn = true;
    QString m_tagString;
    bool m_mainFormSize = false;
    bool m_erstAktiviert = false;
};
