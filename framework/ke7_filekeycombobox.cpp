#include "framework/ke7_filekeycombobox.h"

#include "framework/ke7_str.h"
#include "framework/ke7_sys.h"

TkelFileKeyComboBox::TkelFileKeyComboBox(QWidget *parent, TkelUiServices *ui)
    : TkelKeyComboPanel(QStringLiteral("Datei wählen"), parent, ui)
{ }

void TkelFileKeyComboBox::SetFileName(const QString &pfad)
{
    // Loading a picker that never had a file would otherwise leave an empty entry behind.
    if (!TrimBlanks(pfad).isEmpty() && !Combo()->KeyExists(pfad))
        AddKey(pfad, pfad);
    Combo()->SetKey(pfad);
}

bool TkelFileKeyComboBox::Auswaehlen(QString &pfad)
{
    return DateiOeffnenDialog(ui(), m_caption, m_joker, pfad);
}
