#pragma once

#include "framework/ke7_keycombobox.h"
#include "framework/ke7_parameterclient.h"
#include "framework/ke7_uiservices.h"

#include <QWidget>

class QPushButton;

// Common part of the folder and file pickers: a keyed combo box with a small "..." button
// to its right that opens a chooser. Every chosen path becomes an entry (appended, in the
// order of first use, never removed except by Clear) and is selected.
// Layout: the panel is as high as the combo box; the button is square, 2 pixels lower than
// the combo box and right-aligned; the combo box takes the rest of the width minus 2.
class TkelKeyComboPanel : public QWidget, public TkelParameterClient
{
    Q_OBJECT
public:
    TkelKeyComboBox *Combo() const { return m_combo; }
    QPushButton *Knopf() const { return m_knopf; }

    // Without UI services the choosers are the real dialogs.
    void setUiServices(TkelUiServices *ui) { m_ui = ui; }

    void AddKey(const QString &key, const QString &text) { m_combo->AddKey(key, text); }
    void Clear() { m_combo->Clear(); }
    void KeyFirst() { m_combo->KeyFirst(); }
    int KeyCount() const { return m_combo->KeyCount(); }
    const QStringList &Items() const { return m_combo->Items(); }
    const QStringList &KeyList() const { return m_combo->KeyList(); }
    QString Key() const { return m_combo->Key(); }

    bool kelPAR_Save_Keys() const { return m_combo->kelPAR_Save_Keys(); }
    void setKelPAR_Save_Keys(bool wert) { m_combo->setKelPAR_Save_Keys(wert); }

    // The value (Wert) under `name`, then the entries when kelPAR_Save_Keys is on.
    void parSpeichern(TpexIniFile &ini, const QString &section, const QString &name) override;
    // The entries when kelPAR_Save_Keys is on, then the stored value (default: the value before loading).
    void parLaden(TpexIniFile &ini, const QString &section, const QString &name) override;

    // Opens the chooser as the button does.
    void Waehlen();

signals:
    // The user picked or chose an entry.
    void OnChange();

protected:
    TkelKeyComboPanel(const QString &hinweis, QWidget *parent, TkelUiServices *ui);

    TkelUiServices &ui();
    // The chooser; true with the chosen path when the user confirmed.
    virtual bool Auswaehlen(QString &pfad) = 0;
    // What the settings store under the picker's name, and how it is applied on loading.
    virtual QString Wert() const = 0;
    virtual void WertSetzen(const QString &wert) = 0;

    void resizeEvent(QResizeEvent *event) override;

private:
    void anordnen();

    TkelKeyComboBox *m_combo;
    QPushButton *m_knopf;
    TkelUiServices *m_ui;
};
