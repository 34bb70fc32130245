#pragma once

#include "framework/ke7_keyitem.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>

// One keyed item handed over as a whole (AddKeyString).
using TkelKeyString = TkelKeyItem;

// The items of a keyed list: display texts in insertion order with a parallel list of
// keys. Keys are unique ignoring letter case; texts may repeat. Key and text lookups go
// through hash indexes, so lists of many thousand items stay fast. As an item model it
// feeds the combo box and list box views (display role = text, KeyRole = key).
class TkelKeyList : public QAbstractListModel
{
    Q_OBJECT
public:
    static constexpr int KeyRole = Qt::UserRole;

    explicit TkelKeyList(QObject *parent = nullptr);

    int Count() const { return int(m_keys.size()); }
    const QStringList &Keys() const { return m_keys; }
    const QStringList &Texte() const { return m_texte; }
    QString Key(int index) const { return m_keys.value(index); }
    QString Text(int index) const { return m_texte.value(index); }

    // Index of the key ignoring letter case; -1 when missing.
    int IndexOfKey(const QString &key) const;
    bool KeyExists(const QString &key) const { return IndexOfKey(key) >= 0; }
    // First item whose whole display text equals `text` ignoring letter case; -1 when none.
    int IndexOfText(const QString &text) const;
    // First item from `von` on whose upper-cased display text begins with `praefix`, which
    // the caller has upper-cased; -1 when none or when the prefix is empty.
    int SuchePraefix(const QString &praefix, int von) const;

    // Appends the item; false and nothing changed when the key exists (ignoring case).
    bool AddKey(const QString &key, const QString &text);
    // Replaces the display text of item `index` (nothing for an index out of range).
    void SetText(int index, const QString &text);
    // Removes item `index` (nothing for an index out of range).
    void Delete(int index);
    void Clear();

    // All keys in list order, each followed by ";"; empty for an empty list.
    QString KeyListToSemikolon() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    static QString Faltung(const QString &text) { return text.toCaseFolded(); }
    void TextIndexAufbauen() const;

    QStringList m_keys;
    QStringList m_texte;
    QStringList m_gross; // upper-cased texts for the typed-prefix search
    QHash<QString, int> m_keyIndex;
    // Folded text -> first index; rebuilt lazily after texts changed or items were removed.
    mutable QHash<QString, int> m_textIndex;
    mutable bool m_textIndexGueltig = true;
};
