#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

// A group box with one radio button per item and the index of the selected one. The items
// fill `Columns` columns top to bottom, one column after the other.
class TkelRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    explicit TkelRadioGroup(QWidget *parent = nullptr);
    explicit TkelRadioGroup(const QString &titel, QWidget *parent = nullptr);

    // Replaces the buttons; no item is selected afterwards.
    void setItems(const QStringList &items);
    QStringList Items() const { return m_items; }
    int Count() const { return int(m_items.size()); }
    QRadioButton *Button(int index) const;

    void setColumns(int spalten);
    int Columns() const { return m_spalten; }

    // -1 when no button is selected.
    int ItemIndex() const;
    // Below -1 counts as -1, beyond the last item as the last item.
    void setItemIndex(int index);

signals:
    // The selection changed, by the user or by setItemIndex.
    void itemIndexChanged(int index);

private:
    void anordnen();

    QStringList m_items;
    QList<QRadioButton *> m_buttons;
    QButtonGroup *m_gruppe;
    QGridLayout *m_layout;
    int m_spalten = 1;
};
