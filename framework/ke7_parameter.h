#pragma once

#include "framework/ke7_parameterwerte.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;
class TpexIniFile;

// Tag of a control: decides together with TagInclusive/TagExclusive whether TkelParameter
// persists it. Stored as the dynamic property "Tag" (0 when unset).
void setTag(QObject *control, int tag);
int tag(const QObject *control);

// Saves and restores a window's state in the window's own section of the settings file:
// position and size, the values of its marked controls, the remembered entries of keyed
// lists, and single values the window reads and writes itself. The section is the owner's
// class name (metaObject()->className()).
//
// The controls visited are the owner's descendants in tree order (each parent's children
// in creation order), without the inside of compound controls (spin boxes, combo boxes,
// edits, item views, radio groups, TkelParameterClient implementers), of separate windows
// and of nested panels that have a TkelParameter of their own. Unnamed controls and Qt's
// internal parts ("qt_..." names) are skipped.
//
// Kinds: TkelParameterClient (it stores itself, nothing else is done), QPlainTextEdit and
// QTextEdit (list lines), QLineEdit (string), QDateEdit (date "dd.MM.yyyy"), QDoubleSpinBox
// (decimal number, German notation), TkelRadioGroup (item index), QSpinBox (integer),
// Tkel_Groupbox (flag: checked), QCheckBox and QRadioButton (flag), checkable QToolButton
// (flag: down), plain QComboBox (item index), QListWidget (item index, then list lines).
//
// A refused write throws TkelFehler("In <path> kann nicht geschrieben werden"), which ends
// Speichern at once.
class TkelParameter : public QObject
{
    Q_OBJECT
public:
    // Belongs to `owner` (its QObject parent) and persists it.
    explicit TkelParameter(QWidget *owner);

    QWidget *Owner() const;

    // Path of a private settings file; empty (the default) means the shared one.
    QString DateiName() const { return m_dateiName; }
    void setDateiName(const QString &datei) { m_dateiName = datei; }
    int TagExclusive() const { return m_tagExclusive; }
    void setTagExclusive(int t) { m_tagExclusive = t; }
    int TagInclusive() const { return m_tagInclusive; }
    void setTagInclusive(int t) { m_tagInclusive = t; }
    // Whether the owner window's position and size are saved and restored.
    bool FormPosSizeSave() const { return m_formPosSizeSave; }
    void setFormPosSizeSave(bool an) { m_formPosSizeSave = an; }

    // Selection rule: both tags 0 → no; t = TagInclusive ≠ 0 → yes; TagExclusive ≠ 0 and
    // t ≠ TagExclusive → yes; else no.
    static bool Persistiert(int tagInclusive, int tagExclusive, int t);
    bool IstPersistiert(const QObject *control) const;
    // The controls that Laden and Speichern visit, in order (before the selection rule).
    QList<QObject *> Kandidaten() const;

    // Class name of the owner; empty without an owner.
    QString SectionName() const;
    // DateiName when set, else the shared settings file's path.
    QString IniDateiName() const;

    // Loads geometry and controls. Does nothing without an owner, and when a private file
    // is named but missing (no event fires then).
    void Laden();
    // Erases the section, then writes geometry and controls. Everything else the window
    // keeps in its section must be written again from OnSpeichern.
    void Speichern();

    // Single values in the owner's section; reads give `def` and writes do nothing when the
    // key or the section name is empty.
    QString ReadString(const QString &key, const QString &def) const;
    void WriteString(const QString &key, const QString &wert);
    int ReadInteger(const QString &key, int def) const;
    void WriteInteger(const QString &key, int wert);
    // "Ja"/"Nein" values (IsJa).
    bool ReadBool(const QString &key, bool def) const;
    void WriteBool(const QString &key, bool wert);
    // Width of a control under Name + "__WIDTH"; nothing for no control.
    void LoadWidth(QWidget *control);
    void SaveWidth(QWidget *control);
    // Font strings (FontToString / StringToFont); a malformed string throws TkelFehler.
    void LoadFont(const QString &key, QFont *font);
    void LoadFont(const QString &key, TkelSchrift *schrift);
    void SaveFont(const QString &key, const QFont *font);
    void SaveFont(const QString &key, const TkelSchrift *schrift);

    // The 800x600 switch: a parameter beginning with "/8X6" or "8X6", in any letter case.
    static bool Schalter8X6(const QStringList &parameter);
    // The program's parameters (without the program itself) that the switch is looked for
    // in; by default those of the running application.
    static void setKommandozeile(const QStringList &parameter);
    static bool Ist8X6();

signals:
    void OnBeforeLaden();
    // After all controls were loaded.
    void OnLaden();
    void OnAfterLaden();
    // At the start of Speichern, before the section is erased.
    void OnBeforeSpeichern();
    // After all controls were written; the place to write the window's own values.
    void OnSpeichern();
    void OnAfterSpeichern();

protected:
    // Called after each persisted control was written / loaded. Nothing here.
    virtual void SpeichernComponent(TpexIniFile &ini, QObject *control, const QString &section);
    virtual void LadenComponent(TpexIniFile &ini, QObject *control, const QString &section);

private:
    TpexIniFile &ini(std::unique_ptr<TpexIniFile> &privat) const;
    QString abschnitt() const;
    void geometrieLaden(TpexIniFile &ini, const QString &section);
    void geometrieSpeichern(TpexIniFile &ini, const QString &section);
    void controlLaden(TpexIniFile &ini, const QString &section, QObject *control);
    void controlSpeichern(TpexIniFile &ini, const QString &section, QObject *control);

    QString m_dateiName;
    int m_tagExclusive = 0;
    int m_tagInclusive = 0;
    bool m_formPosSizeSave = false;
};
