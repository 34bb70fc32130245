#include "framework/ke7_keylist.h"

#include "framework/ke7_str.h"

TkelKeyList::TkelKeyList(QObject *parent)
    : QAbstractListModel(parent)
{ }

int TkelKeyList::IndexOfKey(const QString &key) const
{
    return m_keyIndex.value(Faltung(key), -1);
}

int TkelKeyList::IndexOfText(const QString &text) const
{
    if (!m_textIndexGueltig)
        TextIndexAufbauen();
    return m_textIndex.value(Faltung(text), -1);
}

int TkelKeyList::SuchePraefix(const QString &praefix, int von) const
{
    if (praefix.isEmpty())
        return -1;
    for (int i = qMax(von, 0); i < m_gross.size(); ++i) {
        if (m_gross.at(i).startsWith(praefix))
            return i;
    }
    return -1;
}

bool TkelKeyList::AddKey(const QString &key, const QString &text)
{
    const QString gefaltet = Faltung(key);
    if (m_keyIndex.contains(gefaltet))
        return false;
    const int i = Count();
    beginInsertRows(QModelIndex(), i, i);
    m_keys.append(key);
    m_texte.append(text);
    m_gross.append(Grossbuchstaben(text));
    m_keyIndex.insert(gefaltet, i);
    if (m_textIndexGueltig) {
        const QString t = Faltung(text);
        if (!m_textIndex.contains(t))
            m_textIndex.insert(t, i);
    }
    endInsertRows();
    return true;
}

void TkelKeyList::SetText(int index, const QString &text)
{
    if (index < 0 || index >= Count())
        return;
    m_texte[index] = text;
    m_gross[index] = Grossbuchstaben(text);
    m_textIndexGueltig = false;
    const QModelIndex mi = createIndex(index, 0);
    emit dataChanged(mi, mi, { Qt::DisplayRole, Qt::EditRole });
}

void TkelKeyList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    beginRemoveRows(QModelIndex(), index, index);
    m_keyIndex.remove(Faltung(m_keys.at(index)));
    m_keys.removeAt(index);
    m_texte.removeAt(index);
    m_gross.removeAt(index);
    for (auto it = m_keyIndex.begin(); it != m_keyIndex.end(); ++it) {
        if (it.value() > index)
            --it.value();
    }
    m_textIndexGueltig = false;
    endRemoveRows();
}

void TkelKeyList::Clear()
{
    beginResetModel();
    m_keys.clear();
    m_texte.clear();
    m_gross.clear();
    m_keyIndex.clear();
    m_textIndex.clear();
    m_textIndexGueltig = true;
    endResetModel();
}

QString TkelKeyList::KeyListToSemikolon() const
{
    QString s;
    for (const QString &key : m_keys) {
        s += key;
        s += QLatin1Char(';');
    }
    return s;
}

int TkelKeyList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Count();
}

QVariant TkelKeyList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= Count())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_texte.at(index.row());
    case KeyRole:
        return m_keys.at(index.row());
    default:
        return QVariant();
    }
}

void TkelKeyList::TextIndexAufbauen() const
{
    m_textIndex.clear();
    m_textIndex.reserve(m_texte.size());
    // Backwards, so the first of equal texts is the one that stays.
    for (int i = int(m_texte.size()) - 1; i >= 0; --i)
        m_textIndex.insert(Faltung(m_texte.at(i)), i);
    m_textIndexGueltig = true;
}
