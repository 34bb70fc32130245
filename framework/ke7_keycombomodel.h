#pragma once

#include "framework/ke7_keylist.h"

#include <QObject>
#include <QString>

// The behaviour of a keyed combo box without its window: the items, the current key and the
// text shown in the edit field, navigation, selection by typed prefix and the number of
// drop-down rows. TkelKeyComboBox is a thin view over it.
class TkelKeyComboModel : public QObject
{
    Q_OBJECT
public:
    explicit TkelKeyComboModel(QObject *parent = nullptr);

    TkelKeyList &Liste() { return *m_liste; }
    const TkelKeyList &Liste() const { return *m_liste; }
    // The keys, parallel to the display texts.
    const QStringList &KeyList() const { return m_liste->Keys(); }
    const QStringList &Items() const { return m_liste->Texte(); }
    int KeyCount() const { return m_liste->Count(); }
    bool KeyExists(const QString &key) const { return m_liste->KeyExists(key); }

    // Appends an item unless its key exists (ignoring case), in which case nothing changes.
    // When the current key equals the new key exactly, its text is shown at once.
    void AddKey(const QString &key, const QString &text);
    void AddKeyInt(int key, const QString &text);
    void AddKeyString(const TkelKeyString &item);
    // The item (key, "[nicht zugeordnet]"), which also becomes ErsterEintrag (not shown yet).
    void AddKeyNZ(const QString &key);
    void AddKeyIntNZ() { AddKeyNZ(QStringLiteral("0")); }
    // AddKeyInt(minuten, "hh:mm"): 90 gives 01:30.
    void AddKeyDplMinutenHH_MM(int minuten);
    // New display text for an existing key; shown at once when it is the current key.
    void SetKeyText(const QString &key, const QString &text);

    QString Key() const { return m_key; }
    // Selects by key, blanks at both ends removed. An empty key selects the key "0" when it
    // exists, else nothing (ErsterEintrag shown). A missing key changes nothing. No OnChange.
    void SetKey(const QString &key);
    // The key as given in a window definition: it becomes the current key even when its item
    // does not exist yet (nothing is shown until AddKey adds it).
    void SetKeyVorgabe(const QString &key);
    // 0 when the current key is empty or no number.
    int KeyAsInteger() const;
    void SetKeyAsInteger(int key) { SetKey(QString::number(key)); }

    // Navigation; each fires OnChange after selecting (see the individual rules).
    // KeyFirst/KeyLast fire OnChange also on an empty list.
    void KeyFirst();
    void KeyLast();
    // False, without OnChange, at the end / start of the list.
    bool KeyNext();
    bool KeyPrior();
    // Selects the key in the letter case it is stored with; false when missing.
    bool KeyGoto(const QString &key);

    // Empties the list; no key, ErsterEintrag shown.
    void Clear();

    QString ErsterEintrag() const { return m_ersterEintrag; }
    // A different value is also shown at once.
    void SetErsterEintrag(const QString &text);
    bool Wraparound() const { return m_wraparound; }
    void SetWraparound(bool wert) { m_wraparound = wert; }

    // What the edit field shows and the index of that item (-1 for none).
    QString Text() const { return m_text; }
    int AnzeigeIndex() const { return m_anzeigeIndex; }

    // The user picked an item or edited the text: the key of the first item with that display
    // text (ignoring case), or none; then OnChange.
    void Change(const QString &text);

    // A typed character. Codes 32..255 are swallowed (true) and search the items by prefix;
    // everything else is left to the edit field (false).
    bool Zeichen(QChar zeichen);
    // Backspace: empties the typed prefix and clears the edit selection.
    void Rueckschritt();
    // Entering the control starts a new typed prefix.
    void FokusErhalten() { m_puffer.clear(); }
    QString Suchpuffer() const { return m_puffer; }
    int LetzterTreffer() const { return m_letzterTreffer; }

    // Drop-down rows of this box: min(items, drop-down maximum), set by each AddKey.
    int DropDownCount() const { return m_dropDownCount; }
    // One maximum for every keyed combo box of the program: 8 at start; an AddKey raises a
    // lower value to 8. The main window sets 20.
    static int DropDownMaximum();
    static void SetDropDownMaximum(int wert);

    static QString NichtZugeordnet() { return QStringLiteral("[nicht zugeordnet]"); }

signals:
    void OnChange();
    // Text() or AnzeigeIndex() changed.
    void anzeigeGeaendert();
    // Select this range of the edit field's text (length 0: no selection, cursor at start).
    void markieren(int start, int laenge);
    void dropDownCountGeaendert(int zeilen);

private:
    void Anzeigen(const QString &text, int index);

    TkelKeyList *m_liste;
    QString m_key;
    QString m_text;
    int m_anzeigeIndex = -1;
    QString m_ersterEintrag;
    QString m_puffer;
    int m_letzterTreffer = 0;
    bool m_wraparound = false;
    int m_dropDownCount;
};
