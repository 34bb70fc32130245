#include "framework/ke7_radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

TkelRadioGroup::TkelRadioGroup(QWidget *parent)
    : TkelRadioGroup(QString(), parent)
{ }

TkelRadioGroup::TkelRadioGroup(const QString &titel, QWidget *parent)
    : QGroupBox(titel, parent)
    , m_gruppe(new QButtonGroup(this))
    , m_layout(new QGridLayout(this))
{
    connect(m_gruppe, &QButtonGroup::idToggled, this, [this](int id, bool an) {
        if (an)
            emit itemIndexChanged(id);
    });
}

void TkelRadioGroup::setItems(const QStringList &items)
{
    const bool warGewaehlt = ItemIndex() >= 0;
    qDeleteAll(m_buttons);
    m_buttons.clear();
    m_items = items;
    for (int i = 0; i < m_items.size(); ++i) {
        auto *b = new QRadioButton(m_items.at(i), this);
        m_gruppe->addButton(b, i);
        m_buttons.append(b);
    }
    anordnen();
    if (warGewaehlt)
        emit itemIndexChanged(-1);
}

QRadioButton *TkelRadioGroup::Button(int index) const
{
    return m_buttons.value(index);
}

void TkelRadioGroup::setColumns(int spalten)
{
    m_spalten = qMax(1, spalten);
    anordnen();
}

void TkelRadioGroup::anordnen()
{
    const int n = int(m_buttons.size());
    const int proSpalte = qMax(1, (n + m_spalten - 1) / m_spalten);
    for (int i = 0; i < n; ++i) {
        m_layout->removeWidget(m_buttons.at(i));
        m_layout->addWidget(m_buttons.at(i), i % proSpalte, i / proSpalte);
    }
}

int TkelRadioGroup::ItemIndex() const
{
    return m_gruppe->checkedId();
}

void TkelRadioGroup::setItemIndex(int index)
{
    index = qBound(-1, index, Count() - 1);
    if (index == ItemIndex())
        return;
    if (index < 0) {
        // An exclusive group does not let its checked button go.
        m_gruppe->setExclusive(false);
        m_gruppe->checkedButton()->setChecked(false);
        m_gruppe->setExclusive(true);
        emit itemIndexChanged(-1);
        return;
    }
    m_buttons.at(index)->setChecked(true);
}
