#include "framework/ke7_keylistbox.h"

#include "framework/ke7_parameterwerte.h"
#include "framework/pex_ini.h"

TkelKeyListBox::TkelKeyListBox(QWidget *parent)
    : QListWidget(parent)
    , m_modell(new TkelKeyListModel(this))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Rows are single text lines; equal heights keep the layout cheap in long lists,
    // where every programmatic selection scrolls to its row.
    setUniformItemSizes(true);
    TkelKeyList *liste = &m_modell->Liste();
    connect(liste, &QAbstractItemModel::rowsInserted, this,
        [this](const QModelIndex &, int erste, int letzte) { zeilenEingefuegt(erste, letzte); });
    connect(liste, &QAbstractItemModel::dataChanged, this, &TkelKeyListBox::zeilenGeaendert);
    connect(liste, &QAbstractItemModel::rowsRemoved, this,
        [this](const QModelIndex &, int erste, int letzte) { zeilenEntfernt(erste, letzte); });
    connect(liste, &QAbstractItemModel::modelReset, this, [this] {
        m_folgt = true;
        QListWidget::clear();
        m_folgt = false;
    });
    connect(m_modell, &TkelKeyListModel::auswahlGeaendert, this, &TkelKeyListBox::auswahlZeigen);
    connect(this, &QListWidget::currentRowChanged, this, [this](int zeile) {
        if (!m_folgt)
            m_modell->SetItemIndex(zeile);
    });
}

void TkelKeyListBox::zeilenEingefuegt(int erste, int letzte)
{
    m_folgt = true;
    for (int i = erste; i <= letzte; ++i)
        insertItem(i, m_modell->Liste().Text(i));
    m_folgt = false;
}

void TkelKeyListBox::zeilenGeaendert(const QModelIndex &oben, const QModelIndex &unten)
{
    for (int i = oben.row(); i <= unten.row(); ++i) {
        if (QListWidgetItem *it = item(i))
            it->setText(m_modell->Liste().Text(i));
    }
}

void TkelKeyListBox::zeilenEntfernt(int erste, int letzte)
{
    m_folgt = true;
    for (int i = letzte; i >= erste; --i)
        delete takeItem(i);
    m_folgt = false;
}

void TkelKeyListBox::auswahlZeigen(int index)
{
    m_folgt = true;
    if (index >= 0) {
        setCurrentRow(index);
        scrollToItem(item(index));
    } else {
        setCurrentRow(-1);
        clearSelection();
    }
    m_folgt = false;
}

void TkelKeyListBox::parSpeichern(TpexIniFile &ini, const QString &section, const QString &name)
{
    ini.writeString(section, name, Key());
    if (!m_saveKeys)
        return;
    for (int i = 0; i < KeyCount(); ++i)
        ini.writeString(section, KeyListKey(name, i), KeyListEntry(KeyList().at(i), Items().at(i)));
}

void TkelKeyListBox::parLaden(TpexIniFile &ini, const QString &section, const QString &name)
{
    const QString vorher = Key();
    if (m_saveKeys) {
        Clear();
        for (int i = 0;; ++i) {
            const QString eintrag = KeyListKey(name, i);
            if (!ini.valueExists(section, eintrag))
                break;
            QString key;
            QString text;
            KeyListEntryLesen(ini.readString(section, eintrag, QString()), key, text);
            AddKey(key, text);
        }
    }
    SetKey(ini.readString(section, name, vorher));
}
