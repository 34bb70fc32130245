#pragma once

#include "framework/ke7_keylist.h"

#include <QObject>
#include <QString>

// The behaviour of a keyed list box without its window: the items, the selected row, the
// key last passed to SetKey, deletion by key. TkelKeyListBox is a thin view over it.
class TkelKeyListModel : public QObject
{
    Q_OBJECT
public:
    explicit TkelKeyListModel(QObject *parent = nullptr);

    TkelKeyList &Liste() { return *m_liste; }
    const TkelKeyList &Liste() const { return *m_liste; }
    const QStringList &KeyList() const { return m_liste->Keys(); }
    const QStringList &Items() const { return m_liste->Texte(); }
    int KeyCount() const { return m_liste->Count(); }
    bool KeyExists(const QString &key) const { return m_liste->KeyExists(key); }

    // Appends an item unless its key exists (ignoring case).
    void AddKey(const QString &key, const QString &text);
    void AddKeyInt(int key, const QString &text);
    void AddKeyString(const TkelKeyString &item);

    // The selected row, -1 for none; the view reports the user's choice through SetItemIndex.
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int index);

    // Key of the selected row; empty without a selection inside the list.
    QString Key() const;
    // Nothing when `key` equals the remembered key exactly; else selects the row of the key
    // (ignoring case) and remembers it, or forgets the remembered key (selection unchanged).
    void SetKey(const QString &key);
    QString GemerkterKey() const { return m_gemerkterKey; }
    // 0 when the key is empty or no number.
    int KeyAsInteger() const;
    void SetKeyAsInteger(int key) { SetKey(QString::number(key)); }

    // Display text of the selected row; empty without one.
    QString GetText() const;
    // New display text for an existing key.
    void SetText(const QString &key, const QString &text);
    // Fills `item` from the selected row; false and `item` untouched without one.
    bool GetKeyString(TkelKeyString &item) const;

    // Removes the key's row and selects the row that took its place (the new last row when
    // the last was removed). A missing key: nothing.
    void DelKey(const QString &key);

    // "a;b;c;" for the keys a, b, c.
    QString KeyListToSemikolon() const { return m_liste->KeyListToSemikolon(); }

    // Empties the list and forgets the remembered key.
    void Clear();

signals:
    void auswahlGeaendert(int index);

private:
    TkelKeyList *m_liste;
    int m_itemIndex = -1;
    QString m_gemerkterKey;
};
