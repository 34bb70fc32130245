#pragma once

#include "framework/ke7_keycombomodel.h"
#include "framework/ke7_parameterclient.h"

#include <QComboBox>

// Drop-down box whose items are (display text, key) pairs: selection by key, navigation,
// selection by typed prefix. The behaviour lives in TkelKeyComboModel; this class shows it.
// Typed characters (codes 32..255) never reach the edit text; they search the items.
// With kelPAR_Save_Keys the settings keep the whole list, not only the current key.
class TkelKeyComboBox : public QComboBox, public TkelParameterClient
{
    Q_OBJECT
public:
    explicit TkelKeyComboBox(QWidget *parent = nullptr);

    TkelKeyComboModel &Modell() { return *m_modell; }
    const TkelKeyComboModel &Modell() const { return *m_modell; }

    const QStringList &KeyList() const { return m_modell->KeyList(); }
    const QStringList &Items() const { return m_modell->Items(); }
    int KeyCount() const { return m_modell->KeyCount(); }
    bool KeyExists(const QString &key) const { return m_modell->KeyExists(key); }

    void AddKey(const QString &key, const QString &text) { m_modell->AddKey(key, text); }
    void AddKeyInt(int key, const QString &text) { m_modell->AddKeyInt(key, text); }
    void AddKeyString(const TkelKeyString &item) { m_modell->AddKeyString(item); }
    void AddKeyNZ(const QString &key) { m_modell->AddKeyNZ(key); }
    void AddKeyIntNZ() { m_modell->AddKeyIntNZ(); }
    void AddKeyDplMinutenHH_MM(int minuten) { m_modell->AddKeyDplMinutenHH_MM(minuten); }
    void SetKeyText(const QString &key, const QString &text) { m_modell->SetKeyText(key, text); }

    QString Key() const { return m_modell->Key(); }
    void SetKey(const QString &key) { m_modell->SetKey(key); }
    void SetKeyVorgabe(const QString &key) { m_modell->SetKeyVorgabe(key); }
    int KeyAsInteger() const { return m_modell->KeyAsInteger(); }
    void SetKeyAsInteger(int key) { m_modell->SetKeyAsInteger(key); }

    void KeyFirst() { m_modell->KeyFirst(); }
    void KeyLast() { m_modell->KeyLast(); }
    bool KeyNext() { return m_modell->KeyNext(); }
    bool KeyPrior() { return m_modell->KeyPrior(); }
    bool KeyGoto(const QString &key) { return m_modell->KeyGoto(key); }
    void Clear() { m_modell->Clear(); }

    QString ErsterEintrag() const { return m_modell->ErsterEintrag(); }
    void SetErsterEintrag(const QString &text) { m_modell->SetErsterEintrag(text); }
    bool Wraparound() const { return m_modell->Wraparound(); }
    void SetWraparound(bool wert) { m_modell->SetWraparound(wert); }

    bool kelPAR_Save_Keys() const { return m_saveKeys; }
    void setKelPAR_Save_Keys(bool wert) { m_saveKeys = wert; }

    static int DropDownMaximum() { return TkelKeyComboModel::DropDownMaximum(); }
    static void SetDropDownMaximum(int wert) { TkelKeyComboModel::SetDropDownMaximum(wert); }

    // Current key under `name`; with kelPAR_Save_Keys also every item under Name_Keys_ii.
    void parSpeichern(TpexIniFile &ini, const QString &section, const QString &name) override;
    // With kelPAR_Save_Keys: Clear and the stored items; then SetKey(stored key), whose
    // default is the key before loading.
    void parLaden(TpexIniFile &ini, const QString &section, const QString &name) override;

    // The items part of the above, shared with the path pickers.
    void EintraegeSpeichern(TpexIniFile &ini, const QString &section, const QString &name) const;
    void EintraegeLaden(TpexIniFile &ini, const QString &section, const QString &name);

signals:
    // The user picked or typed an item, or a navigation operation moved the selection.
    void OnChange();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void anzeigen();
    void markieren(int start, int laenge);

    TkelKeyComboModel *m_modell;
    bool m_saveKeys = false;
};
