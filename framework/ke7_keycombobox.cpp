#include "framework/ke7_keycombobox.h"

#include "framework/ke7_parameterwerte.h"
#include "framework/pex_ini.h"

#include <QKeyEvent>
#include <QLineEdit>

TkelKeyComboBox::TkelKeyComboBox(QWidget *parent)
    : QComboBox(parent)
    , m_modell(new TkelKeyComboModel(this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setModel(&m_modell->Liste());
    setMaxVisibleItems(m_modell->DropDownCount());

    // Connected after setModel, so these run after the combo box's own reactions (which
    // select the first item of a filled empty list) and put the model's view back.
    TkelKeyList *liste = &m_modell->Liste();
    connect(liste, &QAbstractItemModel::rowsInserted, this, &TkelKeyComboBox::anzeigen);
    connect(liste, &QAbstractItemModel::rowsRemoved, this, &TkelKeyComboBox::anzeigen);
    connect(liste, &QAbstractItemModel::modelReset, this, &TkelKeyComboBox::anzeigen);
    connect(liste, &QAbstractItemModel::dataChanged, this, &TkelKeyComboBox::anzeigen);

    connect(m_modell, &TkelKeyComboModel::anzeigeGeaendert, this, &TkelKeyComboBox::anzeigen);
    connect(m_modell, &TkelKeyComboModel::markieren, this, &TkelKeyComboBox::markieren);
    connect(m_modell, &TkelKeyComboModel::dropDownCountGeaendert, this, &QComboBox::setMaxVisibleItems);
    connect(m_modell, &TkelKeyComboModel::OnChange, this, &TkelKeyComboBox::OnChange);

    connect(this, &QComboBox::activated, this, [this] { m_modell->Change(lineEdit()->text()); });
    connect(lineEdit(), &QLineEdit::textEdited, m_modell, &TkelKeyComboModel::Change);
}

void TkelKeyComboBox::anzeigen()
{
    const int index = m_modell->AnzeigeIndex();
    const QString text = m_modell->Text();
    if (currentIndex() != index)
        setCurrentIndex(index);
    // Only when different: setting the text would lose the user's cursor and selection.
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

void TkelKeyComboBox::markieren(int start, int laenge)
{
    if (laenge > 0) {
        lineEdit()->setSelection(start, laenge);
    } else {
        lineEdit()->deselect();
        lineEdit()->setCursorPosition(start);
    }
}

void TkelKeyComboBox::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers befehl = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (event->key() == Qt::Key_Backspace && !(event->modifiers() & befehl)) {
        m_modell->Rueckschritt();
        event->accept();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && !(event->modifiers() & befehl) && m_modell->Zeichen(text.at(0))) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void TkelKeyComboBox::focusInEvent(QFocusEvent *event)
{
    m_modell->FokusErhalten();
    QComboBox::focusInEvent(event);
}

void TkelKeyComboBox::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    lineEdit()->deselect();
}

void TkelKeyComboBox::parSpeichern(TpexIniFile &ini, const QString &section, const QString &name)
{
    ini.writeString(section, name, Key());
    EintraegeSpeichern(ini, section, name);
}

void TkelKeyComboBox::parLaden(TpexIniFile &ini, const QString &section, const QString &name)
{
    const QString vorher = Key();
    EintraegeLaden(ini, section, name);
    SetKey(ini.readString(section, name, vorher));
}

void TkelKeyComboBox::EintraegeSpeichern(TpexIniFile &ini, const QString &section, const QString &name) const
{
    if (!m_saveKeys)
        return;
    for (int i = 0; i < KeyCount(); ++i)
        ini.writeString(section, KeyListKey(name, i), KeyListEntry(KeyList().at(i), Items().at(i)));
}

void TkelKeyComboBox::EintraegeLaden(TpexIniFile &ini, const QString &section, const QString &name)
{
    if (!m_saveKeys)
        return;
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
