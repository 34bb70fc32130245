#include "framework/ke7_keylistmodel.h"

TkelKeyListModel::TkelKeyListModel(QObject *parent)
    : QObject(parent)
    , m_liste(new TkelKeyList(this))
{ }

void TkelKeyListModel::AddKey(const QString &key, const QString &text)
{
    m_liste->AddKey(key, text);
}

void TkelKeyListModel::AddKeyInt(int key, const QString &text)
{
    AddKey(QString::number(key), text);
}

void TkelKeyListModel::AddKeyString(const TkelKeyString &item)
{
    AddKey(item.key, item.text);
}

void TkelKeyListModel::SetItemIndex(int index)
{
    if (index < -1 || index >= KeyCount())
        index = -1;
    if (index == m_itemIndex)
        return;
    m_itemIndex = index;
    emit auswahlGeaendert(index);
}

QString TkelKeyListModel::Key() const
{
    if (m_itemIndex < 0 || m_itemIndex >= KeyCount())
        return QString();
    return m_liste->Key(m_itemIndex);
}

void TkelKeyListModel::SetKey(const QString &key)
{
    if (key == m_gemerkterKey)
        return;
    const int i = m_liste->IndexOfKey(key);
    if (i >= 0) {
        m_gemerkterKey = key;
        SetItemIndex(i);
    } else {
        m_gemerkterKey.clear();
    }
}

int TkelKeyListModel::KeyAsInteger() const
{
    bool ok = false;
    const int wert = Key().toInt(&ok);
    return ok ? wert : 0;
}

QString TkelKeyListModel::GetText() const
{
    return m_itemIndex >= 0 ? m_liste->Text(m_itemIndex) : QString();
}

void TkelKeyListModel::SetText(const QString &key, const QString &text)
{
    m_liste->SetText(m_liste->IndexOfKey(key), text);
}

bool TkelKeyListModel::GetKeyString(TkelKeyString &item) const
{
    if (m_itemIndex < 0 || m_itemIndex >= KeyCount())
        return false;
    item.key = m_liste->Key(m_itemIndex);
    item.text = m_liste->Text(m_itemIndex);
    return true;
}

void TkelKeyListModel::DelKey(const QString &key)
{
    int i = m_liste->IndexOfKey(key);
    if (i < 0)
        return;
    // The row goes with its selection; rows below it move up by one.
    int auswahl = m_itemIndex;
    if (auswahl == i)
        auswahl = -1;
    else if (auswahl > i)
        --auswahl;
    const int alt = m_itemIndex;
    m_liste->Delete(i);
    m_itemIndex = auswahl;
    if (auswahl != alt)
        emit auswahlGeaendert(auswahl);
    if (i > KeyCount() - 1)
        i = KeyCount() - 1;
    if (KeyCount() > 0)
        SetKey(m_liste->Key(i));
}

void TkelKeyListModel::Clear()
{
    m_liste->Clear();
    m_gemerkterKey.clear();
    SetItemIndex(-1);
}
