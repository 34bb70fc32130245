#include "framework/ke7_keycombomodel.h"

#include "framework/ke7_str.h"

namespace {
int s_dropDownMaximum = 8;
constexpr int MindestZeilen = 8;
} // namespace

int TkelKeyComboModel::DropDownMaximum()
{
    return s_dropDownMaximum;
}

void TkelKeyComboModel::SetDropDownMaximum(int wert)
{
    s_dropDownMaximum = wert;
}

TkelKeyComboModel::TkelKeyComboModel(QObject *parent)
    : QObject(parent)
    , m_liste(new TkelKeyList(this))
    , m_dropDownCount(s_dropDownMaximum)
{ }

void TkelKeyComboModel::AddKey(const QString &key, const QString &text)
{
    if (!m_liste->AddKey(key, text))
        return;
    // The current key may have been set before its item existed.
    if (m_key == key)
        Anzeigen(text, m_liste->Count() - 1);
    if (s_dropDownMaximum < MindestZeilen)
        s_dropDownMaximum = MindestZeilen;
    const int zeilen = qMin(m_liste->Count(), s_dropDownMaximum);
    if (zeilen != m_dropDownCount) {
        m_dropDownCount = zeilen;
        emit dropDownCountGeaendert(zeilen);
    }
}

void TkelKeyComboModel::AddKeyInt(int key, const QString &text)
{
    AddKey(QString::number(key), text);
}

void TkelKeyComboModel::AddKeyString(const TkelKeyString &item)
{
    AddKey(item.key, item.text);
}

void TkelKeyComboModel::AddKeyNZ(const QString &key)
{
    m_ersterEintrag = NichtZugeordnet();
    AddKey(key, NichtZugeordnet());
}

void TkelKeyComboModel::AddKeyDplMinutenHH_MM(int minuten)
{
    AddKeyInt(minuten, Zweistellig(minuten / 60) + QLatin1Char(':') + Zweistellig(minuten % 60));
}

void TkelKeyComboModel::SetKeyText(const QString &key, const QString &text)
{
    const int i = m_liste->IndexOfKey(key);
    if (i < 0)
        return;
    m_liste->SetText(i, text);
    if (m_liste->IndexOfKey(m_key) == i)
        Anzeigen(text, i);
}

void TkelKeyComboModel::SetKeyVorgabe(const QString &key)
{
    m_key = TrimBlanks(key);
}

void TkelKeyComboModel::SetKey(const QString &key)
{
    const QString wert = TrimBlanks(key);
    const int i = m_liste->IndexOfKey(wert);
    if (i >= 0) {
        m_key = wert;
        Anzeigen(m_liste->Text(i), i);
    } else if (wert.isEmpty()) {
        // An empty key means "not assigned", which a list may offer as the item "0".
        const int j = m_liste->IndexOfKey(QStringLiteral("0"));
        if (j >= 0) {
            m_key = QStringLiteral("0");
            Anzeigen(m_liste->Text(j), j);
        } else {
            m_key.clear();
            Anzeigen(m_ersterEintrag, -1);
        }
    }
}

int TkelKeyComboModel::KeyAsInteger() const
{
    bool ok = false;
    const int wert = m_key.toInt(&ok);
    return ok ? wert : 0;
}

void TkelKeyComboModel::KeyFirst()
{
    if (KeyCount() > 0)
        SetKey(m_liste->Key(0));
    emit OnChange();
}

void TkelKeyComboModel::KeyLast()
{
    if (KeyCount() > 0)
        SetKey(m_liste->Key(KeyCount() - 1));
    emit OnChange();
}

bool TkelKeyComboModel::KeyNext()
{
    const int p = m_liste->IndexOfKey(m_key);
    if (p >= KeyCount() - 1)
        return false;
    SetKey(m_liste->Key(p + 1));
    emit OnChange();
    return true;
}

bool TkelKeyComboModel::KeyPrior()
{
    const int p = m_liste->IndexOfKey(m_key);
    if (p <= 0)
        return false;
    SetKey(m_liste->Key(p - 1));
    emit OnChange();
    return true;
}

bool TkelKeyComboModel::KeyGoto(const QString &key)
{
    const int i = m_liste->IndexOfKey(key);
    if (i < 0)
        return false;
    SetKey(m_liste->Key(i));
    emit OnChange();
    return true;
}

void TkelKeyComboModel::Clear()
{
    m_liste->Clear();
    m_key.clear();
    Anzeigen(m_ersterEintrag, -1);
}

void TkelKeyComboModel::SetErsterEintrag(const QString &text)
{
    if (text == m_ersterEintrag)
        return;
    m_ersterEintrag = text;
    Anzeigen(text, -1);
}

void TkelKeyComboModel::Change(const QString &text)
{
    const int i = m_liste->IndexOfText(text);
    m_key = i >= 0 ? m_liste->Key(i) : QString();
    Anzeigen(text, i);
    emit OnChange();
}

bool TkelKeyComboModel::Zeichen(QChar zeichen)
{
    if (zeichen.unicode() < 32 || zeichen.unicode() > 255)
        return false;
    const QString gross = Grossbuchstaben(QString(zeichen));
    if (!m_wraparound) {
        // A character that extends no match is dropped again, so the prefix stays the
        // longest one that matched.
        m_puffer += gross;
        while (!m_puffer.isEmpty()) {
            const int i = m_liste->SuchePraefix(m_puffer, 0);
            if (i >= 0) {
                SetKey(m_liste->Key(i));
                emit markieren(0, int(m_puffer.size()));
                Change(m_text);
                return true;
            }
            m_puffer.chop(1);
        }
        return true;
    }
    // Each key press jumps to the next item starting with that letter, round the end.
    m_puffer = gross;
    int i = m_liste->SuchePraefix(m_puffer, m_letzterTreffer + 1);
    if (i < 0)
        i = m_liste->SuchePraefix(m_puffer, 0);
    if (i >= 0) {
        SetKey(m_liste->Key(i));
        m_letzterTreffer = i;
        Change(m_text);
    }
    return true;
}

void TkelKeyComboModel::Rueckschritt()
{
    m_puffer.clear();
    emit markieren(0, 0);
}

void TkelKeyComboModel::Anzeigen(const QString &text, int index)
{
    if (text == m_text && index == m_anzeigeIndex)
        return;
    m_text = text;
    m_anzeigeIndex = index;
    emit anzeigeGeaendert();
}
