#pragma once

#include "framework/ke7_keylistmodel.h"
#include "framework/ke7_parameterclient.h"

#include <QListWidget>

// List box whose rows are (display text, key) pairs: selection by key, deletion by key.
// The behaviour lives in TkelKeyListModel; the rows mirror it. Fill and empty it only
// through AddKey, DelKey and Clear (QListWidget's own addItem/clear bypass the keys).
class TkelKeyListBox : public QListWidget, public TkelParameterClient
{
    Q_OBJECT
public:
    explicit TkelKeyListBox(QWidget *parent = nullptr);

    TkelKeyListModel &Modell() { return *m_modell; }
    const TkelKeyListModel &Modell() const { return *m_modell; }

    const QStringList &KeyList() const { return m_modell->KeyList(); }
    const QStringList &Items() const { return m_modell->Items(); }
    int KeyCount() const { return m_modell->KeyCount(); }
    bool KeyExists(const QString &key) const { return m_modell->KeyExists(key); }

    void AddKey(const QString &key, const QString &text) { m_modell->AddKey(key, text); }
    void AddKeyInt(int key, const QString &text) { m_modell->AddKeyInt(key, text); }
    void AddKeyString(const TkelKeyString &item) { m_modell->AddKeyString(item); }

    // Key of the selected row; empty without one.
    QString Key() const { return m_modell->Key(); }
    void SetKey(const QString &key) { m_modell->SetKey(key); }
    int KeyAsInteger() const { return m_modell->KeyAsInteger(); }
    void SetKeyAsInteger(int key) { m_modell->SetKeyAsInteger(key); }
    QString GetText() const { return m_modell->GetText(); }
    void SetText(const QString &key, const QString &text) { m_modell->SetText(key, text); }
    bool GetKeyString(TkelKeyString &item) const { return m_modell->GetKeyString(item); }
    void DelKey(const QString &key) { m_modell->DelKey(key); }
    QString KeyListToSemikolon() const { return m_modell->KeyListToSemikolon(); }
    void Clear() { m_modell->Clear(); }

    bool kelPAR_Save_Keys() const { return m_saveKeys; }
    void setKelPAR_Save_Keys(bool wert) { m_saveKeys = wert; }

    // The selected key under `name`; with kelPAR_Save_Keys also every row under Name_Keys_ii.
    void parSpeichern(TpexIniFile &ini, const QString &section, const QString &name) override;
    // With kelPAR_Save_Keys: Clear and the stored rows; then SetKey(stored key), whose
    // default is the key before loading.
    void parLaden(TpexIniFile &ini, const QString &section, const QString &name) override;

private:
    void zeilenEingefuegt(int erste, int letzte);
    void zeilenGeaendert(const QModelIndex &oben, const QModelIndex &unten);
    void zeilenEntfernt(int erste, int letzte);
    void auswahlZeigen(int index);

    TkelKeyListModel *m_modell;
    bool m_saveKeys = false;
    // Set while the rows follow the model, so the view's own row changes are not fed back.
    bool m_folgt = false;
};
